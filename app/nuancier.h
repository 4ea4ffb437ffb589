// The colour picker's chart: hue across (red, yellow, green, cyan, blue, magenta,
// back to red), lightness down (near white at the top, full colour at row 21, near
// black at the bottom row). Reports the pixel under the pointer and presses.
#pragma once
#include <QImage>
#include <QLabel>

namespace fantrel::app {

constexpr int largeur_nuancier = 94;
constexpr int hauteur_nuancier = 43;

// The chart, 94 × 43, 24-bit colour.
QImage genere_nuancier();

class Nuancier : public QLabel
{
    Q_OBJECT
public:
    explicit Nuancier(QWidget *parent = nullptr);
    const QImage &image() const { return m_image; }
    // The colour under pixel (x, y) as a colour value 0x00BBGGRR.
    std::int32_t couleur_pixel(QPoint pixel) const;
signals:
    void deplace(QPoint pixel);
    void appui();

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    QImage m_image;
};

} // namespace fantrel::app
