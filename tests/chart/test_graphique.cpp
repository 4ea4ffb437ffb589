#include "chart/echelle.h"
#include "chart/export_graphique.h"
#include "chart/graphique.h"
#include "platform/application.h"
#include <QImage>
#include <QDir>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;

class TestGraphique : public QObject
{
    Q_OBJECT
private slots:
    void echelle_axe_data();
    void echelle_axe();
    void ajoute_point_garde_x_croissant_data();
    void ajoute_point_garde_x_croissant();
    void definir_y_hors_limites_ignore();
    void barres_de_leur_couleur_et_hauteur_proportionnelle_data();
    void barres_de_leur_couleur_et_hauteur_proportionnelle();
    void marques_au_bout_de_la_fleche();
    void export_png_et_svg();
};

static QImage rendu(chart::Graphique &g)
{
    QImage image(g.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    // Without the window background: the chart itself fills no wall.
    g.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// Pixels of exactly this colour in the column through the bar's centre.
static int hauteur_peinte(const QImage &image, const QRectF &barre, const QColor &couleur)
{
    const int x = int(barre.center().x());
    int compte = 0;
    for (int y = 0; y < image.height(); ++y)
        compte += image.pixelColor(x, y) == couleur;
    return compte;
}

void TestGraphique::echelle_axe_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("debut");
    QTest::addColumn<double>("fin");
    QTest::addColumn<double>("pas");
    QTest::newRow("comptes") << 0.0 << 40.0 << 0.0 << 40.0 << 10.0;
    QTest::newRow("tout a zero") << 0.0 << 0.0 << 0.0 << 1.0 << 0.2;
    QTest::newRow("negatifs") << -3.0 << 7.0 << -4.0 << 8.0 << 2.0;
    QTest::newRow("positifs loin de zero") << 50.0 << 90.0 << 0.0 << 100.0 << 20.0;
    QTest::newRow("petit") << 0.0 << 0.03 << 0.0 << 0.03 << 0.01;
}

void TestGraphique::echelle_axe()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, debut);
    QFETCH(double, fin);
    QFETCH(double, pas);
    const chart::Echelle e = fantrel::chart::echelle_axe(min, max);
    QCOMPARE(e.debut, debut);
    QCOMPARE(e.fin, fin);
    QCOMPARE(e.pas, pas);
    const QList<double> graduations = e.graduations();
    QCOMPARE(graduations.front(), debut);
    QVERIFY(qFuzzyCompare(graduations.back(), fin));
}

void TestGraphique::ajoute_point_garde_x_croissant_data()
{
    QTest::addColumn<QList<double>>("x");
    QTest::addColumn<QList<int>>("index_rendus");
    QTest::addColumn<QList<double>>("y_dans_l_ordre");
    QTest::newRow("deja croissant") << QList<double>{ 0, 1, 2, 3 } << QList<int>{ 0, 1, 2, 3 }
                                    << QList<double>{ 0, 1, 2, 3 };
    QTest::newRow("decroissant") << QList<double>{ 3, 2, 1 } << QList<int>{ 0, 0, 0 }
                                 << QList<double>{ 2, 1, 0 };
    QTest::newRow("au milieu") << QList<double>{ 0, 10, 5 } << QList<int>{ 0, 1, 1 }
                               << QList<double>{ 0, 2, 1 };
    QTest::newRow("x egaux dans l'ordre d'ajout")
            << QList<double>{ 1, 1, 0 } << QList<int>{ 0, 1, 0 } << QList<double>{ 2, 0, 1 };
}

void TestGraphique::ajoute_point_garde_x_croissant()
{
    QFETCH(QList<double>, x);
    QFETCH(QList<int>, index_rendus);
    QFETCH(QList<double>, y_dans_l_ordre);
    chart::Graphique g;
    const int s = g.ajoute_serie(Qt::red, true, 20);
    QList<int> rendus;
    for (int i = 0; i < x.size(); ++i)
        rendus << g.ajoute_point(s, x[i], i); // y records the order of insertion
    QCOMPARE(rendus, index_rendus);
    QList<double> ys;
    for (const chart::PointBarre &p : g.serie(s).points)
        ys << p.y;
    QCOMPARE(ys, y_dans_l_ordre);
}

void TestGraphique::definir_y_hors_limites_ignore()
{
    chart::Graphique g;
    const int s = g.ajoute_serie(Qt::red, true, 20);
    g.ajoute_point(s, 0, 1);
    g.definir_y(s, 1, 5);
    g.definir_y(s, -1, 5);
    g.definir_y(1, 0, 5);
    QCOMPARE(g.ajoute_point(7, 0, 0), -1);
    QCOMPARE(g.serie(s).points.size(), 1);
    QCOMPARE(g.serie(s).points[0].y, 1.0);
    QVERIFY(g.rectangle_barre(s, 1).isEmpty());
}

void TestGraphique::barres_de_leur_couleur_et_hauteur_proportionnelle_data()
{
    QTest::addColumn<QList<double>>("rouges");
    QTest::addColumn<QList<double>>("vertes");
    QTest::newRow("comptes croissants, vertes a zero")
            << QList<double>{ 10, 20, 30, 40 } << QList<double>{ 0, 0, 0, 0 };
    QTest::newRow("deux series melees")
            << QList<double>{ 3, 0, 7, 1 } << QList<double>{ 5, 2, 0, 8 };
}

