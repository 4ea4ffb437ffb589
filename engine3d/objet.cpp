#include "engine3d/objet.h"

#include "engine3d/scene.h"

namespace fantrel::engine3d {

void Objet::definir_position(const QVector3D &position)
{
    if (position == m_position)
        return;
    m_position = position;
    modifie();
}

void Objet::definir_orientation(const QQuaternion &orientation)
{
    const QQuaternion normee = orientation.normalized();
    if (normee == m_orientation)
        return;
    m_orientation = normee;
    modifie();
}

QVector3D Objet::direction() const
{
    return m_orientation.rotatedVector({ 0, 0, 1 });
}

QVector3D Objet::haut() const
{
    return m_orientation.rotatedVector({ 0, 1, 0 });
}

void Objet::definir_direction(const QVector3D &direction)
{
    if (direction.isNull())
        return;
    definir_orientation(QQuaternion::fromDirection(direction.normalized(), haut()));
}

void Objet::definir_haut(const QVector3D &haut)
{
    if (haut.isNull())
        return;
    definir_orientation(QQuaternion::fromDirection(direction(), haut.normalized()));
}

void Objet::tourne_y(float degres)
{
    definir_orientation(QQuaternion::fromAxisAndAngle(0, 1, 0, degres) * m_orientation);
}

void Objet::definir_echelle(const QVector3D &echelle)
{
    if (echelle == m_echelle)
        return;
    m_echelle = echelle;
    modifie();
}

void Objet::definir_visible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    modifie();
}

QMatrix4x4 Objet::matrice_modele() const
{
    QMatrix4x4 m;
    m.translate(m_position);
    m.rotate(m_orientation);
    m.scale(m_echelle);
    return m;
}

void Objet::modifie()
{
    if (m_scene)
        m_scene->signale_modification();
}

} // namespace fantrel::engine3d
