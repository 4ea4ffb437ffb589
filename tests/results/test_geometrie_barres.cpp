// Where rows, bars and labels of the 3D results view stand.
#include "results/geometrie_barres.h"
#include <QTest>

using namespace fantrel;

class TestGeometrieBarres : public QObject {
    Q_OBJECT
private slots:
    void z_rangee_data();
    void z_rangee();
    void hauteur_data();
    void hauteur();
    void niveau_data();
    void niveau();
};

void TestGeometrieBarres::z_rangee_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("z");
    QTest::newRow("somme") << 0 << -1.0;
    QTest::newRow("rangée 1") << 1 << -0.2;
    QTest::newRow("rangée 2") << 2 << 0.3;
    QTest::newRow("rangée 20") << 20 << 9.3;
}

void TestGeometrieBarres::z_rangee()
{
    QFETCH(int, n);
    QFETCH(double, z);
    QVERIFY2(qAbs(fantrel::z_rangee(n) - z) < 1e-12, qPrintable(QString::number(fantrel::z_rangee(n))));
}

void TestGeometrieBarres::hauteur_data()
{
    QTest::addColumn<int>("compte");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("coeff");
    QTest::addColumn<double>("h");
    QTest::newRow("utilisateur, 10") << 10 << 1 << 30 << 2.55;
    QTest::newRow("somme, 10, coeff 30") << 10 << 0 << 30 << 1.785;
    QTest::newRow("une réponse, un pas de grille") << 1 << 5 << 30 << 0.255;
    QTest::newRow("somme, coeff 0 = pleine échelle") << 4 << 0 << 0 << 1.02;
    QTest::newRow("somme, coeff 100 = à plat") << 4 << 0 << 100 << 0.0;
    QTest::newRow("zéro") << 0 << 3 << 30 << 0.0;
}

void TestGeometrieBarres::hauteur()
{
    QFETCH(int, compte);
    QFETCH(int, n);
    QFETCH(int, coeff);
    QFETCH(double, h);
    const double calculee = hauteur_barre(compte, n, coeff);
    QVERIFY2(qAbs(calculee - h) < 1e-12, qPrintable(QString::number(calculee, 'g', 17)));
}

void TestGeometrieBarres::niveau_data()
{
    QTest::addColumn<int>("p");
    QTest::addColumn<double>("h");
    QTest::addColumn<QString>("texte");
    QTest::newRow("100: à plat") << 100 << 0.0 << "0";
    QTest::newRow("0: en haut") << 0 << 100 / 15.0 << "50";
    QTest::newRow("1: 49,5 vers le pair") << 1 << 99 / 15.0 << "50";
    QTest::newRow("3: 48,5 vers le pair") << 3 << 97 / 15.0 << "48";
    QTest::newRow("50") << 50 << 50 / 15.0 << "25";
}

void TestGeometrieBarres::niveau()
{
    QFETCH(int, p);
    QFETCH(double, h);
    QFETCH(QString, texte);
    QVERIFY(qAbs(hauteur_niveau(p) - h) < 1e-12);
    QCOMPARE(texte_niveau(p), texte);
}

QTEST_APPLESS_MAIN(TestGeometrieBarres)
#include "test_geometrie_barres.moc"
