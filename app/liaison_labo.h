// The station's link to the lab server: which server (FANTREL_BASE_LABO over
// fantrel.ini's [labo] uri), its sender, the password given for this run only, and the
// status bar's text. Widget-free: the windows draw it, tests drive it.
#pragma once
#include "base/adresse_labo.h"
#include "base/etat_labo.h"
#include <QObject>
#include <memory>
#include <optional>

namespace fantrel::base {
class EnvoiLabo;
}

namespace fantrel::app {

inline constexpr const char *variable_base_labo = "FANTREL_BASE_LABO";

class LiaisonLabo : public QObject
{
    Q_OBJECT
public:
    explicit LiaisonLabo(QObject *parent = nullptr);
    ~LiaisonLabo() override;

    // The URI in effect: the environment's when set, else the file's.
    static QString uri_en_vigueur(const QString &uri_fichier);
    static bool impose_par_environnement();

    // (Re)starts the sender of the base at chemin_base towards the server in effect;
    // none when the URI is empty. A URI that is not one is shown in a box and sends
    // nothing (local recording goes on as always).
    void demarre(const QString &chemin_base, const QString &uri_fichier);
    void arrete();
    void signale_nouveautes();
    // For this run only: the sender's connection, the export, the dialog's test.
    void donne_mot_de_passe(const QString &mot_de_passe);

    // The server in effect, with the run's password when one was given.
    const std::optional<base::AdresseLabo> &adresse() const { return m_adresse; }
    const base::EtatLabo &etat() const { return m_etat; }
    QString texte() const { return base::texte_etat_labo(m_etat); }

signals:
    void texte_change(const QString &texte);
    // The server wants a password that neither the URI nor the password file gives;
    // emitted once per run.
    void mot_de_passe_demande();

private:
    void sur_etat(const base::EtatLabo &etat);

    std::unique_ptr<base::EnvoiLabo> m_envoi;
    std::optional<base::AdresseLabo> m_adresse;
    base::EtatLabo m_etat;
    QString m_chemin_base;
    QString m_mot_de_passe;
    bool m_mot_de_passe_demande = false;
};

} // namespace fantrel::app
