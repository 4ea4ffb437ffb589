#include "chart/export_graphique.h"
#include "chart/graphique.h"
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace fantrel::chart {

namespace {

bool valide(QSaveFile &fichier, bool ecrit, QString *erreur)
{
    if (ecrit && fichier.commit())
        return true;
    if (erreur)
        *erreur = fichier.errorString();
    fichier.cancelWriting();
    return false;
}

} // namespace

bool exporte_png(const Graphique &graphique, const QString &chemin, QString *erreur)
{
    constexpr int facteur = 2;
    QImage image(graphique.size() * facteur, QImage::Format_RGB32);
    image.setDevicePixelRatio(facteur);
    image.fill(Qt::white);
    {
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        graphique.dessine(peintre, graphique.size());
    }
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return valide(fichier, false, erreur);
    return valide(fichier, image.save(&fichier, "PNG"), erreur);
}

bool exporte_svg(const Graphique &graphique, const QString &chemin, QString *erreur)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return valide(fichier, false, erreur);
    QSvgGenerator svg;
    svg.setOutputDevice(&fichier);
    svg.setSize(graphique.size());
    svg.setViewBox(QRect(QPoint(0, 0), graphique.size()));
    svg.setTitle(graphique.titre());
    bool ecrit = false;
    {
        QPainter peintre;
        ecrit = peintre.begin(&svg);
        if (ecrit) {
            peintre.fillRect(QRect(QPoint(0, 0), graphique.size()), Qt::white);
            graphique.dessine(peintre, graphique.size());
            ecrit = peintre.end();
        }
    }
    return valide(fichier, ecrit && fichier.error() == QFileDevice::NoError, erreur);
}

} // namespace fantrel::chart
