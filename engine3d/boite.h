// Box centred on its position, sized by width (x), height (y) and depth (z).
#pragma once
#include "engine3d/objet_materiau.h"

namespace fantrel::engine3d {

class Boite : public ObjetMateriau
{
public:
    Genre genre() const override { return Genre::Boite; }

    float largeur() const { return m_largeur; }
    void definir_largeur(float largeur);
    float hauteur() const { return m_hauteur; }
    // A height of 0 draws a flat rectangle (a bar with no count).
    void definir_hauteur(float hauteur);
    float profondeur() const { return m_profondeur; }
    void definir_profondeur(float profondeur);

    // Model matrix with the sizes folded in (the renderer draws a unit box).
    QMatrix4x4 matrice_boite() const;

private:
    float m_largeur = 1.0f;
    float m_hauteur = 1.0f;
    float m_profondeur = 1.0f;
};

} // namespace fantrel::engine3d
