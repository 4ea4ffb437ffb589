// Geometry handed from the builders to the renderer: plain arrays, no GL.
#pragma once
#include <QVector3D>

#include <cstdint>
#include <vector>

namespace fantrel::engine3d {

// One vertex: position and unit normal (zero for lines), 6 floats interleaved.
struct SommetMaillage
{
    QVector3D position;
    QVector3D normale;
};

enum class Primitive { Triangles, Lignes };

// Vertex and index arrays of one drawable shape. Triangles are counter-clockwise
// seen from outside. NOTE: `numero` is unique per built mesh for the life of the
// process; the renderer keys its GPU buffers by it, never by address.
struct Maillage
{
    Maillage();

    std::vector<SommetMaillage> sommets;
    std::vector<std::uint32_t> indices;
    Primitive primitive = Primitive::Triangles;
    std::uint64_t numero = 0;

    bool vide() const { return indices.empty(); }
    // Axis-aligned bounds of the vertices; both zero for an empty mesh.
    QVector3D minimum() const;
    QVector3D maximum() const;
};

} // namespace fantrel::engine3d
