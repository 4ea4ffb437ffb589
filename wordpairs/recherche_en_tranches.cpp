#include "wordpairs/recherche_en_tranches.h"
#include "platform/liaison.h"
#include "wordpairs/recherche_rapide.h"
#include <QTimer>

namespace fantrel::wordpairs {

namespace {

// One turn of the event loop does at most this much work, then events are
// processed: handing over the pairs found, then searching.
constexpr int duree_tour_ms = 5;
constexpr int intervalle_progression_ms = 33; // the bar moves ~30 times a second
constexpr qint64 pas_recherche = 256; // units of one avance()
constexpr int lignes_par_lot = 100; // pairs handed over at a time

} // namespace

RechercheEnTranches::RechercheEnTranches(QObject *parent) : QObject(parent)
{
    m_tour = new QTimer(this);
    m_tour->setSingleShot(true);
    m_tour->setInterval(0);
    platform::relie(m_tour, &QTimer::timeout, this, &RechercheEnTranches::tour);
}

RechercheEnTranches::~RechercheEnTranches() = default;

void RechercheEnTranches::demarre_classe(const BaseMots &base, int longueur)
{
    demarre(base, Demande{ false, longueur, QString() });
}

void RechercheEnTranches::demarre_mot(const BaseMots &base, const QString &mot)
{
    demarre(base, Demande{ true, int(mot.size()), mot });
}

void RechercheEnTranches::demarre(const BaseMots &base, const Demande &demande)
{
    m_tour->stop();
    m_recherche.reset();
    m_a_publier.clear();
    m_recherche = std::make_unique<RechercheRapide>(base, demande);
    m_recherche->definir_filtres(m_filtres);
    m_mot_seul = demande.mot_seul;
    m_bornes = m_recherche->bornes();
    m_etat = Etat::en_cours;
    m_depuis_progression.start();
    emit demarree(m_bornes.debut, m_bornes.fin);
    tour();
}

void RechercheEnTranches::arrete()
{
    if (m_etat != Etat::en_cours)
        return;
    m_tour->stop();
    finit_tour(m_mot_seul || m_recherche->finie());
}

void RechercheEnTranches::reprend()
{
    if (m_etat != Etat::en_pause)
        return;
    m_etat = Etat::en_cours;
    emit reprise();
    tour();
}

void RechercheEnTranches::definir_filtres(const Filtres &filtres)
{
    m_filtres = filtres;
    if (m_recherche)
        m_recherche->definir_filtres(filtres);
}

void RechercheEnTranches::definir_longueur_cochee(int longueur)
{
    if (m_recherche)
        m_recherche->definir_longueur_cochee(longueur);
}

// One turn; the next one is queued behind the pending events. Handing thousands
// of lines to a text box takes longer than finding them, so the pairs wait in
// m_a_publier and are handed over a few milliseconds' worth a turn.
void RechercheEnTranches::tour()
{
    if (m_etat != Etat::en_cours)
        return;
    QElapsedTimer chrono;
    chrono.start();
    const bool essai = m_budget_tranche > 0;
    bool finie = m_recherche->finie();
    publie(essai ? 0 : (finie ? duree_tour_ms : duree_tour_ms / 2), false);
    while (!finie) {
        finie = m_recherche->avance(essai ? m_budget_tranche : pas_recherche);
        if (essai || chrono.elapsed() >= duree_tour_ms)
            break;
    }
    m_a_publier += m_recherche->prend_couples();
    if (finie && m_a_publier.isEmpty()) {
        finit_tour(true);
        return;
    }
    m_tour->start();
}

// Hands over the pairs found so far, in lots, for at most `limite_ms` (0: all of
// them; the time the receivers take counts); the progress when it is due.
void RechercheEnTranches::publie(int limite_ms, bool progression_due)
{
    QElapsedTimer chrono;
    chrono.start();
    m_a_publier += m_recherche->prend_couples();
    qsizetype fait = 0;
    while (fait < m_a_publier.size() && (limite_ms == 0 || chrono.elapsed() < limite_ms)) {
        const QStringList lot = m_a_publier.mid(fait, lignes_par_lot);
        fait += lot.size();
        emit couples_trouves(lot);
    }
    m_a_publier.remove(0, fait);
    if (!progression_due && m_depuis_progression.elapsed() < intervalle_progression_ms)
        return;
    m_depuis_progression.restart();
    if (m_recherche->progression_prete())
        emit progression(m_recherche->progression_position(), m_recherche->progression_maximum());
}

// The end of a run of turns: every pair found handed over, then paused or ended.
void RechercheEnTranches::finit_tour(bool finie)
{
    m_etat = finie ? Etat::inactive : Etat::en_pause;
    publie(0, true);
    if (!finie) {
        emit mise_en_pause();
        return;
    }
    m_recherche.reset();
    emit terminee();
}

} // namespace fantrel::wordpairs
