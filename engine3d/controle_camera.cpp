#include "engine3d/controle_camera.h"

#include "engine3d/camera.h"
#include "engine3d/vue3d.h"

namespace fantrel::engine3d {

namespace {

// The keys that count in "exactly Shift"; keypad and group flags are not keys held.
constexpr Qt::KeyboardModifiers touches_comptees =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool exactement(Qt::MouseButtons boutons, Qt::KeyboardModifiers touches, Qt::MouseButtons b,
                Qt::KeyboardModifiers t)
{
    return boutons == b && (touches & touches_comptees) == t;
}

} // namespace

ControleCameraSouris::ControleCameraSouris(QObject *parent) : QObject(parent) { }

ControleCameraSouris::~ControleCameraSouris()
{
    detacher();
}

void ControleCameraSouris::attacher(Vue3D &vue, Camera &camera)
{
    detacher();
    m_vue = &vue;
    m_camera = &camera;
    m_appui = connect(&vue, &Vue3D::souris_appui, this, &ControleCameraSouris::appui);
    m_deplace = connect(&vue, &Vue3D::souris_deplace, this, &ControleCameraSouris::deplace);
    m_relache = connect(&vue, &Vue3D::souris_relache, this, &ControleCameraSouris::relache);
    m_destruction = connect(&vue, &QObject::destroyed, this, [this] {
        m_vue = nullptr;
        m_camera = nullptr;
    });
}

void ControleCameraSouris::detacher()
{
    for (auto *c : { &m_appui, &m_deplace, &m_relache, &m_destruction })
        disconnect(*c);
    m_vue = nullptr;
    m_camera = nullptr;
    m_zoom_arme = false;
}

void ControleCameraSouris::appui(QPoint position, Qt::MouseButtons boutons,
                                 Qt::KeyboardModifiers touches)
{
    if (!m_camera || !exactement(boutons, touches, Qt::LeftButton, Qt::ShiftModifier))
        return;
    m_zoom_arme = true;
    m_origine_zoom_y = position.y();
    m_focale_memorisee = m_camera->focale();
}

void ControleCameraSouris::deplace(QPoint position, Qt::MouseButtons boutons,
                                   Qt::KeyboardModifiers touches)
{
    if (!m_camera)
        return;
    if (m_zoom_arme && exactement(boutons, touches, Qt::LeftButton, Qt::ShiftModifier)) {
        float focale = m_focale_memorisee + float(position.y() - m_origine_zoom_y) / 10.0f;
        if (m_borne_focale && focale <= 0.0f)
            focale = 1.0f;
        m_camera->definir_focale(focale);
        camera_changee();
        return;
    }
    if (exactement(boutons, touches, Qt::LeftButton, {})) {
        m_camera->orbite(float(m_precedente.y() - position.y()),
                         float(m_precedente.x() - position.x()));
        camera_changee();
    }
    m_precedente = position;
}

void ControleCameraSouris::relache(QPoint, Qt::MouseButtons, Qt::KeyboardModifiers)
{
    m_zoom_arme = false;
}

void ControleCameraSouris::camera_changee()
{
    if (m_vue)
        m_vue->demande_repeint();
}

} // namespace fantrel::engine3d
