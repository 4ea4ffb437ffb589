#include "app/journal_seance.h"
#include "base/enregistreur_essais.h"
#include "results/tableau_resultats.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>

namespace fantrel::app {

base::Essai essai_de(const trials::CompteRenduEssai &r, int utilisateur, const QString &nom)
{
    base::Essai e;
    e.debut_utc = r.debut_utc;
    e.utilisateur = utilisateur;
    e.nom_utilisateur = nom;
    e.test = r.test;
    e.numero = r.numero;
    e.mot1 = r.mot1;
    e.mot2 = r.mot2;
    e.connote = r.connote;
    e.mot_affiche = r.mot_affiche;
    e.proposition_gauche = r.proposition_gauche;
    e.proposition_droite = r.proposition_droite;
    e.reponse = r.reponse;
    e.mode_reponse = r.facon;
    e.categorie = r.categorie;
    e.correct = r.correct;
    e.exposition_ms = r.exposition_ms;
    e.exposition_mesuree_ms = r.exposition_mesuree_ms;
    e.phases_mesurees_ms = r.phases_mesurees_ms;
    e.temps_reponse_ms = r.temps_reponse_ms;
    e.melodie = r.melodie;
    e.decalage = r.decalage;
    e.incongru = r.incongru;
    e.place_incongruite = r.place_incongruite;
    e.debut_son_ms = r.debut_son_ms;
    e.latence_sortie_ms = r.latence_sortie_ms;
    e.debuts_notes = r.debuts_notes;
    e.images = r.images;
    e.images_manquees = r.images_manquees;
    e.ligne_resultat = r.ligne_resultat;
    e.touches_anticipees = r.touches_anticipees;
    e.niveau_images = r.niveau_images;
    e.niveau_ms = r.niveau_ms;
    e.seuil_images = r.seuil_images;
    e.seuil_ms = r.seuil_ms;
    return e;
}

JournalSeance::JournalSeance(const results::TableauResultats &tableau, QObject *parent)
    : QObject(parent), m_tableau(tableau)
{
}

JournalSeance::~JournalSeance()
{
    if (m_enregistreur)
        m_enregistreur->enregistre_evenement(base::Evenement::fin());
}

std::optional<base::SeanceAReprendre> JournalSeance::ouvre(const QString &repertoire)
{
    m_enregistreur = std::make_unique<base::EnregistreurEssais>(
            repertoire + QStringLiteral("/fantrel.sqlite"));
    connect(m_enregistreur.get(), &base::EnregistreurEssais::enregistrement_arrete, this,
            &JournalSeance::enregistrement_arrete);
    return m_enregistreur->seance_a_reprendre(QSysInfo::machineHostName(), repertoire);
}

void JournalSeance::commence(const QStringList &parametres,
                             std::optional<double> rafraichissement_hz, const QString &priorite)
{
    if (!m_enregistreur)
        return;
    base::Seance s;
    s.version_programme = QCoreApplication::applicationVersion();
    s.repertoire = QFileInfo(m_enregistreur->chemin()).absolutePath();
    s.poste = QSysInfo::machineHostName();
    s.parametres = parametres;
    s.rafraichissement_hz = rafraichissement_hz;
    s.priorite_minuteur = priorite;
    m_enregistreur->commence_seance(s);
}

void JournalSeance::precise(std::optional<double> rafraichissement_hz, const QString &priorite)
{
    if (m_enregistreur)
        m_enregistreur->precise_seance(rafraichissement_hz, priorite);
}

void JournalSeance::note_essai(const trials::CompteRenduEssai &rendu)
{
    if (!m_enregistreur || m_suspendu)
        return;
    const int n = m_tableau.util_courant();
    const QString nom =
            m_tableau.rangee_existe(n) ? m_tableau.rangee(n).nom : QStringLiteral("Essai%1").arg(n);
    m_enregistreur->enregistre_essai(essai_de(rendu, n, nom));
}

void JournalSeance::note_evenement(const base::Evenement &evenement)
{
    if (m_enregistreur && !m_suspendu)
        m_enregistreur->enregistre_evenement(evenement);
}

QString JournalSeance::chemin_base() const
{
    return m_enregistreur ? m_enregistreur->chemin() : QString();
}

qint64 JournalSeance::seance() const
{
    return m_enregistreur ? m_enregistreur->seance() : 0;
}

} // namespace fantrel::app
