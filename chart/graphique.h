// A small 2D bar chart: a title, a value axis and a category axis with ticks, any number
// of bar series drawn side by side at each x, and value marks (a box with the value at
// the end of an arrow) above the bars. No wall fill: the widget's background shows.
#pragma once
#include "chart/serie_barres.h"
#include <QWidget>

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
    void efface_points(int serie);

    int nombre_series() const { return int(m_series.size()); }
    const SerieBarres &serie(int index) const { return m_series.at(index); }

    // Where a bar is drawn, in widget pixels (empty when the point does not exist).
    QRectF rectangle_barre(int serie, int index) const;

    QSize sizeHint() const override { return { 521, 329 }; }

protected:
    void paintEvent(QPaintEvent *evenement) override;

private:
    struct Disposition;
    Disposition disposition() const;
    bool point_existe(int serie, int index) const;

    QString m_titre = QStringLiteral("Titre du graphique");
    QList<SerieBarres> m_series;
};

} // namespace fantrel::chart
