// Statistics of a subject from the four answer counts of a row: how many trials were
// scored, how many right, whether that is better than chance, and the
// signal-detection indices with the first word (or the incongruous melody) as signal:
// category 1 hit, 2 miss, 4 false alarm, 3 correct rejection. Every formula is written
// here once, on Boost.Math, without widgets; the window and the listing format them.
#pragma once
#include "results/enregistrement.h"
#include <cstdint>
#include <optional>
#include <vector>

namespace fantrel::results {

// Scale of the half-normal prior on (p − 0.5) when fantrel.ini does not set one.
inline constexpr double echelle_a_priori_defaut = 0.15;

struct IntervalleConfiance
{
    double bas = 0; // proportions, 0..1
    double haut = 1;
};

struct StatistiquesSujet
{
    std::int64_t n = 0; // scored trials, categories 1 to 4
    std::int64_t justes = 0; // categories 1 and 3
    std::optional<double> pourcentage; // of right answers; none without trials
    std::optional<IntervalleConfiance> intervalle; // 95 % Wilson, of the proportion
    std::optional<double> p; // one-sided, against 50 %: P(X ≥ justes); none without trials
    std::optional<double> bf01; // chance against an effect (facteur_bayes_01)
    std::optional<double> d_prime_2afc; // √2 z(Pc), Pc log-linear corrected
    // Log-linear correction: 0.5 added to each count, 1 to each total. None unless the
    // row has both signal (1, 2) and noise (3, 4) trials.
    std::optional<double> d_prime;
    std::optional<double> critere; // c = −(z(H) + z(F)) / 2
};

StatistiquesSujet statistiques(const Comptes &comptes,
                               double echelle_a_priori = echelle_a_priori_defaut);

// P(X ≥ k) for X ~ B(n, 1/2), to about 1e-13 relative for any n.
double queue_binomiale(std::int64_t n, std::int64_t k);
// P(X = k) for X ~ B(n, 1/2).
double probabilite_binomiale(std::int64_t n, std::int64_t k);

double normale(double x); // Φ(x), the standard normal CDF
// Φ⁻¹(p) for 0 < p < 1; ±infinity at 0 and 1, NaN outside.
double normale_inverse(double p);

// Wilson's score interval of k successes in n > 0 trials at the given level.
IntervalleConfiance intervalle_wilson(std::int64_t n, std::int64_t k, double niveau = 0.95);

// BF01 of k right in n > 0 trials: the binomial likelihood at p = 0.5 over its mean
// under H1, where (p − 0.5) is half-normal with this scale, truncated at p = 1 and
// renormalised. Integrated by adaptive Gauss–Kronrod to 1e-10 relative.
double facteur_bayes_01(std::int64_t n, std::int64_t k, double echelle);

enum class ConclusionBayes { hasard, effet, non_concluant };
// BF01 > 3 for chance, < 1/3 for an effect, otherwise inconclusive.
ConclusionBayes conclusion_bayes(double bf01);

// 2AFC sensitivity √2 z(Pc), Pc = (k + 0.5) / (n + 1) so that 0 and n stay finite.
double d_prime_2afc(std::int64_t n, std::int64_t k);

// One-sample Student t-test of the values against a reference, one-sided: H1 is a
// mean above it (as the binomial p).
struct TestStudent
{
    int effectif = 0;
    double moyenne = 0;
    double ecart_type = 0; // sample standard deviation (n − 1)
    double t = 0;
    int ddl = 0;
    double p = 1;
};
// None for fewer than 2 values or no spread (t does not exist).
std::optional<TestStudent> test_student(const std::vector<double> &valeurs, double reference);

// The group: each participant's percent correct against 50 % by the t-test, and every
// trial pooled in one binomial (the same statistics as one subject's).
struct StatistiquesGroupe
{
    int participants = 0; // rows with at least one scored trial
    std::optional<double> moyenne; // of the participants' percent correct
    std::optional<TestStudent> student;
    StatistiquesSujet groupees;
};
StatistiquesGroupe statistiques_groupe(const std::vector<Comptes> &participants,
                                       double echelle_a_priori = echelle_a_priori_defaut);

} // namespace fantrel::results
