// Mouse control of a view's camera, shared by the main view and the results view:
// Shift + left drag zooms (focal length), left drag alone orbits around the target.
#pragma once
#include <QMetaObject>
#include <QObject>
#include <QPoint>

namespace fantrel::engine3d {

class Camera;
class Vue3D;

class ControleCameraSouris : public QObject
{
    Q_OBJECT
public:
    explicit ControleCameraSouris(QObject *parent = nullptr);
    ~ControleCameraSouris() override;

    // Follows the view's mouse signals and drives `camera` (usually the view's
    // own). Attaching again first detaches.
    void attacher(Vue3D &vue, Camera &camera);
    void detacher();
    bool attache() const { return m_vue != nullptr; }

    // When set, a zoom step giving a focal length <= 0 sets it to 1 instead.
    bool borne_focale() const { return m_borne_focale; }
    void definir_borne_focale(bool borne) { m_borne_focale = borne; }

    bool zoom_arme() const { return m_zoom_arme; }

    // The handlers, public so they can be driven without a window.
    void appui(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void deplace(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void relache(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);

private:
    void camera_changee();

    Vue3D *m_vue = nullptr;
    Camera *m_camera = nullptr;
    QMetaObject::Connection m_appui, m_deplace, m_relache, m_destruction;
    bool m_borne_focale = true;
    bool m_zoom_arme = false;
    int m_origine_zoom_y = 0;
    float m_focale_memorisee = 0.0f;
    QPoint m_precedente;
};

} // namespace fantrel::engine3d
