#include "app/nuancier.h"
#include <QColor>
#include <QMouseEvent>
#include <algorithm>

namespace fantrel::app {

QImage genere_nuancier()
{
    QImage image(largeur_nuancier, hauteur_nuancier, QImage::Format_RGB888);
    constexpr int rangee_pleine = 21;
    for (int y = 0; y < hauteur_nuancier; ++y) {
        // Lightness from 0.95 at the top through 0.5 at row 21 to 0.05 at the bottom.
        const double l = y <= rangee_pleine
                ? 0.95 - 0.45 * y / rangee_pleine
                : 0.5 - 0.45 * (y - rangee_pleine) / (hauteur_nuancier - 1 - rangee_pleine);
        for (int x = 0; x < largeur_nuancier; ++x) {
            const double teinte = double(x) / (largeur_nuancier - 1); // 0 and 1 are both red
            image.setPixelColor(x, y,
                                QColor::fromHslF(float(std::min(teinte, 0.9999)), 1.0f, float(l)));
        }
    }
    return image;
}

Nuancier::Nuancier(QWidget *parent) : QLabel(parent), m_image(genere_nuancier())
{
    setPixmap(QPixmap::fromImage(m_image));
    setFixedSize(m_image.size());
    setMouseTracking(true);
}

std::int32_t Nuancier::couleur_pixel(QPoint pixel) const
{
    if (!m_image.valid(pixel))
        return 0;
    const QRgb c = m_image.pixel(pixel);
    return std::int32_t(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16));
}

void Nuancier::mouseMoveEvent(QMouseEvent *e)
{
    emit deplace(e->position().toPoint());
}

void Nuancier::mousePressEvent(QMouseEvent *)
{
    emit appui();
}

} // namespace fantrel::app
