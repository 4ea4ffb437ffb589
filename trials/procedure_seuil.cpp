#include "trials/procedure_seuil.h"
#include <algorithm>
#include <cmath>
#include <numeric>

namespace fantrel::trials {

namespace {
constexpr int inversions_moyennees = 6; // the staircase's estimate: the last 6 reversals
constexpr double pas_grille = 0.01; // log10 units: 2.3 % of a level
constexpr double marge_grille = 1.0; // the grid reaches 10× beyond the range each way
} // namespace

ProcedureSeuil::ProcedureSeuil(const ParametresSeuil &parametres) : m_p(parametres)
{
    m_p.minimum = std::max(1, m_p.minimum);
    m_p.maximum = std::max(m_p.minimum, m_p.maximum);
    m_p.pas = std::max(1, m_p.pas);
    m_niveau = borne(m_p.depart);
    if (m_p.methode != MethodeSeuil::quest)
        return;
    const double centre = std::log10(double(m_niveau));
    const double debut = std::log10(double(m_p.minimum)) - marge_grille;
    const double fin = std::log10(double(m_p.maximum)) + marge_grille;
    for (double t = debut; t <= fin + 1e-9; t += pas_grille) {
        const double z = (t - centre) / m_p.ecart_a_priori;
        m_grille << t;
        m_log_posterieur << -0.5 * z * z;
    }
}

double ProcedureSeuil::psychometrique(double niveau, double seuil, const ParametresSeuil &p)
{
    if (niveau <= 0)
        return p.delta * p.gamma + (1 - p.delta) * p.gamma;
    const double x = std::log10(niveau) - std::log10(seuil);
    return p.delta * p.gamma
            + (1 - p.delta) * (1 - (1 - p.gamma) * std::exp(-std::pow(10.0, p.beta * x)));
}

int ProcedureSeuil::borne(double niveau) const
{
    return std::clamp(int(std::lround(niveau)), m_p.minimum, m_p.maximum);
}

const PasSeuil &ProcedureSeuil::note(bool correct)
{
    PasSeuil pas;
    pas.niveau = m_niveau; // the level this answer was given at, before any change
    pas.correct = correct;
    if (m_p.methode == MethodeSeuil::escalier)
        note_escalier(pas);
    else
        note_quest(pas);
    m_trace << pas;
    return m_trace.back();
}

// 3 down / 1 up: three right answers in a row step down, one wrong steps up; a step
// against the previous one makes this trial's level a reversal.
void ProcedureSeuil::note_escalier(PasSeuil &pas)
{
    int direction = 0;
    if (!pas.correct) {
        m_bonnes_suite = 0;
        direction = +1;
    } else if (++m_bonnes_suite == 3) {
        m_bonnes_suite = 0;
        direction = -1;
    }
    if (direction != 0) {
        if (m_direction != 0 && direction != m_direction) {
            pas.inversion = true;
            m_inversions << pas.niveau;
        }
        m_direction = direction;
        m_niveau = borne(m_niveau + direction * m_p.pas);
    }
    if (const auto e = estimation())
        pas.estimation = e->seuil;
}

// Bayes' rule on the grid with the level really shown (a whole unit), then the next
// level at the posterior's mean or mode, rounded to a whole unit.
void ProcedureSeuil::note_quest(PasSeuil &pas)
{
    double plus_grand = -1e300;
    for (qsizetype i = 0; i < m_grille.size(); ++i) {
        const double p = psychometrique(pas.niveau, std::pow(10.0, m_grille[i]), m_p);
        m_log_posterieur[i] += std::log(pas.correct ? p : 1 - p);
        plus_grand = std::max(plus_grand, m_log_posterieur[i]);
    }
    for (double &l : m_log_posterieur) // kept near 0 so that exp never underflows everywhere
        l -= plus_grand;
    double cible = moyenne_log();
    if (m_p.placement == PlacementQuest::mode) {
        const auto i = std::max_element(m_log_posterieur.cbegin(), m_log_posterieur.cend())
                - m_log_posterieur.cbegin();
        cible = m_grille[i];
    }
    m_niveau = borne(std::pow(10.0, cible));
    pas.estimation = std::pow(10.0, moyenne_log());
}

double ProcedureSeuil::moyenne_log() const
{
    double somme = 0, poids = 0;
    for (qsizetype i = 0; i < m_grille.size(); ++i) {
        const double w = std::exp(m_log_posterieur[i]);
        somme += w * m_grille[i];
        poids += w;
    }
    return somme / poids;
}

double ProcedureSeuil::quantile_log(double q) const
{
    QVector<double> cumul(m_grille.size());
    double total = 0;
    for (qsizetype i = 0; i < m_grille.size(); ++i)
        cumul[i] = total += std::exp(m_log_posterieur[i]);
    const auto it = std::lower_bound(cumul.cbegin(), cumul.cend(), q * total);
    return m_grille[std::min<qsizetype>(it - cumul.cbegin(), m_grille.size() - 1)];
}

std::optional<EstimationSeuil> ProcedureSeuil::estimation() const
{
    if (m_p.methode == MethodeSeuil::quest) {
        return EstimationSeuil{ std::pow(10.0, moyenne_log()), std::pow(10.0, quantile_log(0.025)),
                                std::pow(10.0, quantile_log(0.975)) };
    }
    if (m_inversions.isEmpty())
        return std::nullopt;
    const qsizetype n = std::min<qsizetype>(inversions_moyennees, m_inversions.size());
    const double somme = std::accumulate(m_inversions.cend() - n, m_inversions.cend(), 0.0);
    return EstimationSeuil{ somme / double(n), std::nullopt, std::nullopt };
}

} // namespace fantrel::trials
