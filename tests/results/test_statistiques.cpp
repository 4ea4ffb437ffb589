// Statistics per subject against published values: binomial tails, standard normal
// quantiles, the signal-detection indices, and the table's French formatting.
//
// Sources of the expected values:
// - binomial tails for small n are exact fractions (the sum of C(n, i) over 2^n),
//   which also give the tables of the cumulative binomial at p = 1/2 (0.0207 for
//   n = 20, k = 15; 0.0547 for n = 10, k = 8);
// - the larger ones are R 4.2's pbinom(k - 1, n, 0.5, lower.tail = FALSE);
// - quantiles to 5 decimals are those of the standard normal table (1.95996,
//   1.64485, 2.32635, 3.09023, 0.67449); the far tails are R 4.2's qnorm;
// - Wilson intervals: SciPy 1.10's binomtest(k, n).proportion_ci(0.95, "wilson");
//   2AFC d′: √2 × scipy.stats.norm.ppf((k + 0.5) / (n + 1)); t-tests: SciPy 1.10's
//   ttest_1samp(x, 50, alternative="greater");
// - BF01: mpmath 1.3's quad at 40 digits of ∫₀^½ (1 + 2δ)^k (1 − 2δ)^(n−k) e^(−δ²/2σ²) dδ
//   over ∫₀^½ e^(−δ²/2σ²) dδ (inverted), the range cut every 1/800; SciPy's quad agrees
//   to 12 digits on the rows it was run on (20/15, 20/10, 20/5, 60/37, 1000/550).
#include "results/modele_statistiques.h"
#include "results/statistiques.h"
#include <QTest>
#include <cmath>

using namespace fantrel;
using namespace fantrel::results;

namespace {

bool proche(double obtenu, double attendu, double relatif)
{
    return std::abs(obtenu - attendu) <= relatif * std::abs(attendu);
}

Comptes comptes(int c1, int c2, int c3, int c4)
{
    return Comptes{ 0, c1, c2, c3, c4 };
}

} // namespace

class TestStatistiques : public QObject
{
    Q_OBJECT
private slots:
    void queue_binomiale_data();
    void queue_binomiale();
    void queue_binomiale_exacte_jusqu_a_62();
    void normale_inverse_data();
    void normale_inverse();
    void normale_inverse_reciproque();
    void sujet_data();
    void sujet();
    void wilson_data();
    void wilson();
    void facteur_bayes_data();
    void facteur_bayes();
    void d_prime_2afc_data();
    void d_prime_2afc();
    void student_data();
    void student();
    void saisies_a_part();
    void cellules_data();
    void cellules();
};

void TestStatistiques::queue_binomiale_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("k");
    QTest::addColumn<double>("p");
    QTest::newRow("n=20, k=15 (21700/2^20)") << 20LL << 15LL << 21700.0 / 1048576.0;
    QTest::newRow("n=10, k=8 (56/2^10)") << 10LL << 8LL << 56.0 / 1024.0;
    QTest::newRow("n=3, k=2") << 3LL << 2LL << 0.5;
    QTest::newRow("n=1, k=1") << 1LL << 1LL << 0.5;
    QTest::newRow("k=0: certain") << 12LL << 0LL << 1.0;
    QTest::newRow("k>n: impossible") << 12LL << 13LL << 0.0;
    QTest::newRow("n=100, k=60") << 100LL << 60LL << 0.028443966820490434;
    QTest::newRow("n=1000, k=550") << 1000LL << 550LL << 0.00086526804248815816;
    QTest::newRow("n=1000, k=900") << 1000LL << 900LL << 6.7017177900063219e-162;
    QTest::newRow("n=1000, k=1000 (2^-1000)") << 1000LL << 1000LL << 9.3326361850325597e-302;
    QTest::newRow("n=10000, k=5000 (sous la moitié)") << 10000LL << 5000LL << 0.50398932306969102;
    QTest::newRow("n=10^6, k=500001") << 1000000LL << 500001LL << 0.49960105781933417;
    QTest::newRow("n=10^6, k=501000") << 1000000LL << 501000LL << 0.022804149932691052;
    QTest::newRow("n=10^6, k=502500") << 1000000LL << 502500LL << 2.8812708188702997e-07;
}

