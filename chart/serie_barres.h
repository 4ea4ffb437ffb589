// One bar series of the chart: its look and its points, x kept ascending.
#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <optional>

namespace fantrel::chart {

struct IntervalleBarre
{
    double bas = 0;
    double haut = 0;
};

struct PointBarre
{
    double x = 0;
    double y = 0;
    std::optional<IntervalleBarre> intervalle; // drawn as an error bar, in y units
};

struct SerieBarres
{
    QString nom;
    QColor couleur = Qt::red;
    bool marques_visibles = true; // value boxes above the bars
    int longueur_fleche = 20; // pixels between a bar's top and its value box
    QList<PointBarre> points; // ascending x; equal x keep their order of insertion
};

} // namespace fantrel::chart
