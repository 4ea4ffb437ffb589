// Colours of the 3D engine and the program's colour values.
#pragma once
#include <cstdint>

namespace fantrel::engine3d {

// A colour as OpenGL takes it: red, green, blue, alpha in 0..1.
struct CouleurRVBA
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
    friend bool operator==(const CouleurRVBA &, const CouleurRVBA &) = default;
};

// Flag of a system colour value: 0x80000000 + index (a negative number as int32).
inline constexpr std::uint32_t drapeau_couleur_systeme = 0x80000000u;

// Resolves a colour value: 0x00BBGGRR for a plain colour, or the flag plus a
// system colour index (classic desktop defaults, indices 0..30). NOTE: an
// unknown system index gives opaque black; the top byte of a plain colour is ignored.
CouleurRVBA couleur_depuis_valeur(std::int32_t valeur);

// Shorthand for an opaque colour from 0..255 components.
constexpr CouleurRVBA couleur_octets(int r, int g, int b)
{
    return { float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f, 1.0f };
}

} // namespace fantrel::engine3d
