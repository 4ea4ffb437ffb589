#include "app/deplacement_flottant.h"
#include <QGroupBox>
#include <QMouseEvent>

namespace fantrel::app {

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
        m_groupe_glisse = groupe;
        m_origine_glisse = e->globalPosition().toPoint() - groupe->pos();
        groupe->raise();
        return true;
    }
    case QEvent::MouseMove:
        if (m_groupe_glisse == groupe) {
            auto *e = static_cast<QMouseEvent *>(evenement);
            groupe->move(e->globalPosition().toPoint() - m_origine_glisse);
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
