// A chart saved as a picture for a paper: PNG at twice the chart's size in pixels (for
// print), or SVG (vector, through Qt SVG's QSvgGenerator) at its size. Each file is
// replaced atomically: a failed save leaves the previous one whole.
#pragma once
#include <QString>

namespace fantrel::chart {

class Graphique;

// Both return false with the reason in *erreur when the file cannot be written.
bool exporte_png(const Graphique &graphique, const QString &chemin, QString *erreur);
bool exporte_svg(const Graphique &graphique, const QString &chemin, QString *erreur);

} // namespace fantrel::chart
