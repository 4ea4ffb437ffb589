#include "results/statistiques.h"
#include <cmath>
#include <limits>
#include <numbers>

namespace fantrel::results {

namespace {

// log(n!) − log(√(2πn) (n/e)^n): the error of Stirling's formula.
double erreur_stirling(double n)
{
    if (n <= 15) {
        const double log_racine_2pi = 0.5 * std::log(2 * std::numbers::pi);
        return std::lgamma(n + 1) - (n + 0.5) * std::log(n) + n - log_racine_2pi;
    }
    const double n2 = n * n;
    return (1.0 / 12 - (1.0 / 360 - (1.0 / 1260 - (1.0 / 1680 - 1.0 / (1188 * n2)) / n2) / n2) / n2)
            / n;
}

// x log(x / m) + m − x, without the cancellation when x is close to m.
double ecart(double x, double m)
{
    if (std::abs(x - m) >= 0.1 * (x + m))
        return x * std::log(x / m) + m - x;
    const double v = (x - m) / (x + m);
    double somme = (x - m) * v;
    double terme = 2 * x * v;
    for (int j = 1; j < 1000; ++j) {
        terme *= v * v;
        const double suivante = somme + terme / (2 * j + 1);
        if (suivante == somme)
            break;
        somme = suivante;
    }
    return somme;
}

double z_acklam(double p)
{
    static constexpr double a[] = { -3.969683028665376e+01, 2.209460984245205e+02,
                                    -2.759285104469687e+02, 1.383577518672690e+02,
                                    -3.066479806614716e+01, 2.506628277459239e+00 };
    static constexpr double b[] = { -5.447609879822406e+01, 1.615858368580409e+02,
                                    -1.556989798598866e+02, 6.680131188771972e+01,
                                    -1.328068155288572e+01 };
    static constexpr double c[] = { -7.784894002430293e-03, -3.223964580411365e-01,
                                    -2.400758277161838e+00, -2.549732539343734e+00,
                                    4.374664141464968e+00,  2.938163982698783e+00 };
    static constexpr double d[] = { 7.784695709041462e-03, 3.224671290700398e-01,
                                    2.445134137142996e+00, 3.754408661907416e+00 };
    constexpr double p_bas = 0.02425;
    const auto queue = [&](double q) {
        return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5])
                / ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    };
    if (p < p_bas)
        return queue(std::sqrt(-2 * std::log(p)));
    if (p > 1 - p_bas)
        return -queue(std::sqrt(-2 * std::log1p(-p)));
    const double q = p - 0.5;
    const double r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q
            / (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
}

} // namespace

double probabilite_binomiale(std::int64_t n, std::int64_t k)
{
    if (k < 0 || k > n)
        return 0;
    const double nn = double(n);
    if (k == 0 || k == n)
        return std::exp(-nn * std::numbers::ln2);
    const double x = double(k);
    const double moitie = nn / 2;
    const double log_p = erreur_stirling(nn) - erreur_stirling(x) - erreur_stirling(nn - x)
            - ecart(x, moitie) - ecart(nn - x, moitie);
    return std::exp(log_p) * std::sqrt(nn / (2 * std::numbers::pi * x * (nn - x)));
}

double queue_binomiale(std::int64_t n, std::int64_t k)
{
    if (k <= 0)
        return 1;
    if (k > n)
        return 0;
    if (2 * k <= n) // P(X ≥ k) = 1 − P(X ≥ n − k + 1) by symmetry; the latter is < 1/2
        return 1 - queue_binomiale(n, n - k + 1);
    // Past the mode the terms fall: sum them until they stop counting.
    double terme = probabilite_binomiale(n, k);
    double somme = 0;
    for (std::int64_t i = k; i <= n && terme > somme * 1e-17; ++i) {
        somme += terme;
        terme *= double(n - i) / double(i + 1);
    }
    return std::min(somme, 1.0);
}

double normale(double x)
{
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

double normale_inverse(double p)
{
    if (!(p > 0))
        return p == 0 ? -std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::quiet_NaN();
    if (!(p < 1))
        return p == 1 ? std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::quiet_NaN();
    double x = z_acklam(p);
    // One Halley step on Φ(x) − p: the approximation's 1e-9 becomes the double's own.
    const double e = p < 0.5 ? normale(x) - p : (1 - p) - normale(-x); // no cancellation near 1
    const double u = e * std::sqrt(2 * std::numbers::pi) * std::exp(x * x / 2);
    x -= u / (1 + x * u / 2);
    return x;
}

StatistiquesSujet statistiques(const Comptes &comptes)
{
    StatistiquesSujet s;
    for (int c = 1; c <= 4; ++c)
        if (comptes[c] < 0)
            return s; // not counts: nothing to say
    const std::int64_t signal = std::int64_t(comptes[1]) + comptes[2];
    const std::int64_t bruit = std::int64_t(comptes[3]) + comptes[4];
    s.n = signal + bruit;
    s.justes = std::int64_t(comptes[1]) + comptes[3];
    if (s.n <= 0)
        return s;
    s.pourcentage = 100.0 * double(s.justes) / double(s.n);
    s.p = queue_binomiale(s.n, s.justes);
    if (signal > 0 && bruit > 0) {
        const double z_h = normale_inverse((comptes[1] + 0.5) / double(signal + 1));
        const double z_f = normale_inverse((comptes[4] + 0.5) / double(bruit + 1));
        s.d_prime = z_h - z_f;
        s.critere = -(z_h + z_f) / 2;
    }
    return s;
}

} // namespace fantrel::results
