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
constexpr int etiquette_debout_max = 110; // pixels: longer upright labels are elided

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
    bool etiquettes_debout = false; // turned upright: they did not fit their slot
    QSize taille;

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
    points.insert(index, PointBarre{ x, y, std::nullopt });
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

void Graphique::definir_intervalle(int serie, int index, double bas, double haut)
{
    if (!point_existe(serie, index))
        return;
    m_series[serie].points[index].intervalle = IntervalleBarre{ bas, haut };
    update();
}

void Graphique::definir_etiquettes(const QStringList &etiquettes)
{
    m_etiquettes = etiquettes;
    update();
}

void Graphique::definir_plage_y(double debut, double fin, double pas)
{
    m_plage_y = Echelle{ debut, fin, pas };
    update();
}

void Graphique::definir_ligne_reference(double y, const QString &texte)
{
    m_y_reference = y;
    m_texte_reference = texte;
    update();
}

void Graphique::definir_titre_axe_y(const QString &titre)
{
    m_titre_axe_y = titre;
    update();
}

void Graphique::definir_legende_visible(bool visible)
{
    m_legende = visible;
    update();
}

Graphique::Disposition Graphique::disposition(QSize taille) const
{
    Disposition d;
    d.taille = taille;
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
    d.echelle = m_plage_y ? *m_plage_y : echelle_axe(min, max);

    d.rect_titre = QRectF(0, marge, taille.width(), mesures.height());
    int largeur_etiquettes = 0;
    for (double v : d.echelle.graduations())
        largeur_etiquettes =
                std::max(largeur_etiquettes, mesures.horizontalAdvance(texte_valeur(v)));
    const double gauche = marge + largeur_etiquettes + 6
            + (m_titre_axe_y.isEmpty() ? 0 : mesures.height() + 4);
    const double haut = d.rect_titre.bottom() + marge + haut_marques
            + (m_legende ? mesures.height() + 4 : 0);
    // Labels wider than their slot stand upright under the axis.
    const double fente =
            (taille.width() - marge - gauche) / double(std::max<qsizetype>(1, d.abscisses.size()));
    int hauteur_x = mesures.height();
    for (qsizetype rang = 0; rang < m_etiquettes.size() && rang < d.abscisses.size(); ++rang) {
        const int largeur = mesures.horizontalAdvance(m_etiquettes[rang]);
        if (largeur > fente - 4) {
            d.etiquettes_debout = true;
            hauteur_x = std::max(hauteur_x, std::min(largeur, etiquette_debout_max));
        }
    }
    const double bas = taille.height() - marge - hauteur_x - 6;
    d.zone = QRectF(QPointF(gauche, haut),
                    QPointF(taille.width() - marge, std::max(haut + 1, bas)));
    if (!d.abscisses.isEmpty())
        d.largeur_groupe = d.zone.width() / double(d.abscisses.size()) * part_occupee;
    return d;
}

QRectF Graphique::rectangle_barre(int serie, int index) const
{
    if (!point_existe(serie, index))
        return {};
    return rectangle_barre(disposition(size()), serie, index);
}

QRectF Graphique::rectangle_barre(const Disposition &d, int serie, int index) const
{
    const PointBarre &p = m_series[serie].points[index];
    const int rang = int(std::lower_bound(d.abscisses.begin(), d.abscisses.end(), p.x)
                         - d.abscisses.begin());
    const double largeur = d.largeur_groupe / double(m_series.size());
    const double gauche = d.x_centre(rang) - d.largeur_groupe / 2 + serie * largeur;
    const double y = std::isfinite(p.y) ? p.y : 0;
    const double y0 = d.y_pixel(std::max(0.0, d.echelle.debut)), y1 = d.y_pixel(y);
    return QRectF(QPointF(gauche, std::min(y0, y1)), QPointF(gauche + largeur, std::max(y0, y1)));
}

void Graphique::paintEvent(QPaintEvent *)
{
    QPainter peintre(this);
    dessine(peintre, size());
}

