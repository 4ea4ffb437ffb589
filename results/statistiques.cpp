#include "results/statistiques.h"
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace fantrel::results {

namespace {

namespace bm = boost::math;
// Never an exception: an edge the callers did not rule out gives a value, not a throw.
using Politique = bm::policies::policy<bm::policies::domain_error<bm::policies::ignore_error>,
                                       bm::policies::overflow_error<bm::policies::ignore_error>,
                                       bm::policies::evaluation_error<bm::policies::ignore_error>>;

// log of the binomial likelihood at p = 0.5 + δ over that at 0.5, less the half-normal
// prior's exponent: the integrand of BF10 is exp of this.
double exposant_h1(double delta, double n, double k, double echelle)
{
    // NOTE: no wrong answer and δ = 0.5 would give 0 × −∞.
    const double faux = n > k ? (n - k) * std::log1p(-2 * delta) : 0;
    return k * std::log1p(2 * delta) + faux - delta * delta / (2 * echelle * echelle);
}

// Where exposant_h1 peaks on [0, 0.5]: it is concave, so its slope is found by halving.
double sommet_h1(double n, double k, double echelle)
{
    const auto pente = [&](double d) {
        const double faux = n > k ? 2 * (n - k) / (1 - 2 * d) : 0;
        return 2 * k / (1 + 2 * d) - faux - d / (echelle * echelle);
    };
    if (pente(0) <= 0)
        return 0;
    if (pente(0.5) >= 0)
        return 0.5; // no wrong answer: still rising at p = 1
    double bas = 0, haut = 0.5;
    for (int i = 0; i < 200 && haut - bas > 1e-15; ++i) {
        const double milieu = (bas + haut) / 2;
        (pente(milieu) > 0 ? bas : haut) = milieu;
    }
    return (bas + haut) / 2;
}

} // namespace

double probabilite_binomiale(std::int64_t n, std::int64_t k)
{
    if (n < 0 || k < 0 || k > n)
        return 0;
    return bm::pdf(bm::binomial_distribution<double, Politique>(double(n), 0.5), double(k));
}

double queue_binomiale(std::int64_t n, std::int64_t k)
{
    if (k <= 0)
        return 1;
    if (k > n)
        return 0;
    // P(X ≥ k) = P(X > k − 1), taken from the upper tail itself: no 1 − small.
    return bm::cdf(bm::complement(bm::binomial_distribution<double, Politique>(double(n), 0.5),
                                  double(k - 1)));
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
    return bm::quantile(bm::normal_distribution<double, Politique>(), p);
}

IntervalleConfiance intervalle_wilson(std::int64_t n, std::int64_t k, double niveau)
{
    if (n <= 0)
        return {};
    const double z = normale_inverse(1 - (1 - niveau) / 2);
    const double nn = double(n), z2 = z * z;
    const double prop = double(k) / nn;
    const double denominateur = 1 + z2 / nn;
    const double centre = (prop + z2 / (2 * nn)) / denominateur;
    const double marge =
            z / denominateur * std::sqrt(prop * (1 - prop) / nn + z2 / (4 * nn * nn));
    return { std::max(0.0, centre - marge), std::min(1.0, centre + marge) };
}

double facteur_bayes_01(std::int64_t n, std::int64_t k, double echelle)
{
    if (n <= 0 || k < 0 || k > n || !(echelle > 0))
        return std::numeric_limits<double>::quiet_NaN();
    const double nn = double(n), kk = double(k);
    const double sommet = sommet_h1(nn, kk, echelle);
    const double maximum = exposant_h1(sommet, nn, kk, echelle);
    // Scaled by its peak so that no n overflows; each side of the peak integrated apart
    // so that a narrow peak is never stepped over.
    const auto f = [&](double d) { return std::exp(exposant_h1(d, nn, kk, echelle) - maximum); };
    using Kronrod = bm::quadrature::gauss_kronrod<double, 61>;
    double integrale = 0;
    if (sommet > 1e-12)
        integrale += Kronrod::integrate(f, 0.0, sommet, 15, 1e-10);
    if (sommet < 0.5 - 1e-12)
        integrale += Kronrod::integrate(f, sommet, 0.5, 15, 1e-10);
    // The truncated prior's normalisation: ∫₀^½ exp(−δ²/2σ²) dδ.
    const double norme =
            echelle * std::sqrt(2 * std::numbers::pi) * (normale(0.5 / echelle) - 0.5);
    return std::exp(std::log(norme) - maximum - std::log(integrale));
}

ConclusionBayes conclusion_bayes(double bf01)
{
    if (bf01 > 3)
        return ConclusionBayes::hasard;
    if (bf01 < 1.0 / 3)
        return ConclusionBayes::effet;
    return ConclusionBayes::non_concluant;
}

double d_prime_2afc(std::int64_t n, std::int64_t k)
{
    return std::numbers::sqrt2 * normale_inverse((double(k) + 0.5) / (double(n) + 1));
}

std::optional<TestStudent> test_student(const std::vector<double> &valeurs, double reference)
{
    if (valeurs.size() < 2)
        return std::nullopt;
    TestStudent t;
    t.effectif = int(valeurs.size());
    t.ddl = t.effectif - 1;
    t.moyenne = std::accumulate(valeurs.begin(), valeurs.end(), 0.0) / t.effectif;
    double carres = 0;
    for (double v : valeurs)
        carres += (v - t.moyenne) * (v - t.moyenne);
    t.ecart_type = std::sqrt(carres / t.ddl);
    if (!(t.ecart_type > 0))
        return std::nullopt;
    t.t = (t.moyenne - reference) / (t.ecart_type / std::sqrt(double(t.effectif)));
    t.p = bm::cdf(bm::complement(bm::students_t_distribution<double, Politique>(t.ddl), t.t));
    return t;
}

StatistiquesSujet statistiques(const Comptes &comptes, double echelle_a_priori)
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
    s.intervalle = intervalle_wilson(s.n, s.justes);
    s.p = queue_binomiale(s.n, s.justes);
    s.bf01 = facteur_bayes_01(s.n, s.justes, echelle_a_priori);
    s.d_prime_2afc = d_prime_2afc(s.n, s.justes);
    if (signal > 0 && bruit > 0) {
        const double z_h = normale_inverse((comptes[1] + 0.5) / double(signal + 1));
        const double z_f = normale_inverse((comptes[4] + 0.5) / double(bruit + 1));
        s.d_prime = z_h - z_f;
        s.critere = -(z_h + z_f) / 2;
    }
    return s;
}

StatistiquesGroupe statistiques_groupe(const std::vector<Comptes> &participants,
                                       double echelle_a_priori)
{
    StatistiquesGroupe g;
    Comptes total{};
    std::vector<double> pourcentages;
    for (const Comptes &c : participants) {
        const StatistiquesSujet s = statistiques(c, echelle_a_priori);
        if (!s.pourcentage)
            continue;
        pourcentages.push_back(*s.pourcentage);
        for (int i = 1; i <= 4; ++i)
            total[i] += c[i];
    }
    g.participants = int(pourcentages.size());
    if (!pourcentages.empty())
        g.moyenne = std::accumulate(pourcentages.begin(), pourcentages.end(), 0.0)
                / double(pourcentages.size());
    g.student = test_student(pourcentages, 50);
    g.groupees = statistiques(total, echelle_a_priori);
    return g;
}

} // namespace fantrel::results
