// "Options › Base du laboratoire…": the lab server this station sends its trials to
// (host, port, base, user, encryption), the station's name, and a connection test.
// The password typed here serves this run only and is never written to fantrel.ini.
#pragma once
#include "base/adresse_labo.h"
#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace fantrel::app {

class DialogueBaseLabo : public QDialog
{
    Q_OBJECT
public:
    explicit DialogueBaseLabo(QWidget *parent = nullptr);

    // fantrel.ini's URI and station; the password given this run, if any.
    void montre(const QString &uri, const QString &station, const QString &mot_de_passe);
    // The form's server: nullopt with no host and no base (no server), or with the
    // reason in *erreur when the form is not a server's address.
    std::optional<base::AdresseLabo> adresse_lue(QString *erreur = nullptr) const;
    QString uri_lue() const; // what fantrel.ini keeps: no password, empty for no server
    QString station_lue() const;
    QString mot_de_passe_lu() const;

    // "Tester la connexion": a short connection; its outcome in Lab_resultat.
    void teste_connexion();
    void accept() override; // refuses a form that is not an address, and says why

    QLineEdit *Edit_hote = nullptr;
    QSpinBox *Spin_port = nullptr;
    QLineEdit *Edit_base = nullptr;
    QLineEdit *Edit_utilisateur = nullptr;
    QLineEdit *Edit_mot_de_passe = nullptr;
    QComboBox *Combo_chiffrement = nullptr; // the URI's sslmode; first item: the driver's default
    QLineEdit *Edit_station = nullptr;
    QPushButton *Bouton_tester = nullptr;
    QLabel *Lab_resultat = nullptr;
    QLabel *Lab_environnement = nullptr; // shown when FANTREL_BASE_LABO overrides the file
};

// The server asked for a password that nothing gave: asked once, for this run.
std::optional<QString> demande_mot_de_passe(QWidget *parent, const base::AdresseLabo &adresse);

} // namespace fantrel::app
