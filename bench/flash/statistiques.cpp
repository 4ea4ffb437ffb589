#include "statistiques.h"
#include <algorithm>
#include <cmath>

namespace fantrel::banc_flash {

namespace {
double rang(const std::vector<double> &tries, double quantile)
{
    const auto k = std::size_t(std::ceil(quantile * double(tries.size())));
    return tries[std::clamp<std::size_t>(k, 1, tries.size()) - 1];
}
} // namespace

Resume resume(std::vector<double> valeurs)
{
    if (valeurs.empty())
        return {};
    std::sort(valeurs.begin(), valeurs.end());
    return { int(valeurs.size()), rang(valeurs, 0.5), rang(valeurs, 0.99), valeurs.back() };
}

std::vector<double> absolues(std::vector<double> valeurs)
{
    for (double &v : valeurs)
        v = std::abs(v);
    return valeurs;
}

} // namespace fantrel::banc_flash
