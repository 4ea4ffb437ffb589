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

// The focal length at which the camera, as it is aimed, shows every point in a view of
// this size, with a margin of a few pixels.
float focale_cadrant(const engine3d::Camera &camera, const std::vector<QVector3D> &coins,
                     QSize pixels);

// The window's height for this many user rows: 333 pixels up to 10, then 22 more a row
// (at most 760), so that the rows' pitch on screen stays above a name's height.
int hauteur_fenetre_resultats(int rangees);

} // namespace fantrel::results
