#include "app/liaison_labo.h"
#include "base/envoi_labo.h"
#include "platform/interactions.h"

namespace fantrel::app {

LiaisonLabo::LiaisonLabo(QObject *parent) : QObject(parent) { }

LiaisonLabo::~LiaisonLabo() = default;

QString LiaisonLabo::uri_en_vigueur(const QString &uri_fichier)
{
    return impose_par_environnement() ? qEnvironmentVariable(variable_base_labo).trimmed()
                                      : uri_fichier.trimmed();
}

bool LiaisonLabo::impose_par_environnement()
{
    return !qEnvironmentVariable(variable_base_labo).trimmed().isEmpty();
}

void LiaisonLabo::demarre(const QString &chemin_base, const QString &uri_fichier)
{
    arrete();
    m_chemin_base = chemin_base;
    const QString uri = uri_en_vigueur(uri_fichier);
    if (uri.isEmpty())
        return;
    QString raison;
    m_adresse = base::lit_uri_labo(uri, &raison);
    if (!m_adresse) {
        platform::montre_erreur(
                QStringLiteral("L'adresse de la base du laboratoire n'est pas valide : %1. "
                               "Les essais restent enregistrés sur ce poste.")
                        .arg(raison));
        return;
    }
    if (m_adresse->mot_de_passe.isEmpty())
        m_adresse->mot_de_passe = m_mot_de_passe;
    m_envoi = std::make_unique<base::EnvoiLabo>(chemin_base, *m_adresse);
    connect(m_envoi.get(), &base::EnvoiLabo::etat_change, this, &LiaisonLabo::sur_etat);
    m_etat = m_envoi->etat();
    m_etat.actif = true;
    emit texte_change(texte());
    m_envoi->demarre();
}

void LiaisonLabo::arrete()
{
    m_envoi.reset();
    m_adresse.reset();
    m_etat = {};
    emit texte_change(QString());
}

void LiaisonLabo::signale_nouveautes()
{
    if (m_envoi)
        m_envoi->signale_nouveautes();
}

void LiaisonLabo::donne_mot_de_passe(const QString &mot_de_passe)
{
    m_mot_de_passe = mot_de_passe;
    if (m_adresse)
        m_adresse->mot_de_passe = mot_de_passe;
    if (m_envoi)
        m_envoi->donne_mot_de_passe(mot_de_passe);
}

void LiaisonLabo::sur_etat(const base::EtatLabo &etat)
{
    m_etat = etat;
    emit texte_change(texte());
    if (etat.refus == base::RefusLabo::mot_de_passe && !m_mot_de_passe_demande) {
        m_mot_de_passe_demande = true;
        emit mot_de_passe_demande();
    }
}

} // namespace fantrel::app
