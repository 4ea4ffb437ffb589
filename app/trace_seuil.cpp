#include "app/trace_seuil.h"
#include <QPainter>
#include <algorithm>

namespace fantrel::app {

TraceSeuil::TraceSeuil(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Trace_seuil"));
    setAccessibleName(QStringLiteral("Parcours des niveaux"));
    setMinimumSize(360, 180);
}

void TraceSeuil::montre(const QVector<trials::PasSeuil> &trace, std::optional<double> seuil,
                        const QString &unite)
{
    m_trace = trace;
    m_seuil = seuil;
    m_unite = unite;
    update();
}

void TraceSeuil::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF zone = QRectF(rect()).adjusted(40, 10, -10, -24);
    p.setPen(Qt::black);
    p.drawRect(zone);
    if (m_trace.isEmpty())
        return;
    int haut = 1;
    for (const trials::PasSeuil &pas : m_trace)
        haut = std::max(haut, pas.niveau);
    haut += 1;
    const double n = double(m_trace.size());
    const auto x = [&](int i) { return zone.left() + zone.width() * (i + 0.5) / n; };
    const auto y = [&](double v) { return zone.bottom() - zone.height() * v / haut; };
    for (int v = 0; v <= haut; ++v) {
        p.drawText(QRectF(0, y(v) - 8, 36, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v));
    }
    p.drawText(QRectF(zone.left(), zone.bottom() + 4, zone.width(), 18), Qt::AlignCenter,
               QStringLiteral("essai (niveau en %1)").arg(m_unite));
    if (m_seuil) {
        p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        p.drawLine(QPointF(zone.left(), y(*m_seuil)), QPointF(zone.right(), y(*m_seuil)));
    }
    p.setPen(QPen(Qt::gray, 1));
    for (int i = 1; i < m_trace.size(); ++i)
        p.drawLine(QPointF(x(i - 1), y(m_trace[i - 1].niveau)), QPointF(x(i), y(m_trace[i].niveau)));
    for (int i = 0; i < m_trace.size(); ++i) {
        const bool juste = m_trace[i].correct;
        p.setPen(QPen(juste ? Qt::darkGreen : Qt::red, 1.5));
        p.setBrush(juste ? QBrush(Qt::darkGreen) : QBrush(Qt::white));
        p.drawEllipse(QPointF(x(i), y(m_trace[i].niveau)), 4, 4);
    }
}

} // namespace fantrel::app
