#include "chart/echelle.h"
#include <algorithm>
#include <cmath>

namespace fantrel::chart {

Echelle echelle_axe(double min, double max, int graduations)
{
    min = std::min(min, 0.0);
    max = std::max(max, 0.0);
    if (!std::isfinite(min) || !std::isfinite(max))
        return {};
    if (max - min <= 0)
        max = min + 1;
    const double brut = (max - min) / std::max(graduations, 1);
    const double puissance = std::pow(10.0, std::floor(std::log10(brut)));
    double pas = puissance;
    for (double facteur : { 1.0, 2.0, 5.0, 10.0 }) {
        pas = facteur * puissance;
        if (pas >= brut)
            break;
    }
    return { std::floor(min / pas) * pas, std::ceil(max / pas) * pas, pas };
}

QList<double> Echelle::graduations() const
{
    QList<double> valeurs;
    if (!(pas > 0))
        return valeurs;
    const auto nombre = static_cast<long long>(std::llround((fin - debut) / pas));
    for (long long k = 0; k <= nombre && k <= 1000; ++k)
        valeurs << debut + double(k) * pas;
    return valeurs;
}

} // namespace fantrel::chart