void TestStatistiques::queue_binomiale()
{
    QFETCH(qint64, n);
    QFETCH(qint64, k);
    QFETCH(double, p);
    const double obtenu = results::queue_binomiale(n, k);
    QVERIFY2(
            proche(obtenu, p, 1e-11),
            qPrintable(
                    QStringLiteral("%1 au lieu de %2").arg(obtenu, 0, 'g', 17).arg(p, 0, 'g', 17)));
}

// Every tail for n up to 62 against the exact sum of binomial coefficients.
void TestStatistiques::queue_binomiale_exacte_jusqu_a_62()
{
    for (int n = 1; n <= 62; ++n) {
        std::vector<quint64> coefficients(std::size_t(n) + 1, 0);
        coefficients[0] = 1;
        for (int i = 1; i <= n; ++i)
            coefficients[std::size_t(i)] =
                    coefficients[std::size_t(i) - 1] * quint64(n - i + 1) / quint64(i);
        quint64 queue = 0;
        for (int k = n; k >= 0; --k) {
            queue += coefficients[std::size_t(k)];
            const double exacte = std::ldexp(double(queue), -n);
            const double obtenu = results::queue_binomiale(n, k);
            QVERIFY2(proche(obtenu, exacte, 1e-13),
                     qPrintable(QStringLiteral("n=%1 k=%2 : %3 au lieu de %4")
                                        .arg(n)
                                        .arg(k)
                                        .arg(obtenu, 0, 'g', 17)
                                        .arg(exacte, 0, 'g', 17)));
        }
    }
}

void TestStatistiques::normale_inverse_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("tolerance"); // absolute
    QTest::newRow("0,975 (table)") << 0.975 << 1.95996 << 5e-6;
    QTest::newRow("0,95 (table)") << 0.95 << 1.64485 << 5e-6;
    QTest::newRow("0,99 (table)") << 0.99 << 2.32635 << 5e-6;
    QTest::newRow("0,999 (table)") << 0.999 << 3.09023 << 5e-6;
    QTest::newRow("0,75 (table)") << 0.75 << 0.67449 << 5e-6;
    QTest::newRow("0,5") << 0.5 << 0.0 << 1e-15;
    QTest::newRow("0,975 (R)") << 0.975 << 1.9599639845400536 << 1e-14;
    QTest::newRow("0,025 (R)") << 0.025 << -1.9599639845400538 << 1e-14;
    QTest::newRow("10^-10 (R)") << 1e-10 << -6.3613409024040557 << 1e-13;
    QTest::newRow("10^-300 (R)") << 1e-300 << -37.047096299361201 << 1e-12;
    QTest::newRow("1 - 10^-12 (R)") << 1 - 1e-12 << 7.0344869100478356 << 1e-8;
}

void TestStatistiques::normale_inverse()
{
    QFETCH(double, p);
    QFETCH(double, z);
    QFETCH(double, tolerance);
    const double obtenu = results::normale_inverse(p);
    QVERIFY2(
            std::abs(obtenu - z) <= tolerance,
            qPrintable(
                    QStringLiteral("%1 au lieu de %2").arg(obtenu, 0, 'g', 17).arg(z, 0, 'g', 17)));
}

// Φ(Φ⁻¹(p)) = p over the whole range, both tails read where they are exact. A z
// rounded to its last bit moves Φ by about z² × 1e-16 relative: that is the bound.
void TestStatistiques::normale_inverse_reciproque()
{
    using results::normale_inverse;
    const auto tolerance = [](double z) { return 1e-14 + 4e-16 * z * z; };
    for (double e = -300; e < 0; e += 0.37) {
        const double p = std::pow(10.0, e);
        const double z = normale_inverse(p);
        QVERIFY2(proche(normale(z), p, tolerance(z)), qPrintable(QString::number(p)));
        const double q = 1 - p;
        if (q < 1) // its upper tail 1 − q is exact: compare it with Φ(−z)
            QVERIFY2(proche(normale(-normale_inverse(q)), 1 - q, tolerance(z)),
                     qPrintable(QString::number(q, 'g', 17)));
    }
    for (double p = 0.001; p < 1; p += 0.001)
        QVERIFY2(proche(normale(normale_inverse(p)), p, 1e-14), qPrintable(QString::number(p)));
    QCOMPARE(normale_inverse(0), -std::numeric_limits<double>::infinity());
    QCOMPARE(normale_inverse(1), std::numeric_limits<double>::infinity());
    QVERIFY(std::isnan(normale_inverse(-0.1)));
}

