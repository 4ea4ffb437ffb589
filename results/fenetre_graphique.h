// The bar chart window, created hidden and reached only through the hidden menu
// entry "Courbe1": a chart of two bar series, filled with four zero points each on
// the window's first timer tick.
#pragma once
#include <QWidget>

class QTimer;

namespace fantrel::chart {
class Graphique;
}

namespace fantrel::results {

class TForm_courbe : public QWidget
{
    Q_OBJECT
public:
    explicit TForm_courbe(QWidget *parent = nullptr);

    chart::Graphique *Chart1 = nullptr;
    int Series1 = -1; // red, marks shown, arrows of 20
    int Series2 = -1; // green, marks shown, arrows of 20
    QTimer *Timer_debut = nullptr;

public slots:
    void Timer_debutTimer(); // once: four points at x = 0..3, y = 0, in each series
    void Courbe1Click(); // shows the window; Series1's points become 10, 20, 30, 40
};

} // namespace fantrel::results
