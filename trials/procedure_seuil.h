// The adaptive procedures that find a participant's threshold: a 3-down/1-up
// staircase (79.4 % correct) and QUEST (a grid posterior over log threshold).
// Widget-free and deterministic: the same answers give the same levels. Levels are
// whole units (frames with a refresh, ms without), clamped to [minimum, maximum].
#pragma once
#include <QVector>
#include <optional>

namespace fantrel::trials {

enum class MethodeSeuil { escalier, quest };
// Where QUEST places the next level: the posterior's mean or its mode.
enum class PlacementQuest { moyenne, mode };

// One trial of a track: the level shown, its answer, the estimate after it.
struct PasSeuil
{
    int niveau = 0;
    bool correct = false;
    bool inversion = false; // the staircase turned on this trial
    std::optional<double> estimation; // units; none before a staircase's first reversal
};

struct ParametresSeuil
{
    MethodeSeuil methode = MethodeSeuil::quest;
    int depart = 4; // the first level
    int minimum = 1, maximum = 6; // the exposure's range, in units
    int pas = 1; // the staircase's step
    PlacementQuest placement = PlacementQuest::moyenne;
    // QUEST: the prior's spread (log10 units) around the first level, the Weibull's
    // slope, guess rate (2AFC) and lapse rate.
    double ecart_a_priori = 0.5;
    double beta = 3.5, gamma = 0.5, delta = 0.01;
};

// The threshold found, in units, with QUEST's 95 % interval.
struct EstimationSeuil
{
    double seuil = 0;
    std::optional<double> bas, haut;
};

class ProcedureSeuil
{
public:
    explicit ProcedureSeuil(const ParametresSeuil &parametres);

    int niveau() const { return m_niveau; } // the level of the next trial
    // The answer to the trial shown at niveau(): stored with that level, then the next
    // level is chosen. NOTE: call it once per trial, before asking niveau() again.
    const PasSeuil &note(bool correct);
    const QVector<PasSeuil> &trace() const { return m_trace; }
    std::optional<EstimationSeuil> estimation() const;
    const ParametresSeuil &parametres() const { return m_p; }

    // The Weibull of both the update and simulated observers: the chance of a correct
    // answer at `niveau` when the threshold is `seuil` (81.3 % at the threshold).
    static double psychometrique(double niveau, double seuil, const ParametresSeuil &p);

private:
    int borne(double niveau) const;
    void note_escalier(PasSeuil &pas);
    void note_quest(PasSeuil &pas);
    double moyenne_log() const; // posterior mean of log10 threshold
    double quantile_log(double q) const;

    ParametresSeuil m_p;
    int m_niveau = 0;
    QVector<PasSeuil> m_trace;
    // Staircase: correct answers in a row, the last step's direction (-1 down, +1 up).
    int m_bonnes_suite = 0;
    int m_direction = 0;
    QVector<int> m_inversions;
    // QUEST: log10 thresholds of the grid and their log posterior.
    QVector<double> m_grille, m_log_posterieur;
};

} // namespace fantrel::trials
