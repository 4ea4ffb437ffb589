// Axis scale of the chart: round bounds and a step of 1, 2 or 5 times a power of ten.
#pragma once
#include <QList>

namespace fantrel::chart {

struct Echelle
{
    double debut = 0;
    double fin = 1;
    double pas = 1;
    // debut, debut + pas, … fin, each computed from its rank so no error accumulates.
    QList<double> graduations() const;
};

// The scale covering [min, max] (and 0) in about `graduations` steps; an empty range
// widens to [0, 1] around its value.
Echelle echelle_axe(double min, double max, int graduations = 5);

} // namespace fantrel::chart
