// Checks on meshes shared by the engine's tests.
#pragma once
#include "engine3d/maillage.h"

#include <QPointF>
#include <QString>

namespace essais {

using fantrel::engine3d::Maillage;

// Triangles of the mesh whose three vertex normals are close to `normale`.
std::vector<std::size_t> triangles_de_normale(const Maillage &m, const QVector3D &normale);
// Triangles whose normals lie in the x-y plane (side walls).
std::vector<std::size_t> triangles_lateraux(const Maillage &m);

// Geometric normal (b - a) x (c - a) of triangle t, not normalised.
QVector3D normale_geometrique(const Maillage &m, std::size_t t);

// Empty when every edge (by position) belongs to exactly two triangles, else
// a description of the first open or over-used edge.
QString defaut_fermeture(const Maillage &m);

// Whether the point of the x-y plane lies inside one of the given triangles.
bool couvert(const Maillage &m, const std::vector<std::size_t> &triangles, QPointF point);

} // namespace essais
