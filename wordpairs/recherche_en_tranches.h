// The word-pair search run by turns of the event loop, so that the window stays
// live while it runs: a turn hands over the pairs found so far, works on the
// search (Recherche::avance) for about 5 ms, and queues the next turn behind the
// pending events. STOP pauses a class search and REPRENDRE takes it up where it
// stood; a single-word search cannot be taken up: stopping ends it.
//
//     RechercheEnTranches recherche;
//     connect(&recherche, &RechercheEnTranches::couples_trouves, &listes, …);
//     recherche.demarre_classe(base, 8);   // returns after the first turn
//     recherche.arrete();  …  recherche.reprend();
//
// Widget-free: a test drives it with a small base, a QSignalSpy and
// definir_budget_tranche().
#pragma once
#include "wordpairs/base_mots.h"
#include "wordpairs/filtre_couple.h"
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <memory>

class QTimer;

namespace fantrel::wordpairs {

class Recherche;
struct Demande;

class RechercheEnTranches : public QObject
{
    Q_OBJECT
public:
    enum class Etat { inactive, en_cours, en_pause };

    explicit RechercheEnTranches(QObject *parent = nullptr);
    ~RechercheEnTranches() override;

    // Every pair of the run of lines of class `longueur`; a search running or
    // paused is dropped. The first turn runs before it returns.
    void demarre_classe(const BaseMots &base, int longueur);
    // Every partner of `mot` in the lines of its length's class, the whole base
    // counted in the progress.
    void demarre_mot(const BaseMots &base, const QString &mot);
    // STOP: a running class search pauses (or ends, when it was at its last outer
    // line); a single-word search ends. The pairs found so far are all handed over.
    void arrete();
    // REPRENDRE: a paused search goes on from where it stood (its first turn at once).
    void reprend();

    Etat etat() const { return m_etat; }
    bool en_cours() const { return m_etat == Etat::en_cours; }
    bool en_pause() const { return m_etat == Etat::en_pause; }
    // The last search started was a single-word search.
    bool mot_seul() const { return m_mot_seul; }
    // The run of lines of the last search's class.
    BornesClasse bornes() const { return m_bornes; }

    // The check boxes: for the running search from its next pair, and the next ones.
    void definir_filtres(const Filtres &filtres);
    // The checked length button, for the running class search from its next outer line.
    void definir_longueur_cochee(int longueur);
    // Turns of at most `unites` units of work, every pair handed over each turn
    // (0: turns of about 5 ms), so that a test can stop a search half-way.
    void definir_budget_tranche(qint64 unites) { m_budget_tranche = unites; }

signals:
    // A new search, on the run of lines debut .. fin − 1 of its class (-1: none).
    void demarree(int ligne_debut, int ligne_fin);
    // Result lines ("outer  inner"), in listing order, each once.
    void couples_trouves(const QStringList &couples);
    // About 30 times a second and at every stop, once the search has set it up.
    void progression(int position, int maximum);
    void mise_en_pause();
    void reprise();
    // Ran to its end, or a single-word search was stopped.
    void terminee();

private:
    void demarre(const BaseMots &base, const Demande &demande);
    void tour();
    void publie(int limite_ms, bool progression_due);
    void finit_tour(bool finie);

    std::unique_ptr<Recherche> m_recherche;
    Etat m_etat = Etat::inactive;
    bool m_mot_seul = false;
    BornesClasse m_bornes;
    Filtres m_filtres;
    QTimer *m_tour = nullptr;
    qint64 m_budget_tranche = 0;
    QElapsedTimer m_depuis_progression;
    QStringList m_a_publier;
};

} // namespace fantrel::wordpairs
