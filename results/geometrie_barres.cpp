#include "results/geometrie_barres.h"
#include <cmath>

namespace fantrel::results {

double z_rangee(int n, double pas)
{
    const double z = pas * n - 0.7;
    return n == 0 ? z - 0.3 : z;
}

double pas_rangees(int nb_util)
{
    return nb_util <= 10 ? 0.5 : 0.8;
}

double x_categorie(int c)
{
    return c - 2.5;
}

double profondeur_barre(int n)
{
    return n == 0 ? 0.8 : 0.4;
}

double echelle_rangee(int n, int position_coeff)
{
    return n == 0 ? (100 - position_coeff) / 100.0 : 1.0;
}

double unite_barre(std::int32_t plus_grand_compte)
{
    constexpr int pas_max = 20;
    return plus_grand_compte > pas_max ? pas_grille * pas_max / plus_grand_compte : pas_grille;
}

double hauteur_barre(std::int32_t compte, int n, int position_coeff, double unite)
{
    return compte * echelle_rangee(n, position_coeff) * unite;
}

double hauteur_niveau(int p)
{
    return (100 - p) / 15.0;
}

QString texte_niveau(int p)
{
    // nearbyint rounds half to even in the default rounding mode.
    return QString::number(static_cast<long>(std::nearbyint(50.0 - p / 2.0)));
}

double z_ancre(int nb_util)
{
    return (0.5 * nb_util - 2) / 2;
}

} // namespace fantrel::results
