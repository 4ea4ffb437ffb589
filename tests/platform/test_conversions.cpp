#include "platform/conversions.h"
#include "platform/erreurs.h"
#include "platform/hasard.h"
#include <QTest>
#include <cmath>
#include <limits>

using namespace fantrel;

class TestConversions : public QObject
{
    Q_OBJECT
private slots:
    void vers_entier_data();
    void vers_entier();
    void vers_reel_data();
    void vers_reel();
    void reel_general_data();
    void reel_general();
    void composante_simple_aller_retour();
    void tirage_uniforme_dans_l_intervalle();
};

void TestConversions::vers_entier_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("valide");
    QTest::addColumn<int>("attendu");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("simple") << "42" << true << 42;
    QTest::newRow("blancs devant") << "   42" << true << 42;
    QTest::newRow("moins") << "-42" << true << -42;
    QTest::newRow("plus") << "+42" << true << 42;
    QTest::newRow("zeros devant") << "0000000000000000000042" << true << 42;
    QTest::newRow("maximum") << "2147483647" << true << std::numeric_limits<int>::max();
    QTest::newRow("minimum") << "-2147483648" << true << std::numeric_limits<int>::min();
    QTest::newRow("au-dela du maximum") << "2147483648" << false << 0;
    QTest::newRow("en deca du minimum") << "-2147483649" << false << 0;
    QTest::newRow("tres long") << "99999999999999999999999" << false << 0;
    QTest::newRow("vide") << "" << false << 0;
    QTest::newRow("blanc seul") << " " << false << 0;
    QTest::newRow("signe seul") << "-" << false << 0;
    QTest::newRow("blanc apres") << "42 " << false << 0;
    QTest::newRow("blanc au milieu") << "4 2" << false << 0;
    QTest::newRow("blanc apres le signe") << "- 4" << false << 0;
    QTest::newRow("tabulation devant") << "\t5" << false << 0;
    QTest::newRow("reel") << "1.5" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("chiffre non latin") << QStringLiteral("٣") << false << 0;
    QTest::newRow("intervalle avec unite") << "30 ms" << false << 0;
}

void TestConversions::vers_entier()
{
    QFETCH(QString, texte);
    QFETCH(bool, valide);
    QFETCH(int, attendu);
    try {
        const int valeur = fantrel::platform::vers_entier(texte);
        QVERIFY2(valide, qPrintable(QStringLiteral("accepted, gave %1").arg(valeur)));
        QCOMPARE(valeur, attendu);
    } catch (const platform::ErreurExecution &e) {
        QVERIFY2(!valide, qPrintable(e.message()));
        QCOMPARE(e.message(),
                 QStringLiteral("'") + texte
                         + QStringLiteral("' n'est pas une valeur entière correcte"));
    }
}

void TestConversions::vers_reel_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QChar>("separateur");
    QTest::addColumn<bool>("valide");
    QTest::addColumn<double>("attendu");
    QTest::newRow("virgule") << "0,5" << QChar(u',') << true << 0.5;
    QTest::newRow("point") << "0.5" << QChar(u'.') << true << 0.5;
    QTest::newRow("point sous virgule") << "0.5" << QChar(u',') << false << 0.0;
    QTest::newRow("virgule sous point") << "0,5" << QChar(u'.') << false << 0.0;
    QTest::newRow("entier") << "15780518" << QChar(u',') << true << 15780518.0;
    QTest::newRow("negatif exposant") << "-1,25E2" << QChar(u',') << true << -125.0;
    QTest::newRow("exposant minuscule negatif") << "1e-3" << QChar(u'.') << true << 0.001;
    QTest::newRow("blancs autour") << "  3  " << QChar(u',') << true << 3.0;
    QTest::newRow("separateur final") << "1," << QChar(u',') << true << 1.0;
    QTest::newRow("separateur initial") << ",5" << QChar(u',') << true << 0.5;
    QTest::newRow("sous-depassement") << "1E-400" << QChar(u',') << true << 0.0;
    QTest::newRow("composante") << "0,800000011920929" << QChar(u',') << true << double(0.8f);
    QTest::newRow("vide") << "" << QChar(u',') << false << 0.0;
    QTest::newRow("separateur seul") << "," << QChar(u',') << false << 0.0;
    QTest::newRow("exposant seul") << "E5" << QChar(u',') << false << 0.0;
    QTest::newRow("exposant sans chiffre") << "1E" << QChar(u',') << false << 0.0;
    QTest::newRow("separateur de milliers") << "1 000" << QChar(u',') << false << 0.0;
    QTest::newRow("depassement") << "1E400" << QChar(u',') << false << 0.0;
    QTest::newRow("texte") << "abc" << QChar(u',') << false << 0.0;
    QTest::newRow("infini ecrit") << "inf" << QChar(u'.') << false << 0.0;
}

