// Statistics of a subject from the four answer counts of a row: how many trials were
// scored, how many right, whether that is better than chance, and the
// signal-detection indices with the first word (or the incongruous melody) as signal:
// category 1 hit, 2 miss, 4 false alarm, 3 correct rejection.
#pragma once
#include "results/enregistrement.h"
#include <cstdint>
#include <optional>

namespace fantrel::results {

struct StatistiquesSujet
{
    std::int64_t n = 0; // scored trials, categories 1 to 4
    std::int64_t justes = 0; // categories 1 and 3
    std::optional<double> pourcentage; // of right answers; none without trials
    std::optional<double> p; // one-sided, against 50 %: P(X ≥ justes); none without trials
    // Log-linear correction: 0.5 added to each count, 1 to each total. None unless the
    // row has both signal (1, 2) and noise (3, 4) trials.
    std::optional<double> d_prime;
    std::optional<double> critere; // c = −(z(H) + z(F)) / 2
};

StatistiquesSujet statistiques(const Comptes &comptes);

// P(X ≥ k) for X ~ B(n, 1/2), to about 1e-13 relative for any n (no overflow, no
// cancellation: the terms come from Loader's saddle-point form).
double queue_binomiale(std::int64_t n, std::int64_t k);
// P(X = k) for X ~ B(n, 1/2), same form.
double probabilite_binomiale(std::int64_t n, std::int64_t k);

double normale(double x); // Φ(x), the standard normal CDF
// Φ⁻¹(p) for 0 < p < 1 (±infinity at 0 and 1): Acklam's rational approximation
// refined by one Halley step, to full double precision.
double normale_inverse(double p);

} // namespace fantrel::results