Q_DECLARE_METATYPE(fantrel::results::Comptes)

void TestStatistiques::sujet_data()
{
    QTest::addColumn<Comptes>("c");
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("justes");
    QTest::addColumn<double>("p"); // -1: none
    QTest::addColumn<double>("d_prime"); // NaN: none
    QTest::addColumn<double>("critere");
    const double aucun = std::nan("");
    // H = 19.5/20 = 0.975, F = 0.5/20 = 0.025: d′ = 2 z(0.975).
    QTest::newRow("tout juste, 19 et 19") << comptes(19, 0, 19, 0) << 38LL << 38LL
                                          << std::ldexp(1.0, -38) << 3.9199279690801072 << 0.0;
    // H = 9.5/10 = 0.95, F = 2.5/10 = 0.25: z(0.95) − z(0.25), −(z(0.95) + z(0.25)) / 2.
    QTest::newRow("9, 0, 7, 2") << comptes(9, 0, 7, 2) << 18LL << 16LL << 172.0 / 262144.0
                                << 1.6448536269514715 + 0.67448975019608171
                                << -(1.6448536269514715 - 0.67448975019608171) / 2;
    QTest::newRow("aucun essai du premier mot")
            << comptes(0, 0, 5, 5) << 10LL << 5LL << 638.0 / 1024.0 << aucun << aucun;
    QTest::newRow("aucun essai") << comptes(0, 0, 0, 0) << 0LL << 0LL << -1.0 << aucun << aucun;
    QTest::newRow("compte négatif") << comptes(3, -1, 2, 2) << 0LL << 0LL << -1.0 << aucun << aucun;
}

void TestStatistiques::sujet()
{
    QFETCH(Comptes, c);
    QFETCH(qint64, n);
    QFETCH(qint64, justes);
    QFETCH(double, p);
    QFETCH(double, d_prime);
    QFETCH(double, critere);
    const StatistiquesSujet s = statistiques(c);
    QCOMPARE(s.n, n);
    QCOMPARE(s.justes, justes);
    QCOMPARE(s.p.has_value(), p >= 0);
    QCOMPARE(s.pourcentage.has_value(), n > 0);
    if (s.p) {
        QVERIFY(proche(*s.p, p, 1e-12));
        QVERIFY(proche(*s.pourcentage, 100.0 * double(justes) / double(n), 1e-15));
    }
    QCOMPARE(s.d_prime.has_value(), !std::isnan(d_prime));
    QCOMPARE(s.critere.has_value(), !std::isnan(d_prime));
    if (s.d_prime) {
        QVERIFY2(std::abs(*s.d_prime - d_prime) < 1e-12,
                 qPrintable(QString::number(*s.d_prime, 'g', 17)));
        QVERIFY2(std::abs(*s.critere - critere) < 1e-12,
                 qPrintable(QString::number(*s.critere, 'g', 17)));
    }
}

void TestStatistiques::wilson_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("k");
    QTest::addColumn<double>("bas");
    QTest::addColumn<double>("haut");
    QTest::newRow("15/20") << 20LL << 15LL << 0.5312991223812561 << 0.8881382985923344;
    QTest::newRow("10/20") << 20LL << 10LL << 0.2992980081982124 << 0.7007019918017876;
    QTest::newRow("0/20") << 20LL << 0LL << 0.0 << 0.16112515805281935;
    QTest::newRow("20/20") << 20LL << 20LL << 0.8388748419471808 << 1.0;
    QTest::newRow("37/60") << 60LL << 37LL << 0.49017595824099924 << 0.7291172762591798;
    QTest::newRow("1/1") << 1LL << 1LL << 0.20654931437723745 << 1.0;
}

