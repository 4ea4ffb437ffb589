// Extruded text: glyph outlines of a font, filled front and back, with side walls.
// Never touches GL; tested without a context.
#pragma once
#include "engine3d/maillage.h"

#include <QString>

namespace fantrel::engine3d {

// Size of one font pixel in scene units: a 19-pixel Arial word is about
// 0.95 unit tall (em), and a label scaled by 0.3 stays legible next to bars
// 0.8 unit wide.
inline constexpr float unites_par_pixel_police = 1.0f / 20.0f;

// What the mesh of a text depends on (the cache key).
struct ParametresTexte
{
    QString texte;
    QString famille = QStringLiteral("Arial");
    int hauteur_pixels = 19;
    float profondeur = 1.0f; // extrusion depth in scene units
    friend bool operator==(const ParametresTexte &, const ParametresTexte &) = default;
};

// Mesh of the text on one line: the pen starts at x = 0, the baseline is y = 0,
// y goes up, and the extrusion spans z = -profondeur/2 .. +profondeur/2 with the
// readable face toward +z. Filling follows the outline's own rule (even-odd for
// glyphs), so holes ("o", "é") stay open. Empty or blank text gives an empty mesh.
Maillage construit_texte_extrude(const ParametresTexte &parametres);

} // namespace fantrel::engine3d
