#include "engine3d/fenetre_gl.h"

#include <QMouseEvent>

namespace fantrel::engine3d {

FenetreGL::FenetreGL()
{
    setSurfaceType(QSurface::OpenGLSurface);
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    setFormat(format);
    // Clicks on the view must leave the keyboard with the window's controls.
    setFlag(Qt::WindowDoesNotAcceptFocus);
}

bool FenetreGL::event(QEvent *evenement)
{
    if (evenement->type() == QEvent::UpdateRequest) {
        emit mise_a_jour_demandee();
        return true;
    }
    return QWindow::event(evenement);
}

void FenetreGL::exposeEvent(QExposeEvent *)
{
    if (isExposed())
        emit exposee();
}

void FenetreGL::mousePressEvent(QMouseEvent *e)
{
    emit souris_appui(e->position().toPoint(), e->buttons(), e->modifiers());
}

void FenetreGL::mouseMoveEvent(QMouseEvent *e)
{
    emit souris_deplace(e->position().toPoint(), e->buttons(), e->modifiers());
}

void FenetreGL::mouseReleaseEvent(QMouseEvent *e)
{
    emit souris_relache(e->position().toPoint(), e->buttons(), e->modifiers());
}

} // namespace fantrel::engine3d
