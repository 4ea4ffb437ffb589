// The hidden bar chart window: four zero points per series on its first tick,
// then "Courbe1" fills the red series.
#include "chart/graphique.h"
#include "platform/application.h"
#include "results/fenetre_graphique.h"
#include <QTest>
#include <QTimer>

using namespace fantrel;

namespace {

QList<double> ordonnees(const chart::Graphique *g, int serie)
{
    QList<double> y;
    for (const chart::PointBarre &p : g->serie(serie).points)
        y << p.y;
    return y;
}

} // namespace

class TestCourbe : public QObject
{
    Q_OBJECT
private slots:
    void creation();
    void courbe1_avant_et_apres_le_premier_tic();
};

void TestCourbe::creation()
{
    results::TForm_courbe f;
    QVERIFY(!f.isVisible());
    QCOMPARE(f.windowTitle(), QStringLiteral("Form_courbe"));
    QCOMPARE(f.Chart1->geometry(), QRect(56, 32, 521, 329));
    QCOMPARE(f.Chart1->titre(), QStringLiteral("Titre du graphique"));
    QCOMPARE(f.Chart1->nombre_series(), 2);
    QCOMPARE(f.Chart1->serie(f.Series1).couleur, QColor(Qt::red));
    QCOMPARE(f.Chart1->serie(f.Series2).couleur, QColor(0, 128, 0));
    for (int s : { f.Series1, f.Series2 }) {
        QVERIFY(f.Chart1->serie(s).marques_visibles);
        QCOMPARE(f.Chart1->serie(s).longueur_fleche, 20);
    }
    QTRY_COMPARE(f.Chart1->serie(f.Series1).points.size(), 4);
    QVERIFY(!f.Timer_debut->isActive());
    QCOMPARE(ordonnees(f.Chart1, f.Series2), (QList<double>{ 0, 0, 0, 0 }));
    QCOMPARE(f.Chart1->serie(f.Series2).points.last().x, 3.0);
}

void TestCourbe::courbe1_avant_et_apres_le_premier_tic()
{
    results::TForm_courbe f;
    f.Courbe1Click(); // no point yet: nothing to set
    QVERIFY(f.isVisible());
    QVERIFY(f.Chart1->serie(f.Series1).points.isEmpty());
    QTRY_COMPARE(f.Chart1->serie(f.Series1).points.size(), 4);
    f.Courbe1Click();
    QCOMPARE(ordonnees(f.Chart1, f.Series1), (QList<double>{ 10, 20, 30, 40 }));
    QCOMPARE(ordonnees(f.Chart1, f.Series2), (QList<double>{ 0, 0, 0, 0 }));
    QTest::qWait(300);
    QCOMPARE(f.Chart1->serie(f.Series1).points.size(), 4); // the tick ran once
}

FANTREL_TEST_MAIN(TestCourbe)
#include "test_courbe.moc"