void TestConversions::vers_reel()
{
    QFETCH(QString, texte);
    QFETCH(QChar, separateur);
    QFETCH(bool, valide);
    QFETCH(double, attendu);
    try {
        const double valeur = fantrel::platform::vers_reel(texte, separateur);
        QVERIFY2(valide, qPrintable(QStringLiteral("accepted, gave %1").arg(valeur)));
        QCOMPARE(valeur, attendu);
    } catch (const platform::ErreurExecution &e) {
        QVERIFY2(!valide, qPrintable(e.message()));
        QCOMPARE(e.message(),
                 QStringLiteral("'") + texte
                         + QStringLiteral("' n'est pas une valeur en virgule flottante correcte"));
    }
}

void TestConversions::reel_general_data()
{
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QChar>("separateur");
    QTest::addColumn<QString>("attendu");
    const QChar v(u','), p(u'.');
    QTest::newRow("composante simple elargie") << double(0.8f) << v << "0,800000011920929";
    QTest::newRow("zero") << 0.0 << v << "0";
    QTest::newRow("zero negatif") << -0.0 << v << "0";
    QTest::newRow("un") << 1.0 << v << "1";
    QTest::newRow("demi virgule") << 0.5 << v << "0,5";
    QTest::newRow("demi point") << 0.5 << p << "0.5";
    QTest::newRow("couleur") << 15780518.0 << v << "15780518";
    QTest::newRow("couleur systeme") << -2147483620.0 << v << "-2147483620";
    QTest::newRow("tiers") << 1.0 / 3 << v << "0,333333333333333";
    QTest::newRow("arrondi a 15 chiffres") << 0.1 + 0.2 << v << "0,3";
    QTest::newRow("quinze chiffres entiers") << 999999999999999.0 << v << "999999999999999";
    QTest::newRow("arrondi vers 1E15") << 999999999999999.9 << v << "1E15";
    QTest::newRow("1E14 sans exposant") << 1e14 << v << "100000000000000";
    QTest::newRow("grand") << 123456789012345678.0 << v << "1,23456789012346E17";
    QTest::newRow("petit sans exposant") << 0.0001 << v << "0,0001";
    QTest::newRow("petit avec exposant") << 0.00001 << v << "1E-5";
    QTest::newRow("1E-7") << 1e-7 << p << "1E-7";
    QTest::newRow("negatif petit") << -1.5e-7 << v << "-1,5E-7";
    QTest::newRow("negatif") << -12.25 << v << "-12,25";
    QTest::newRow("non nombre") << std::nan("") << v << "NAN";
    QTest::newRow("infini negatif") << -std::numeric_limits<double>::infinity() << v << "-INF";
}

void TestConversions::reel_general()
{
    QFETCH(double, valeur);
    QFETCH(QChar, separateur);
    QFETCH(QString, attendu);
    QCOMPARE(fantrel::platform::reel_general(valeur, separateur), attendu);
}

// Colour components go through the settings file as widened single-precision values and
// must come back exactly.
void TestConversions::composante_simple_aller_retour()
{
    platform::Hasard hasard;
    hasard.graine(20240611);
    for (int i = 0; i <= 2000; ++i) {
        const float composante =
                i <= 1000 ? float(i) / 1000 : float(hasard.tirage(1 << 24)) / float(1 << 24);
        for (const QChar sep : { QChar(u','), QChar(u'.') }) {
            const QString texte = fantrel::platform::reel_general(double(composante), sep);
            const float relu = float(fantrel::platform::vers_reel(texte, sep));
            QVERIFY2(relu == composante, qPrintable(texte));
        }
    }
}

void TestConversions::tirage_uniforme_dans_l_intervalle()
{
    platform::Hasard hasard;
    hasard.graine(7);
    QCOMPARE(hasard.tirage(0), 0);
    QCOMPARE(hasard.tirage(-3), 0);
    QCOMPARE(hasard.tirage(1), 0);
    int vus[10] = {};
    for (int i = 0; i < 10000; ++i) {
        const int t = hasard.tirage(10);
        QVERIFY2(t >= 0 && t < 10, qPrintable(QString::number(t)));
        ++vus[t];
    }
    for (int compte : vus)
        QVERIFY2(compte > 850 && compte < 1150, qPrintable(QString::number(compte)));
    platform::Hasard autre;
    autre.graine(7);
    hasard.graine(7);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(autre.tirage(1000), hasard.tirage(1000));
}

int execute_test_conversions(int argc, char **argv)
{
    TestConversions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_conversions.moc"
