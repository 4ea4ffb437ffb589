#include "app/dialogue_base_labo.h"
#include "app/fabrique_controles.h"
#include "app/liaison_labo.h"
#include "base/envoi_labo.h"
#include "platform/liaison.h"
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace fantrel::app {

namespace {


QString texte_resultat(const base::ResultatConnexion &r)
{
    if (r.refus != base::RefusLabo::aucun)
        return QStringLiteral("Échec : %1").arg(r.message);
    if (r.version_schema == 0)
        return QStringLiteral("Connexion réussie : la base est vide, le programme y créera "
                              "ses tables.");
    return QStringLiteral("Connexion réussie (schéma version %1).").arg(r.version_schema);
}

} // namespace

DialogueBaseLabo::DialogueBaseLabo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Dialogue_base_labo"));
    setWindowTitle(QStringLiteral("Base du laboratoire"));
    setMinimumWidth(440); // the password's hint and a socket's folder in full
    auto *forme = new QFormLayout(this);
    Lab_environnement = new QLabel(this);
    Lab_environnement->setObjectName(QStringLiteral("Lab_environnement"));
    Lab_environnement->setWordWrap(true);
    forme->addRow(Lab_environnement);
    Edit_hote = ligne_formulaire(forme, "Edit_hote", QStringLiteral("Hôte"), new QLineEdit);
    Edit_hote->setAccessibleDescription(
            QStringLiteral("Nom ou adresse du serveur, ou dossier de son socket Unix"));
    Spin_port = ligne_formulaire(forme, "Spin_port", QStringLiteral("Port"), new QSpinBox);
    Spin_port->setRange(1, 65535);
    Edit_base = ligne_formulaire(forme, "Edit_base", QStringLiteral("Base"), new QLineEdit);
    Edit_utilisateur = ligne_formulaire(forme, "Edit_utilisateur", QStringLiteral("Utilisateur"),
                             new QLineEdit);
    Edit_mot_de_passe = ligne_formulaire(forme, "Edit_mot_de_passe", QStringLiteral("Mot de passe"),
                              new QLineEdit);
    Edit_mot_de_passe->setEchoMode(QLineEdit::Password);
    Edit_mot_de_passe->setPlaceholderText(QStringLiteral("fichier de mots de passe, ou demandé"));
    Edit_mot_de_passe->setAccessibleDescription(
            QStringLiteral("Pour cette session seulement, jamais écrit dans fantrel.ini"));
    Combo_chiffrement = ligne_formulaire(forme, "Combo_chiffrement", QStringLiteral("Chiffrement (sslmode)"),
                              new QComboBox);
    Combo_chiffrement->addItems({ QStringLiteral("par défaut"), QStringLiteral("disable"),
                                  QStringLiteral("prefer"), QStringLiteral("require"),
                                  QStringLiteral("verify-ca"), QStringLiteral("verify-full") });
    Edit_station = ligne_formulaire(forme, "Edit_station", QStringLiteral("Station"), new QLineEdit);
    Edit_station->setPlaceholderText(QSysInfo::machineHostName());
    Edit_station->setAccessibleDescription(
            QStringLiteral("Nom du poste dans les données, pour les séances suivantes"));
    Bouton_tester = new QPushButton(QStringLiteral("Tester la connexion"), this);
    Bouton_tester->setObjectName(QStringLiteral("Bouton_tester"));
    Bouton_tester->setAccessibleName(Bouton_tester->text());
    Bouton_tester->setAccessibleDescription(
            QStringLiteral("Essaie de se connecter au serveur avec ces réglages"));
    forme->addRow(Bouton_tester);
    Lab_resultat = new QLabel(this);
    Lab_resultat->setObjectName(QStringLiteral("Lab_resultat"));
    Lab_resultat->setWordWrap(true);
    forme->addRow(Lab_resultat);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    forme->addRow(boutons);
    platform::relie(Bouton_tester, &QPushButton::clicked, this, &DialogueBaseLabo::teste_connexion);
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueBaseLabo::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DialogueBaseLabo::montre(const QString &uri, const QString &station,
                              const QString &mot_de_passe)
{
    const std::optional<base::AdresseLabo> a = base::lit_uri_labo(uri);
    const base::AdresseLabo vide;
    const base::AdresseLabo &adresse = a ? *a : vide;
    Edit_hote->setText(a ? adresse.hote : QString());
    Spin_port->setValue(adresse.port);
    Edit_base->setText(adresse.base);
    Edit_utilisateur->setText(adresse.utilisateur);
    Edit_mot_de_passe->setText(mot_de_passe.isEmpty() ? adresse.mot_de_passe : mot_de_passe);
    const int i = Combo_chiffrement->findText(adresse.sslmode);
    Combo_chiffrement->setCurrentIndex(adresse.sslmode.isEmpty() || i < 0 ? 0 : i);
    Edit_station->setText(station);
    Lab_resultat->clear();
    const bool impose = LiaisonLabo::impose_par_environnement();
    Lab_environnement->setVisible(impose);
    if (impose)
        Lab_environnement->setText(
                QStringLiteral("La variable %1 impose le serveur %2 tant qu'elle est définie ; "
                               "ces réglages sont ceux de fantrel.ini.")
                        .arg(QLatin1String(variable_base_labo),
                             LiaisonLabo::uri_en_vigueur(QString())));
}

std::optional<base::AdresseLabo> DialogueBaseLabo::adresse_lue(QString *erreur) const
{
    if (erreur)
        erreur->clear();
    base::AdresseLabo a;
    a.hote = Edit_hote->text().trimmed();
    a.port = Spin_port->value();
    a.base = Edit_base->text().trimmed();
    a.utilisateur = Edit_utilisateur->text().trimmed();
    a.mot_de_passe = Edit_mot_de_passe->text();
    a.sslmode = Combo_chiffrement->currentIndex() == 0 ? QString()
                                                        : Combo_chiffrement->currentText();
    if (a.hote.isEmpty() && a.base.isEmpty())
        return std::nullopt;
    // Through the URI, so that the form accepts exactly what fantrel.ini can hold.
    std::optional<base::AdresseLabo> relue = base::lit_uri_labo(base::uri_labo(a, true), erreur);
    if (relue && a.hote.isEmpty()) {
        if (erreur)
            *erreur = QStringLiteral("l'hôte manque");
        return std::nullopt;
    }
    return relue;
}

QString DialogueBaseLabo::uri_lue() const
{
    const std::optional<base::AdresseLabo> a = adresse_lue();
    return a ? base::uri_labo(*a) : QString();
}

QString DialogueBaseLabo::station_lue() const
{
    return Edit_station->text().trimmed();
}

QString DialogueBaseLabo::mot_de_passe_lu() const
{
    return Edit_mot_de_passe->text();
}

void DialogueBaseLabo::teste_connexion()
{
    QString erreur;
    const std::optional<base::AdresseLabo> a = adresse_lue(&erreur);
    if (!a) {
        Lab_resultat->setText(erreur.isEmpty() ? QStringLiteral("Aucun serveur n'est indiqué.")
                                               : QStringLiteral("Adresse invalide : %1").arg(erreur));
        return;
    }
    Lab_resultat->setText(QStringLiteral("Connexion…"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Lab_resultat->repaint();
    const base::ResultatConnexion r = base::essaie_connexion(*a);
    QApplication::restoreOverrideCursor();
    Lab_resultat->setText(texte_resultat(r));
}

void DialogueBaseLabo::accept()
{
    QString erreur;
    if (!adresse_lue(&erreur) && !erreur.isEmpty()) {
        Lab_resultat->setText(QStringLiteral("Adresse invalide : %1").arg(erreur));
        return;
    }
    QDialog::accept();
}

std::optional<QString> demande_mot_de_passe(QWidget *parent, const base::AdresseLabo &adresse)
{
    bool ok = false;
    const QString mot = QInputDialog::getText(
            parent, QStringLiteral("Base du laboratoire"),
            QStringLiteral("Mot de passe de %1 pour la base %2 :")
                    .arg(adresse.utilisateur.isEmpty() ? QStringLiteral("l'utilisateur")
                                                       : adresse.utilisateur,
                         base::description_labo(adresse)),
            QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return mot;
}

} // namespace fantrel::app