void Graphique::dessine_axe_x(QPainter &peintre, const Disposition &d) const
{
    const QFontMetrics mesures(font());
    const double y_axe = d.y_pixel(std::max(0.0, d.echelle.debut));
    peintre.drawLine(QPointF(d.zone.left(), y_axe), QPointF(d.zone.right(), y_axe));
    for (int rang = 0; rang < d.abscisses.size(); ++rang) {
        const double x = d.x_centre(rang);
        peintre.drawLine(QPointF(x, d.zone.bottom()), QPointF(x, d.zone.bottom() + 4));
        const QString texte = rang < m_etiquettes.size() ? m_etiquettes[rang]
                                                         : texte_valeur(d.abscisses[rang]);
        if (!d.etiquettes_debout) {
            const QRectF etiquette(x - 60, d.zone.bottom() + 5, 120, mesures.height());
            peintre.drawText(etiquette, Qt::AlignHCenter | Qt::AlignTop, texte);
            continue;
        }
        // Upright, read from the bottom up, ending at the tick.
        peintre.save();
        peintre.translate(x + mesures.ascent() / 2.0 - 1, d.zone.bottom() + 6);
        peintre.rotate(-90);
        const QString coupe = mesures.elidedText(texte, Qt::ElideRight, etiquette_debout_max);
        peintre.drawText(QRectF(-etiquette_debout_max, -mesures.ascent(), etiquette_debout_max,
                                mesures.height()),
                         Qt::AlignRight | Qt::AlignTop, coupe);
        peintre.restore();
    }
}

void Graphique::dessine_legende(QPainter &peintre, const Disposition &d) const
{
    const QFontMetrics mesures(font());
    double x = d.taille.width() - marge;
    const double y = d.rect_titre.bottom() + 4;
    for (qsizetype s = m_series.size() - 1; s >= 0; --s) {
        const SerieBarres &serie = m_series[s];
        const double largeur = mesures.horizontalAdvance(serie.nom);
        x -= largeur;
        peintre.drawText(QRectF(x, y, largeur, mesures.height()), Qt::AlignLeft, serie.nom);
        x -= mesures.height() + 4;
        peintre.fillRect(QRectF(x, y + 2, mesures.height() - 4, mesures.height() - 4),
                         serie.couleur);
        x -= 12;
    }
}

void Graphique::dessine(QPainter &peintre, QSize taille) const
{
    const Disposition d = disposition(taille);
    const QFontMetrics mesures(font());
    const QColor encre = palette().color(QPalette::WindowText);

    peintre.setPen(encre);
    peintre.drawText(d.rect_titre, Qt::AlignHCenter | Qt::AlignVCenter, m_titre);
    if (m_legende)
        dessine_legende(peintre, d);

    // Value axis with its ticks and labels.
    peintre.drawLine(d.zone.bottomLeft(), d.zone.topLeft());
    for (double v : d.echelle.graduations()) {
        const double y = d.y_pixel(v);
        peintre.drawLine(QPointF(d.zone.left() - 4, y), QPointF(d.zone.left(), y));
        const QRectF etiquette(0, y - mesures.height() / 2.0, d.zone.left() - 6, mesures.height());
        peintre.drawText(etiquette, Qt::AlignRight | Qt::AlignVCenter, texte_valeur(v));
    }
    if (!m_titre_axe_y.isEmpty()) {
        peintre.save();
        peintre.translate(marge, d.zone.center().y());
        peintre.rotate(-90);
        peintre.drawText(QRectF(-d.zone.height() / 2, 0, d.zone.height(), mesures.height()),
                         Qt::AlignCenter, m_titre_axe_y);
        peintre.restore();
    }
    dessine_axe_x(peintre, d);

    for (int s = 0; s < m_series.size(); ++s) {
        const SerieBarres &serie = m_series[s];
        for (int i = 0; i < serie.points.size(); ++i) {
            const QRectF barre = rectangle_barre(d, s, i);
            if (barre.height() > 0) {
                peintre.fillRect(barre, serie.couleur);
                peintre.setPen(serie.couleur.darker(160));
                peintre.drawRect(barre);
            }
            if (const auto &e = serie.points[i].intervalle) {
                // The error bar: a stem with a cap at each end.
                const double x = barre.center().x(), bout = std::min(6.0, barre.width() / 3);
                const double y_bas = d.y_pixel(e->bas), y_haut = d.y_pixel(e->haut);
                peintre.setPen(QPen(encre, 1.5));
                peintre.drawLine(QPointF(x, y_bas), QPointF(x, y_haut));
                peintre.drawLine(QPointF(x - bout, y_bas), QPointF(x + bout, y_bas));
                peintre.drawLine(QPointF(x - bout, y_haut), QPointF(x + bout, y_haut));
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
    if (!m_texte_reference.isEmpty()) {
        const double y = d.y_pixel(m_y_reference);
        peintre.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        peintre.drawLine(QPointF(d.zone.left(), y), QPointF(d.zone.right(), y));
        peintre.drawText(QRectF(d.zone.left(), y - mesures.height() - 1, d.zone.width() - 2,
                                mesures.height()),
                         Qt::AlignRight | Qt::AlignBottom, m_texte_reference);
    }
}

} // namespace fantrel::chart
