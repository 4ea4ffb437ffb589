// Builders of simple shapes. They never touch GL, so they are tested without a context.
#pragma once
#include "engine3d/maillage.h"

namespace fantrel::engine3d {

// Box centred on the origin: 6 faces of 4 vertices with flat outward normals,
// 12 triangles. Negative sizes are taken as their absolute value.
Maillage construit_boite(float largeur, float hauteur, float profondeur);

// Lines of a grid in the x-y plane (z = 0): one vertical line per x step from
// x_min to x_max, one horizontal line per y step from y_min to y_max (both ends
// included within a small tolerance). A step <= 0 or an empty range draws no
// line in that direction rather than looping forever.
struct ParametresGrille
{
    float x_min = -1.0f, x_max = 1.0f, pas_x = 1.0f;
    float y_min = -1.0f, y_max = 1.0f, pas_y = 1.0f;
    friend bool operator==(const ParametresGrille &, const ParametresGrille &) = default;
};
Maillage construit_grille(const ParametresGrille &parametres);

} // namespace fantrel::engine3d
