#include "app/journal_seance.h"
#include "base/enregistreur_essais.h"
#include "results/tableau_resultats.h"
#include "trials/mesure_seuil.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>

namespace fantrel::app {

base::Evenement calibration_de(const trials::MesureSeuil &m, int exposition_ms, int utilisateur)
{
    const trials::ParametresSeuil &p = m.reglages().procedure;
    const bool quest = p.methode == trials::MethodeSeuil::quest;
    const QString methode = !quest ? QStringLiteral("escalier")
            : p.placement == trials::PlacementQuest::mode ? QStringLiteral("quest_mode")
                                                          : QStringLiteral("quest_moyenne");
    const auto e = m.procedure() ? m.procedure()->estimation() : std::nullopt;
    const QString unite = m.reglages().periode_ms ? QStringLiteral("images") : QStringLiteral("ms");
    QStringList l{ QStringLiteral("utilisateur=%1").arg(utilisateur),
                   QStringLiteral("essais=%1").arg(m.procedure() ? m.procedure()->trace().size() : 0),
                   QStringLiteral("unite=%1").arg(unite) };
    if (e) {
        l << QStringLiteral("seuil=%1").arg(e->seuil, 0, 'f', 3)
          << QStringLiteral("seuil_ms=%1").arg(m.en_ms(e->seuil), 0, 'f', 2);
        if (e->bas && e->haut)
            l << QStringLiteral("ic95=%1;%2").arg(*e->bas, 0, 'f', 3).arg(*e->haut, 0, 'f', 3);
    }
    l << QStringLiteral("k=%1").arg(m.reglages().decalage)
      << QStringLiteral("exposition_ms=%1").arg(exposition_ms);
    return base::Evenement::calibration(methode, l);
}

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