void TestStatistiques::wilson()
{
    QFETCH(qint64, n);
    QFETCH(qint64, k);
    QFETCH(double, bas);
    QFETCH(double, haut);
    const IntervalleConfiance i = intervalle_wilson(n, k);
    QVERIFY2(std::abs(i.bas - bas) < 1e-12 && std::abs(i.haut - haut) < 1e-12,
             qPrintable(QStringLiteral("%1 – %2").arg(i.bas, 0, 'g', 17).arg(i.haut, 0, 'g', 17)));
}

void TestStatistiques::facteur_bayes_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("k");
    QTest::addColumn<double>("echelle");
    QTest::addColumn<double>("bf01");
    QTest::addColumn<int>("conclusion");
    const int hasard = int(ConclusionBayes::hasard), effet = int(ConclusionBayes::effet),
              rien = int(ConclusionBayes::non_concluant);
    QTest::newRow("15/20") << 20LL << 15LL << 0.15 << 0.165635119855623 << effet;
    QTest::newRow("10/20") << 20LL << 10LL << 0.15 << 1.69860826143225 << rien;
    QTest::newRow("5/20, sous le hasard") << 20LL << 5LL << 0.15 << 4.62437570718445 << hasard;
    QTest::newRow("20/20") << 20LL << 20LL << 0.15 << 0.000242122419544793 << effet;
    QTest::newRow("8/10, échelle 0,3") << 10LL << 8LL << 0.3 << 0.252962587238534 << effet;
    QTest::newRow("37/60") << 60LL << 37LL << 0.15 << 0.337039399712855 << rien;
    QTest::newRow("50/100") << 100LL << 50LL << 0.15 << 3.1787692935268 << hasard;
    QTest::newRow("550/1000") << 1000LL << 550LL << 0.15 << 0.0338546906778154 << effet;
    QTest::newRow("120/200, échelle 0,05") << 200LL << 120LL << 0.05 << 0.0599372624545319 << effet;
    QTest::newRow("1/1") << 1LL << 1LL << 0.15 << 0.807333959342518 << rien;
    QTest::newRow("38/38: sommet à p = 1") << 38LL << 38LL << 0.15 << 3.4583345e-9 << effet;
    QTest::newRow("14/20, échelle 0,5") << 20LL << 14LL << 0.5 << 0.376611155195375 << rien;
    // A peak 0.0016 wide: stepped over, the integral would come out far off.
    QTest::newRow("50500/100000") << 100000LL << 50500LL << 0.15 << 0.319771979853534 << effet;
}

void TestStatistiques::facteur_bayes()
{
    QFETCH(qint64, n);
    QFETCH(qint64, k);
    QFETCH(double, echelle);
    QFETCH(double, bf01);
    QFETCH(int, conclusion);
    const double obtenu = facteur_bayes_01(n, k, echelle);
    QVERIFY2(proche(obtenu, bf01, 1e-7), qPrintable(QString::number(obtenu, 'g', 17)));
    QCOMPARE(int(conclusion_bayes(obtenu)), conclusion);
}

void TestStatistiques::d_prime_2afc_data()
{
    QTest::addColumn<qint64>("n");
    QTest::addColumn<qint64>("k");
    QTest::addColumn<double>("d");
    QTest::newRow("15/20") << 20LL << 15LL << 0.9015387462310269;
    QTest::newRow("10/20") << 20LL << 10LL << 0.0;
    QTest::newRow("20/20, fini") << 20LL << 20LL << 2.801206903041594;
    QTest::newRow("0/20, fini") << 20LL << 0LL << -2.801206903041594;
    QTest::newRow("37/60") << 60LL << 37LL << 0.41257086497507917;
}

void TestStatistiques::d_prime_2afc()
{
    QFETCH(qint64, n);
    QFETCH(qint64, k);
    QFETCH(double, d);
    QVERIFY(std::abs(results::d_prime_2afc(n, k) - d) < 1e-12);
}

void TestStatistiques::student_data()
{
    QTest::addColumn<QList<double>>("valeurs");
    QTest::addColumn<double>("t"); // NaN: no test
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("ecart_type");
    QTest::newRow("75, 50, 60") << QList<double>{ 75, 50, 60 } << 1.605910137093932
                                << 0.1247606128067718 << 12.583057392117917;
    QTest::newRow("55, 65, 45, 70") << QList<double>{ 55, 65, 45, 70 } << 1.5784566588059408
                                    << 0.10628648157615969 << 11.086778913041726;
    QTest::newRow("50, 50,5") << QList<double>{ 50, 50.5 } << 1.0 << 0.25 << 0.3535533905932738;
    QTest::newRow("un seul") << QList<double>{ 80 } << std::nan("") << 0.0 << 0.0;
    QTest::newRow("sans écart") << QList<double>{ 60, 60, 60 } << std::nan("") << 0.0 << 0.0;
}

