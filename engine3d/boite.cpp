#include "engine3d/boite.h"

#include <algorithm>
#include <cmath>

namespace fantrel::engine3d {

void Boite::definir_largeur(float largeur)
{
    if (largeur == m_largeur)
        return;
    m_largeur = largeur;
    modifie();
}

void Boite::definir_hauteur(float hauteur)
{
    if (hauteur == m_hauteur)
        return;
    m_hauteur = hauteur;
    modifie();
}

void Boite::definir_profondeur(float profondeur)
{
    if (profondeur == m_profondeur)
        return;
    m_profondeur = profondeur;
    modifie();
}

QMatrix4x4 Boite::matrice_boite() const
{
    // A zero size would make the normal matrix singular; a hair keeps it invertible.
    auto taille = [](float t) { return std::max(std::abs(t), 1e-5f); };
    QMatrix4x4 m = matrice_modele();
    m.scale(taille(m_largeur), taille(m_hauteur), taille(m_profondeur));
    return m;
}

} // namespace fantrel::engine3d
