#include "app/deplacement_flottant.h"
#include <QGroupBox>
#include <QMouseEvent>
#include <algorithm>

namespace fantrel::app {

namespace {

// The place nearest to `position` where the whole box stays inside its parent, the
// main window's client area: a box dragged out of it could not be caught again.
QPoint dans_la_zone(const QWidget *boite, QPoint position)
{
    const QWidget *zone = boite->parentWidget();
    if (!zone)
        return position;
    return { std::clamp(position.x(), 0, std::max(0, zone->width() - boite->width())),
             std::clamp(position.y(), 0, std::max(0, zone->height() - boite->height())) };
}

} // namespace

void DeplacementFlottant::rend_flottant(QGroupBox *groupe)
{
    groupe->installEventFilter(this);
    groupe->setAutoFillBackground(true);
}

bool DeplacementFlottant::eventFilter(QObject *objet, QEvent *evenement)
{
    auto *groupe = qobject_cast<QGroupBox *>(objet);
    if (!groupe)
        return QObject::eventFilter(objet, evenement);
    switch (evenement->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(evenement);
        // A press a label or an inner group left unhandled comes up to the box too.
        if (groupe->childAt(e->position().toPoint()))
            break;
        m_groupe_glisse = groupe;
        m_origine_glisse = e->globalPosition().toPoint() - groupe->pos();
        groupe->raise();
        return true;
    }
    case QEvent::MouseMove:
        if (m_groupe_glisse == groupe) {
            auto *e = static_cast<QMouseEvent *>(evenement);
            groupe->move(dans_la_zone(groupe, e->globalPosition().toPoint() - m_origine_glisse));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_groupe_glisse == groupe) {
            m_groupe_glisse = nullptr;
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(objet, evenement);
}

} // namespace fantrel::app