// The bar chart window's use: four points per series added at 0, then their y set.
void TestGraphique::barres_de_leur_couleur_et_hauteur_proportionnelle()
{
    QFETCH(QList<double>, rouges);
    QFETCH(QList<double>, vertes);
    chart::Graphique g;
    g.resize(521, 329);
    const QColor rouge(Qt::red), vert(Qt::green);
    const int sr = g.ajoute_serie(rouge, false, 20);
    const int sv = g.ajoute_serie(vert, false, 20);
    for (int x = 0; x < 4; ++x) {
        g.ajoute_point(sr, x, 0);
        g.ajoute_point(sv, x, 0);
    }
    QImage image = rendu(g);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(hauteur_peinte(image, g.rectangle_barre(sr, i), rouge), 0);
        QCOMPARE(hauteur_peinte(image, g.rectangle_barre(sv, i), vert), 0);
    }
    for (int i = 0; i < 4; ++i) {
        g.definir_y(sr, i, rouges[i]);
        g.definir_y(sv, i, vertes[i]);
    }
    image = rendu(g);
    const double max = *std::max_element(rouges.begin(), rouges.end());
    const int hauteur_max =
            hauteur_peinte(image, g.rectangle_barre(sr, int(rouges.indexOf(max))), rouge);
    QVERIFY2(hauteur_max > 100, qPrintable(QString::number(hauteur_max)));
    for (int s : { sr, sv }) {
        const QList<double> &ys = s == sr ? rouges : vertes;
        const QColor couleur = s == sr ? rouge : vert;
        for (int i = 0; i < 4; ++i) {
            const QRectF barre = g.rectangle_barre(s, i);
            const int attendue = int(std::lround(hauteur_max * ys[i] / max));
            const int peinte = hauteur_peinte(image, barre, couleur);
            QVERIFY2(std::abs(peinte - attendue) <= 3,
                     qPrintable(
                             QStringLiteral("series %1 point %2: %3 px painted, about %4 expected")
                                     .arg(s)
                                     .arg(i)
                                     .arg(peinte)
                                     .arg(attendue)));
            if (ys[i] > 0)
                QCOMPARE(image.pixelColor(barre.center().toPoint()), couleur);
        }
    }
    // Bars of one x stand side by side, in the order of the series, left to right by x.
    QVERIFY(g.rectangle_barre(sr, 0).right() <= g.rectangle_barre(sv, 0).left() + 0.5);
    QVERIFY(g.rectangle_barre(sv, 0).right() < g.rectangle_barre(sr, 1).left());
}

void TestGraphique::marques_au_bout_de_la_fleche()
{
    const QColor fond_marque(255, 255, 225);
    for (const bool visibles : { true, false }) {
        chart::Graphique g;
        g.resize(521, 329);
        const int longueur = 20;
        const int s = g.ajoute_serie(Qt::red, visibles, longueur);
        for (int x = 0; x < 4; ++x)
            g.ajoute_point(s, x, 10 * (x + 1));
        const QImage image = rendu(g);
        for (int i = 0; i < 4; ++i) {
            const QRectF barre = g.rectangle_barre(s, i);
            const int x = int(barre.center().x());
            // The arrow halfway up, and the box just beyond the arrow's end.
            const bool fleche = image.pixelColor(x, int(barre.top()) - longueur / 2) != Qt::white;
            int fond = 0;
            for (int y = int(barre.top()) - longueur - 12; y < int(barre.top()) - longueur; ++y)
                for (int dx = -8; dx <= 8; ++dx)
                    fond += image.valid(x + dx, y) && image.pixelColor(x + dx, y) == fond_marque;
            QVERIFY2(fleche == visibles, qPrintable(QStringLiteral("arrow of point %1").arg(i)));
            QVERIFY2((fond > 0) == visibles,
                     qPrintable(QStringLiteral("box of point %1: %2 px").arg(i).arg(fond)));
        }
    }
}

// What a paper takes: a PNG at twice the chart's size whose bar, error bar and 50 %
// line are where the chart draws them, and an SVG that opens at the chart's size.
void TestGraphique::export_png_et_svg()
{
    chart::Graphique g;
    g.resize(400, 300);
    g.definir_plage_y(0, 100, 10);
    g.definir_ligne_reference(50, QStringLiteral("hasard"));
    const int s = g.ajoute_serie(Qt::blue, false, 0, QStringLiteral("Mots"));
    g.ajoute_point(s, 0, 80);
    g.definir_intervalle(s, 0, 60, 95);
    g.definir_etiquettes({ QStringLiteral("Un code de participant bien trop long") });
    QTemporaryDir dossier;
    QString erreur;
    QVERIFY(chart::exporte_png(g, dossier.filePath("g.png"), &erreur));
    const QImage image(dossier.filePath("g.png"));
    QCOMPARE(image.size(), QSize(800, 600));
    const QRectF barre = g.rectangle_barre(s, 0);
    QCOMPARE(image.pixelColor((barre.center() * 2).toPoint()), QColor(Qt::blue));
    // The error bar's stem above the bar, up to 95 (5/80 of the bar's height over it).
    const QPointF haut(barre.center().x(), barre.top() - barre.height() * 10 / 80);
    QVERIFY(image.pixelColor((haut * 2).toPoint()) != QColor(Qt::white));
    QVERIFY(chart::exporte_svg(g, dossier.filePath("g.svg"), &erreur));
    QSvgRenderer svg(dossier.filePath("g.svg"));
    QVERIFY(svg.isValid());
    QCOMPARE(svg.viewBox(), QRect(0, 0, 400, 300));
    // A folder in the way: no file, the reason said.
    QVERIFY(QDir(dossier.path()).mkdir("d.png"));
    QVERIFY(!chart::exporte_png(g, dossier.filePath("d.png"), &erreur));
    QVERIFY(!erreur.isEmpty());
}

FANTREL_TEST_MAIN(TestGraphique)

#include "test_graphique.moc"
