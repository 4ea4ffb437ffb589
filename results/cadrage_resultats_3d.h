// Fitting the 3D results view to what it shows, whatever the number of rows and counts:
// the camera zoomed so that every bar, text and the grid stand inside the picture, and
// the window made taller as rows are added so that the names keep a legible size.
#pragma once
#include <QSize>
#include <QVector3D>
#include <vector>

namespace fantrel::engine3d {
class Camera;
class Scene;
} // namespace fantrel::engine3d

namespace fantrel::results {

// The corners of every visible box, text and grid of the scene, in scene units.
std::vector<QVector3D> coins_a_montrer(const engine3d::Scene &scene);

// How far the camera must step back from its target so that every point stands in
// front of its near plane (0 when they all do).
float recul_necessaire(const engine3d::Camera &camera, const std::vector<QVector3D> &coins);

// The focal length at which the camera, as it is aimed, shows every point in a view of
// this size, with a margin of a few pixels.
float focale_cadrant(const engine3d::Camera &camera, const std::vector<QVector3D> &coins,
                     QSize pixels);

// The window's size for this many user rows: 441 × 333 pixels up to 10, then 22 more
// high a row (at most 760) and 8 more wide past 15 (at most 600), so that the names keep
// a legible height.
QSize taille_fenetre_resultats(int rangees);

} // namespace fantrel::results
