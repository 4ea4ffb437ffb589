#include "engine3d/camera.h"

#include <algorithm>
#include <cmath>

namespace fantrel::engine3d {

namespace {

// Some unit vector perpendicular to v (v not null).
QVector3D perpendiculaire(const QVector3D &v)
{
    const QVector3D axe = std::abs(v.y()) < 0.9f ? QVector3D(0, 1, 0) : QVector3D(0, 0, -1);
    return QVector3D::crossProduct(v, axe).normalized();
}

} // namespace

void Camera::definir_cible(Objet *cible)
{
    if (cible == m_cible)
        return;
    m_cible = cible;
    modifie();
}

QVector3D Camera::point_vise() const
{
    return m_cible ? m_cible->position() : position() + direction();
}

void Camera::definir_focale(float focale)
{
    if (focale == m_focale)
        return;
    m_focale = focale;
    modifie();
}

void Camera::definir_profondeur_vue(float profondeur)
{
    if (profondeur == m_profondeur_vue)
        return;
    m_profondeur_vue = profondeur;
    modifie();
}

void Camera::definir_echelle_scene(float echelle)
{
    if (echelle == m_echelle_scene)
        return;
    m_echelle_scene = echelle;
    modifie();
}

void Camera::definir_biais_plan_proche(float biais)
{
    if (biais == m_biais_plan_proche)
        return;
    m_biais_plan_proche = biais;
    modifie();
}

void Camera::orbite(float tangage, float virage)
{
    const QVector3D centre = point_vise();
    QVector3D decalage = position() - centre;
    if (decalage.isNull())
        return;
    const QVector3D avant = -decalage.normalized();
    QVector3D haut = this->haut();
    QVector3D droite = QVector3D::crossProduct(avant, haut);
    droite = droite.lengthSquared() < 1e-12f ? perpendiculaire(avant) : droite.normalized();
    const QQuaternion rotation = QQuaternion::fromAxisAndAngle(0, 1, 0, virage)
            * QQuaternion::fromAxisAndAngle(droite, tangage);
    decalage = rotation.rotatedVector(decalage);
    haut = rotation.rotatedVector(haut);
    definir_orientation(QQuaternion::fromDirection(-decalage, haut));
    definir_position(centre + decalage);
}

void Camera::ajuste_distance(float facteur)
{
    if (!(facteur > 0.0f))
        return;
    const QVector3D centre = point_vise();
    definir_position(centre + (position() - centre) * facteur);
}

QMatrix4x4 Camera::matrice_vue() const
{
    QVector3D avant = point_vise() - position();
    avant = avant.lengthSquared() < 1e-12f ? direction() : avant.normalized();
    QVector3D haut = this->haut();
    if (QVector3D::crossProduct(avant, haut).lengthSquared() < 1e-12f)
        haut = perpendiculaire(avant);
    QMatrix4x4 vue;
    vue.lookAt(position(), position() + avant, haut);
    return vue;
}

QMatrix4x4 Camera::matrice_projection(QSize pixels) const
{
    const float aspect = float(std::max(pixels.width(), 1)) / float(std::max(pixels.height(), 1));
    const float demi_hauteur = demi_hauteur_focale_1 / std::max(m_focale, 0.01f);
    const float proche = 0.01f * m_biais_plan_proche * m_echelle_scene;
    float lointain = m_profondeur_vue * m_echelle_scene;
    if (!(lointain > proche))
        lointain = proche + 1.0f;
    QMatrix4x4 projection;
    projection.ortho(-demi_hauteur * aspect, demi_hauteur * aspect, -demi_hauteur, demi_hauteur,
                     proche, lointain);
    return projection;
}

QVector3D Camera::vers_observateur() const
{
    const QVector3D avant = point_vise() - position();
    return avant.lengthSquared() < 1e-12f ? -direction() : -avant.normalized();
}

} // namespace fantrel::engine3d
