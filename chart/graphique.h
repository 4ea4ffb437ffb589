// A small 2D bar chart: a title, a value axis and a category axis with ticks, any number
// of bar series drawn side by side at each x, and value marks (a box with the value at
// the end of an arrow) above the bars; optionally error bars, a reference line, text
// labels under the x ticks and a legend. No wall fill: the widget's background shows.
#pragma once
#include "chart/echelle.h"
#include "chart/serie_barres.h"
#include <QWidget>

class QPainter;

namespace fantrel::chart {

class Graphique : public QWidget
{
    Q_OBJECT
public:
    explicit Graphique(QWidget *parent = nullptr);

    void definir_titre(const QString &titre);
    QString titre() const { return m_titre; }

    // Returns the new series' index.
    int ajoute_serie(const QColor &couleur, bool marques_visibles, int longueur_fleche,
                     const QString &nom = {});
    // Inserts the point so that x stays ascending; returns its index in the series.
    // NOTE: a later point with an equal x goes after the earlier ones.
    int ajoute_point(int serie, double x, double y);
    // Out-of-range series or index: nothing happens.
    void definir_y(int serie, int index, double y);
    // The point's error bar, from bas to haut (y units).
    void definir_intervalle(int serie, int index, double bas, double haut);
    void efface_points(int serie);

    int nombre_series() const { return int(m_series.size()); }
    const SerieBarres &serie(int index) const { return m_series.at(index); }

    // Texts under the x ticks, by rank of x (ascending); beyond them, x's value. Too
    // long for their slot, they are turned upright and elided.
    void definir_etiquettes(const QStringList &etiquettes);
    // A fixed value axis instead of one fitted to the points.
    void definir_plage_y(double debut, double fin, double pas);
    // A dashed horizontal line at y, its text at its right end (no text: no line).
    void definir_ligne_reference(double y, const QString &texte);
    void definir_titre_axe_y(const QString &titre);
    void definir_legende_visible(bool visible); // the series' names, top right

    // Where a bar is drawn, in widget pixels (empty when the point does not exist).
    QRectF rectangle_barre(int serie, int index) const;
    // Paints the chart into any device (an image, an SVG), as if the widget had this size.
    void dessine(QPainter &peintre, QSize taille) const;

    QSize sizeHint() const override { return { 521, 329 }; }

protected:
    void paintEvent(QPaintEvent *evenement) override;

private:
    struct Disposition;
    Disposition disposition(QSize taille) const;
    QRectF rectangle_barre(const Disposition &d, int serie, int index) const;
    void dessine_axe_x(QPainter &peintre, const Disposition &d) const;
    void dessine_legende(QPainter &peintre, const Disposition &d) const;
    bool point_existe(int serie, int index) const;

    QString m_titre = QStringLiteral("Titre du graphique");
    QList<SerieBarres> m_series;
    QStringList m_etiquettes;
    std::optional<Echelle> m_plage_y;
    double m_y_reference = 0;
    QString m_texte_reference;
    QString m_titre_axe_y;
    bool m_legende = false;
};

} // namespace fantrel::chart
