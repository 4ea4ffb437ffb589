// The threshold procedures on scripted answers and simulated observers.
#include "trials/procedure_seuil.h"
#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

using namespace fantrel::trials;

class TestProcedureSeuil : public QObject
{
    Q_OBJECT
private slots:
    void escalier_scripte_data();
    void escalier_scripte();
    void niveau_aligne_sur_sa_reponse_data();
    void niveau_aligne_sur_sa_reponse();
    void quest_observateurs_simules_data();
    void quest_observateurs_simules();
};

void TestProcedureSeuil::escalier_scripte_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<int>("pas");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("reponses"); // 1 right, 0 wrong
    QTest::addColumn<QVector<int>>("niveaux"); // each trial's, then the next one
    QTest::addColumn<double>("estimation");
    // Reversals at 8, 10, 6, 10, 8, 10, 8: the last six average 52 / 6.
    QTest::newRow("sept inversions") << 10 << 2 << 20 << "11101111110011101110"
                                     << QVector<int>{ 10, 10, 10, 8, 10, 10, 10, 8, 8, 8, 6,
                                                      8,  10, 10, 10, 8, 10, 10, 10, 8, 10 }
                                     << 52.0 / 6;
    // Down from 2 by 2 stops at 1; up from 3 stays at 3; reversal at 1 only.
    QTest::newRow("bornes") << 2 << 2 << 3 << "11100" << QVector<int>{ 2, 2, 2, 1, 3, 3 } << 1.0;
}

void TestProcedureSeuil::escalier_scripte()
{
    QFETCH(int, depart);
    QFETCH(int, pas);
    QFETCH(int, maximum);
    QFETCH(QString, reponses);
    QFETCH(QVector<int>, niveaux);
    QFETCH(double, estimation);
    ProcedureSeuil p({ MethodeSeuil::escalier, depart, 1, maximum, pas });
    QVector<int> vus;
    for (const QChar c : reponses) {
        vus << p.niveau();
        p.note(c == u'1');
    }
    vus << p.niveau();
    QCOMPARE(vus, niveaux);
    QVERIFY(p.estimation());
    QCOMPARE(p.estimation()->seuil, estimation);
    QCOMPARE(p.trace().back().estimation, estimation);
}

// A deterministic observer right exactly from `seuil` up: every stored step must hold
// its own level's answer (a level stored one trial early or late breaks it).
void TestProcedureSeuil::niveau_aligne_sur_sa_reponse_data()
{
    QTest::addColumn<int>("methode");
    QTest::addColumn<int>("seuil");
    for (int s : { 2, 4, 7 }) {
        QTest::addRow("escalier %d", s) << int(MethodeSeuil::escalier) << s;
        QTest::addRow("quest %d", s) << int(MethodeSeuil::quest) << s;
    }
}

void TestProcedureSeuil::niveau_aligne_sur_sa_reponse()
{
    QFETCH(int, methode);
    QFETCH(int, seuil);
    ProcedureSeuil p({ MethodeSeuil(methode), 5, 1, 10, 1 });
    for (int i = 0; i < 40; ++i)
        p.note(p.niveau() >= seuil);
    QCOMPARE(p.trace().size(), 40);
    for (const PasSeuil &pas : p.trace())
        QVERIFY2(pas.correct == (pas.niveau >= seuil), qPrintable(QString::number(pas.niveau)));
    // Both settle on the step: the last levels straddle it.
    QVERIFY(std::abs(p.estimation()->seuil - (seuil - 0.5)) <= 1.0);
}

// Observers answering by a Weibull (β 3.5, γ 0.5, δ 0.01, 81.3 % at the threshold),
// 200 runs of 40 trials each, from 4 frames.
void TestProcedureSeuil::quest_observateurs_simules_data()
{
    QTest::addColumn<double>("vrai");
    for (double v : { 2.0, 3.0, 5.0, 8.0 })
        QTest::addRow("seuil %g", v) << v;
}

void TestProcedureSeuil::quest_observateurs_simules()
{
    QFETCH(double, vrai);
    std::mt19937 alea(7);
    std::uniform_real_distribution<double> u(0, 1);
    const auto juste = [&](int niveau) {
        const double p = 0.005
                + 0.99 * (1 - 0.5 * std::exp(-std::pow(double(niveau) / vrai, 3.5)));
        return u(alea) < p;
    };
    QVector<double> estimations;
    int dedans = 0;
    for (int run = 0; run < 200; ++run) {
        ProcedureSeuil p({ MethodeSeuil::quest, 4, 1, 15, 1 });
        for (int i = 0; i < 40; ++i)
            p.note(juste(p.niveau()));
        const EstimationSeuil e = *p.estimation();
        QVERIFY(*e.bas <= e.seuil && e.seuil <= *e.haut);
        estimations << e.seuil;
        dedans += std::abs(e.seuil - vrai) <= 1.0;
    }
    std::sort(estimations.begin(), estimations.end());
    const double mediane = estimations[100];
    QVERIFY2(std::abs(std::log(mediane / vrai)) < 0.15, qPrintable(QString::number(mediane)));
    QVERIFY2(dedans >= 140, qPrintable(QString::number(dedans)));
}

QTEST_APPLESS_MAIN(TestProcedureSeuil)
#include "test_procedure_seuil.moc"