void TestStatistiques::student()
{
    QFETCH(QList<double>, valeurs);
    QFETCH(double, t);
    QFETCH(double, p);
    QFETCH(double, ecart_type);
    const auto test = test_student(std::vector<double>(valeurs.begin(), valeurs.end()), 50);
    QCOMPARE(test.has_value(), !std::isnan(t));
    if (!test)
        return;
    QCOMPARE(test->ddl, int(valeurs.size()) - 1);
    QVERIFY2(proche(test->t, t, 1e-12), qPrintable(QString::number(test->t, 'g', 17)));
    QVERIFY2(proche(test->p, p, 1e-10), qPrintable(QString::number(test->p, 'g', 17)));
    QVERIFY(proche(test->ecart_type, ecart_type, 1e-12));
}

// 10 trials on the buttons, all right, and 10 typed "xx", all wrong: d′ and chance
// are the buttons' (H = 5.5/6, F = 0.5/6: d′ = 2 z(11/12), SciPy); the typed answers
// stand apart.
void TestStatistiques::saisies_a_part()
{
    const LigneStatistiques zoe{ QStringLiteral("Zoé"), comptes(5, 5, 5, 5), {},
                                 comptes(0, 5, 0, 5), 2 };
    const QVector<LigneCalculee> lignes = calcule_statistiques({ zoe }, 0.15);
    QCOMPARE(lignes.size(), 2); // Zoé and the group, the word tests only
    QCOMPARE(lignes[0].stats.n, 10LL);
    QVERIFY(std::abs(*lignes[0].stats.d_prime - 2.765988254201276) < 1e-12);
    QCOMPARE(lignes[0].stats.p.value(), std::ldexp(1.0, -10));
    const QStringList c = cellules_statistiques(lignes[0]);
    QCOMPARE(c.mid(12), (QStringList{ "10 (0 juste)", "2" }));
    QCOMPARE(lignes[1].je_ne_sais_pas, 2LL);
}

void TestStatistiques::cellules_data()
{
    QTest::addColumn<Comptes>("mots");
    QTest::addColumn<Comptes>("musique");
    // Zoé's word line, then her melody line; the BF01 and the bounds from the sources above.
    QTest::addColumn<QStringList>("attendues");
    QTest::newRow("mots seuls") << comptes(9, 0, 7, 2) << comptes(0, 0, 0, 0)
                                << QStringList{ "Zoé", "Mots", "18", "16", "88,9", "67,2 – 96,9",
                                                "0,0007", "0,0195", "en faveur d'un effet",
                                                "1,58", "2,32", "-0,49", "0", "0" };
    QTest::newRow("p sous 0,0001, critère nul sans signe")
            << comptes(19, 0, 19, 0) << comptes(1, 1, 1, 1)
            << QStringList{ "Zoé", "Mots", "38", "38", "100,0", "90,8 – 100,0", "< 0,0001",
                            "< 0,0001", "en faveur d'un effet", "3,16", "3,92", "0,00", "0", "0",
                            "Zoé", "Musique", "4", "2", "50,0", "15,0 – 85,0", "0,6875", "1,18",
                            "non concluant", "", "0,00", "0,00", "", "" };
}

void TestStatistiques::cellules()
{
    QFETCH(Comptes, mots);
    QFETCH(Comptes, musique);
    QFETCH(QStringList, attendues);
    QStringList obtenues;
    for (const LigneCalculee &l : calcule_statistiques({ { QStringLiteral("Zoé"), mots, musique } }, 0.15))
        if (!l.groupe)
            obtenues << cellules_statistiques(l);
    QCOMPARE(obtenues, attendues);
    QCOMPARE(obtenues.size() % entetes_statistiques().size(), 0);
}

QTEST_GUILESS_MAIN(TestStatistiques)
#include "test_statistiques.moc"
