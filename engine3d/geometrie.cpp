#include "engine3d/geometrie.h"

#include <array>
#include <cmath>

namespace fantrel::engine3d {

Maillage construit_boite(float largeur, float hauteur, float profondeur)
{
    const QVector3D d(std::abs(largeur) / 2, std::abs(hauteur) / 2, std::abs(profondeur) / 2);
    // u x v = normale, so the corners below run counter-clockwise seen from outside.
    static constexpr std::array<std::array<float, 9>, 6> faces{ {
            { 1, 0, 0, 0, 0, -1, 0, 1, 0 },
            { -1, 0, 0, 0, 0, 1, 0, 1, 0 },
            { 0, 1, 0, 1, 0, 0, 0, 0, -1 },
            { 0, -1, 0, 1, 0, 0, 0, 0, 1 },
            { 0, 0, 1, 1, 0, 0, 0, 1, 0 },
            { 0, 0, -1, -1, 0, 0, 0, 1, 0 },
    } };
    Maillage m;
    m.sommets.reserve(24);
    m.indices.reserve(36);
    for (const auto &f : faces) {
        const QVector3D n(f[0], f[1], f[2]), u(f[3], f[4], f[5]), v(f[6], f[7], f[8]);
        const auto base = static_cast<std::uint32_t>(m.sommets.size());
        static constexpr std::array<std::array<float, 2>, 4> coins{
            { { -1, -1 }, { 1, -1 }, { 1, 1 }, { -1, 1 } }
        };
        for (const auto &[su, sv] : coins) {
            const QVector3D p = n + u * su + v * sv;
            m.sommets.push_back({ p * d, n });
        }
        for (std::uint32_t i : { 0u, 1u, 2u, 0u, 2u, 3u })
            m.indices.push_back(base + i);
    }
    return m;
}

namespace {

// Positions from debut to fin by pas, the last one kept if within 1e-4 step of fin.
template<class F>
void pour_chaque_pas(float debut, float fin, float pas, F &&f)
{
    if (!(pas > 0.0f) || !(fin >= debut) || !std::isfinite(debut) || !std::isfinite(fin))
        return;
    const auto n = static_cast<long>(std::floor((fin - debut) / pas + 1e-4f));
    for (long k = 0; k <= n; ++k)
        f(debut + float(k) * pas);
}

} // namespace

Maillage construit_grille(const ParametresGrille &g)
{
    Maillage m;
    m.primitive = Primitive::Lignes;
    auto ligne = [&m](QVector3D a, QVector3D b) {
        const auto base = static_cast<std::uint32_t>(m.sommets.size());
        m.sommets.push_back({ a, {} });
        m.sommets.push_back({ b, {} });
        m.indices.push_back(base);
        m.indices.push_back(base + 1);
    };
    if (g.y_max >= g.y_min)
        pour_chaque_pas(g.x_min, g.x_max, g.pas_x, [&](float x) {
            ligne({ x, g.y_min, 0 }, { x, g.y_max, 0 });
        });
    if (g.x_max >= g.x_min)
        pour_chaque_pas(g.y_min, g.y_max, g.pas_y, [&](float y) {
            ligne({ g.x_min, y, 0 }, { g.x_max, y, 0 });
        });
    return m;
}

} // namespace fantrel::engine3d
