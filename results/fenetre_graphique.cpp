#include "results/fenetre_graphique.h"
#include "chart/graphique.h"
#include <QTimer>

namespace fantrel::results {

TForm_courbe::TForm_courbe(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form_courbe"));
    setWindowTitle(QStringLiteral("Form_courbe"));
    setGeometry(291, 234, 703, 469);

    Chart1 = new chart::Graphique(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(56, 32, 521, 329);
    Chart1->definir_titre(QStringLiteral("Titre du graphique"));
    Series1 = Chart1->ajoute_serie(Qt::red, true, 20, QStringLiteral("Series1"));
    Series2 = Chart1->ajoute_serie(QColor(0, 128, 0), true, 20, QStringLiteral("Series2"));

    Timer_debut = new QTimer(this);
    Timer_debut->setObjectName(QStringLiteral("Timer_debut"));
    Timer_debut->setInterval(100);
    connect(Timer_debut, &QTimer::timeout, this, &TForm_courbe::Timer_debutTimer);
    Timer_debut->start();
}

void TForm_courbe::Timer_debutTimer()
{
    Timer_debut->stop();
    for (int x = 0; x <= 3; ++x) {
        Chart1->ajoute_point(Series1, x, 0);
        Chart1->ajoute_point(Series2, x, 0);
    }
}

void TForm_courbe::Courbe1Click()
{
    show();
    for (int i = 0; i <= 3; ++i) {
        Chart1->definir_y(Series1, i, 10.0 * (i + 1));
        Chart1->repaint();
    }
}

} // namespace fantrel::results
