// Orthographic camera, aimed at a target object when it has one.
#pragma once
#include "engine3d/objet.h"

#include <QSize>

namespace fantrel::engine3d {

class Camera : public Objet
{
public:
    // Half the view height, in scene units, at a focal length of 1: the view
    // shows 2 * 20 / focale units from bottom to top (5.7 at focal 7).
    static constexpr float demi_hauteur_focale_1 = 20.0f;

    Genre genre() const override { return Genre::Camera; }

    // Object looked at (not owned; the scene clears it when the object is removed).
    // Without a target the camera looks along its direction().
    Objet *cible() const { return m_cible; }
    void definir_cible(Objet *cible);
    QVector3D point_vise() const;

    // Zoom of the orthographic view: larger shows a smaller part of the scene.
    // NOTE: any value is kept as set; the projection uses at least 0.01.
    float focale() const { return m_focale; }
    void definir_focale(float focale);
    // Depth of the clipped volume (far plane = profondeur_vue * echelle_scene).
    float profondeur_vue() const { return m_profondeur_vue; }
    void definir_profondeur_vue(float profondeur);
    // Scales the depth range only; the size of the picture is the focal length's.
    float echelle_scene() const { return m_echelle_scene; }
    void definir_echelle_scene(float echelle);
    // Near plane = 0.01 * biais * echelle_scene in front of the camera.
    float biais_plan_proche() const { return m_biais_plan_proche; }
    void definir_biais_plan_proche(float biais);

    // Turns the camera's position (and up vector) around the point aimed at:
    // `tangage` degrees about the camera's right axis (positive lowers the
    // camera), then `virage` degrees about the world vertical (positive moves
    // it to its right). Fed with (previous - current) pointer deltas, the scene
    // follows the pointer.
    void orbite(float tangage, float virage);
    // Moves along the line to the point aimed at so the distance is multiplied
    // by `facteur`; a factor <= 0 is ignored (it would put the camera on the target).
    void ajuste_distance(float facteur);

    QMatrix4x4 matrice_vue() const;
    // Projection for a view of this size in pixels (aspect kept).
    QMatrix4x4 matrice_projection(QSize pixels) const;
    // Unit vector from the scene toward the viewer, for specular lighting.
    QVector3D vers_observateur() const;

private:
    Objet *m_cible = nullptr;
    float m_focale = 7.0f;
    float m_profondeur_vue = 100.0f;
    float m_echelle_scene = 1.0f;
    float m_biais_plan_proche = 1.0f;
};

} // namespace fantrel::engine3d
