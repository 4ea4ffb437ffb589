#include "chart/graphique.h"
#include "chart/echelle.h"
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace fantrel::chart {

namespace {

constexpr int marge = 8;
constexpr double part_occupee = 0.7; // of each x slot, the rest separates the groups

QString texte_valeur(double v)
{
    return QString::number(v, 'g', 10);
}

} // namespace

// Everything the painting and the bar geometry share, computed from the widget's size.
struct Graphique::Disposition
{
    QRectF zone; // the plot area inside the axes
    QRectF rect_titre;
    Echelle echelle;
    QList<double> abscisses; // distinct x, ascending
    double largeur_groupe = 0;

    double y_pixel(double v) const
    {
        return zone.bottom() - (v - echelle.debut) / (echelle.fin - echelle.debut) * zone.height();
    }
    double x_centre(int rang) const
    {
        return zone.left() + (rang + 0.5) * zone.width() / double(abscisses.size());
    }
};

Graphique::Graphique(QWidget *parent) : QWidget(parent) { }

void Graphique::definir_titre(const QString &titre)
{
    if (m_titre == titre)
        return;
    m_titre = titre;
    update();
}

int Graphique::ajoute_serie(const QColor &couleur, bool marques_visibles, int longueur_fleche,
                            const QString &nom)
{
    SerieBarres serie;
    serie.nom = nom.isEmpty() ? QStringLiteral("Series%1").arg(m_series.size() + 1) : nom;
    serie.couleur = couleur;
    serie.marques_visibles = marques_visibles;
    serie.longueur_fleche = std::max(0, longueur_fleche);
    m_series << serie;
    update();
    return int(m_series.size()) - 1;
}

int Graphique::ajoute_point(int serie, double x, double y)
{
    if (serie < 0 || serie >= m_series.size())
        return -1;
    auto &points = m_series[serie].points;
    const auto position = std::upper_bound(points.begin(), points.end(), x,
                                           [](double v, const PointBarre &p) { return v < p.x; });
    const auto index = position - points.begin();
    points.insert(index, PointBarre{ x, y });
    update();
    return int(index);
}

bool Graphique::point_existe(int serie, int index) const
{
    return serie >= 0 && serie < m_series.size() && index >= 0
            && index < m_series[serie].points.size();
}

void Graphique::definir_y(int serie, int index, double y)
{
    if (!point_existe(serie, index))
        return;
    m_series[serie].points[index].y = y;
    update();
}

void Graphique::efface_points(int serie)
{
    if (serie < 0 || serie >= m_series.size())
        return;
    m_series[serie].points.clear();
    update();
}

Graphique::Disposition Graphique::disposition() const
{
    Disposition d;
    const QFontMetrics mesures(font());
    double min = 0, max = 0;
    int haut_marques = 0;
    for (const SerieBarres &serie : m_series) {
        for (const PointBarre &p : serie.points) {
            if (std::isfinite(p.y)) {
                min = std::min(min, p.y);
                max = std::max(max, p.y);
            }
            d.abscisses << p.x;
        }
        if (serie.marques_visibles)
            haut_marques = std::max(haut_marques, serie.longueur_fleche + mesures.height() + 4);
    }
    std::sort(d.abscisses.begin(), d.abscisses.end());
    d.abscisses.erase(std::unique(d.abscisses.begin(), d.abscisses.end()), d.abscisses.end());
    d.echelle = echelle_axe(min, max);

    d.rect_titre = QRectF(0, marge, width(), mesures.height());
    int largeur_etiquettes = 0;
    for (double v : d.echelle.graduations())
        largeur_etiquettes =
                std::max(largeur_etiquettes, mesures.horizontalAdvance(texte_valeur(v)));
    const double gauche = marge + largeur_etiquettes + 6;
    const double haut = d.rect_titre.bottom() + marge + haut_marques;
    const double bas = height() - marge - mesures.height() - 6;
    d.zone = QRectF(QPointF(gauche, haut), QPointF(width() - marge, std::max(haut + 1, bas)));
    if (!d.abscisses.isEmpty())
        d.largeur_groupe = d.zone.width() / double(d.abscisses.size()) * part_occupee;
    return d;
}

QRectF Graphique::rectangle_barre(int serie, int index) const
{
    if (!point_existe(serie, index))
        return {};
    const Disposition d = disposition();
    const PointBarre &p = m_series[serie].points[index];
    const int rang = int(std::lower_bound(d.abscisses.begin(), d.abscisses.end(), p.x)
                         - d.abscisses.begin());
    const double largeur = d.largeur_groupe / double(m_series.size());
    const double gauche = d.x_centre(rang) - d.largeur_groupe / 2 + serie * largeur;
    const double y = std::isfinite(p.y) ? p.y : 0;
    const double y0 = d.y_pixel(0), y1 = d.y_pixel(y);
    return QRectF(QPointF(gauche, std::min(y0, y1)), QPointF(gauche + largeur, std::max(y0, y1)));
}

void Graphique::paintEvent(QPaintEvent *)
{
    QPainter peintre(this);
    const Disposition d = disposition();
    const QFontMetrics mesures(font());
    const QColor encre = palette().color(QPalette::WindowText);

    peintre.setPen(encre);
    peintre.drawText(d.rect_titre, Qt::AlignHCenter | Qt::AlignVCenter, m_titre);

    // Value axis with its ticks and labels.
    peintre.drawLine(d.zone.bottomLeft(), d.zone.topLeft());
    for (double v : d.echelle.graduations()) {
        const double y = d.y_pixel(v);
        peintre.drawLine(QPointF(d.zone.left() - 4, y), QPointF(d.zone.left(), y));
        const QRectF etiquette(0, y - mesures.height() / 2.0, d.zone.left() - 6, mesures.height());
        peintre.drawText(etiquette, Qt::AlignRight | Qt::AlignVCenter, texte_valeur(v));
    }
    // Category axis along the zero line, a tick and a label per x.
    peintre.drawLine(QPointF(d.zone.left(), d.y_pixel(0)), QPointF(d.zone.right(), d.y_pixel(0)));
    for (int rang = 0; rang < d.abscisses.size(); ++rang) {
        const double x = d.x_centre(rang);
        peintre.drawLine(QPointF(x, d.zone.bottom()), QPointF(x, d.zone.bottom() + 4));
        const QRectF etiquette(x - 40, d.zone.bottom() + 5, 80, mesures.height());
        peintre.drawText(etiquette, Qt::AlignHCenter | Qt::AlignTop,
                         texte_valeur(d.abscisses[rang]));
    }

    for (int s = 0; s < m_series.size(); ++s) {
        const SerieBarres &serie = m_series[s];
        for (int i = 0; i < serie.points.size(); ++i) {
            const QRectF barre = rectangle_barre(s, i);
            if (barre.height() > 0) {
                peintre.fillRect(barre, serie.couleur);
                peintre.setPen(serie.couleur.darker(160));
                peintre.drawRect(barre);
            }
            if (!serie.marques_visibles)
                continue;
            // The mark: an arrow up from the bar's top to a box holding the value.
            const QString texte = texte_valeur(serie.points[i].y);
            const double haut_fleche = barre.top() - serie.longueur_fleche;
            peintre.setPen(encre);
            peintre.drawLine(QPointF(barre.center().x(), barre.top()),
                             QPointF(barre.center().x(), haut_fleche));
            const double largeur = mesures.horizontalAdvance(texte) + 6;
            const QRectF boite(barre.center().x() - largeur / 2, haut_fleche - mesures.height() - 2,
                               largeur, mesures.height() + 2);
            peintre.fillRect(boite, QColor(255, 255, 225));
            peintre.drawRect(boite);
            peintre.drawText(boite, Qt::AlignCenter, texte);
        }
    }
}

} // namespace fantrel::chart
