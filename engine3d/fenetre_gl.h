// Native GL window embedded in Vue3D: passes exposures, update requests and
// mouse events on, and draws nothing itself (Vue3D owns the context).
#pragma once
#include <QWindow>

namespace fantrel::engine3d {

class FenetreGL : public QWindow
{
    Q_OBJECT
public:
    FenetreGL();

signals:
    void exposee();
    void mise_a_jour_demandee();
    void souris_appui(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void souris_deplace(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void souris_relache(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);

protected:
    bool event(QEvent *evenement) override;
    void exposeEvent(QExposeEvent *evenement) override;
    void mousePressEvent(QMouseEvent *evenement) override;
    void mouseMoveEvent(QMouseEvent *evenement) override;
    void mouseReleaseEvent(QMouseEvent *evenement) override;
};

} // namespace fantrel::engine3d
