// Insertion of the incongruous shift: at the end past trailing rests, and at a
// random place that never lands on a token already shifted nor on a rest.
#include "music/incongruite.h"
#include "music/melodie.h"
#include "platform/hasard.h"
#include <QSet>
#include <QTest>

using namespace fantrel;

namespace {

const QString demi = u"(+1/2)"_qs;

// Index of the one token that changed, or −1 when none or several did.
int jeton_modifie(const QString &avant, const QString &apres)
{
    const QStringList a = avant.split(u' ');
    const QStringList b = apres.split(u' ');
    if (a.size() != b.size())
        return -2;
    int modifie = -1;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        if (modifie != -1 || b[i] != a[i] + demi)
            return -2;
        modifie = i;
    }
    return modifie;
}

} // namespace

class TestIncongruite : public QObject
{
    Q_OBJECT
private slots:
    void texte_du_decalage();
    void a_la_fin_data();
    void a_la_fin();
    void la_derniere_note_est_decalee();
    void au_hasard_data();
    void au_hasard();
    void au_hasard_sans_note_libre_data();
    void au_hasard_sans_note_libre();
};

void TestIncongruite::texte_du_decalage()
{
    QCOMPARE(music::texte_decalage(u"+1/2"_qs), demi);
    QCOMPARE(music::texte_decalage(u" +1 / 2 "_qs), demi);
}

void TestIncongruite::a_la_fin_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("silence final sauté") << u"cdo2 cla2 - "_qs << u"cdo2 cla2(+1/2) - "_qs;
    QTest::newRow("plusieurs silences") << u"cdo2 cla2 - - - "_qs << u"cdo2 cla2(+1/2) - - - "_qs;
    QTest::newRow("dernier jeton") << u"cdo2 cla2 "_qs << u"cdo2 cla2(+1/2) "_qs;
    QTest::newRow("un jeton") << u"bdo3 "_qs << u"bdo3(+1/2) "_qs;
    QTest::newRow("rien que des silences: au début") << u"- - "_qs << u"(+1/2)- - "_qs;
}

void TestIncongruite::a_la_fin()
{
    QFETCH(QString, notes);
    QFETCH(QString, attendu);
    QCOMPARE(music::insere_a_la_fin(notes, demi), attendu);
}

void TestIncongruite::la_derniere_note_est_decalee()
{
    const QVector<music::Note> notes =
            music::analyse_notes(music::insere_a_la_fin(u"cdo2 cmi2 cla2 - "_qs, demi));
    const QVector<music::Note> attendues = { { 262, 80 }, { 329, 80 }, { 467, 80 }, { 0, 80 } };
    QCOMPARE(notes, attendues);
}

void TestIncongruite::au_hasard_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QSet<int>>("permis"); // tokens that may receive the shift
    QTest::addColumn<int>("minimum_atteints"); // how many of them many draws must reach
    QTest::newRow("longue mélodie avec décalages et silences")
            << u"cdo2 cré2 cmi2(+1/2) - cfa2 cso2 cla2(-1/4) csi2 - bdo3 cdo2 nré2 - "_qs
            << QSet<int>{ 0, 1, 4, 5, 7, 9, 10, 11 } << 5;
    QTest::newRow("20 caractères tout juste")
            << u"cdo2 cré2 cmi2 cfa2 "_qs << QSet<int>{ 0, 1, 2, 3 } << 1;
    QTest::newRow("courte: chaque note libre") << u"cdo2 cla2(+1) cmi2 "_qs << QSet<int>{ 0, 2 } << 2;
    QTest::newRow("courte, noms inconnus sautés") << u"cdo2 xyz2 - "_qs << QSet<int>{ 0 } << 1;
    QTest::newRow("fenêtre pleine de décalages: repli sur les notes libres")
            << u"cdo2 cré2(+1/2) cmi2(+1/2) cfa2(+1/2) cso2(+1/2) cla2 "_qs << QSet<int>{ 0, 5 }
            << 2;
}

void TestIncongruite::au_hasard()
{
    QFETCH(QString, notes);
    QFETCH(QSet<int>, permis);
    QFETCH(int, minimum_atteints);
    platform::Hasard hasard;
    hasard.graine(20240611);
    QSet<int> atteints;
    for (int tirage = 0; tirage < 2000; ++tirage) {
        const QString resultat = music::insere_au_hasard(notes, demi, hasard);
        const int jeton = jeton_modifie(notes, resultat);
        QVERIFY2(permis.contains(jeton), qPrintable(u"shift put in a wrong place: "_qs + resultat));
        atteints.insert(jeton);
    }
    QVERIFY2(atteints.size() >= minimum_atteints,
             qPrintable(u"only %1 places reached"_qs.arg(atteints.size())));
}

void TestIncongruite::au_hasard_sans_note_libre_data()
{
    QTest::addColumn<QString>("notes");
    QTest::newRow("courte, toutes décalées") << u"cdo2(+1) cla2(-1) "_qs;
    QTest::newRow("longue, toutes décalées") << u"cdo2(+1/2) cré2(+1/2) cmi2(+1/2) cfa2(+1/2) "_qs;
    QTest::newRow("rien que des silences") << u"- - - - - - - - - - - - - "_qs;
}

void TestIncongruite::au_hasard_sans_note_libre()
{
    QFETCH(QString, notes);
    platform::Hasard hasard;
    hasard.graine(7);
    QCOMPARE(music::insere_au_hasard(notes, demi, hasard), notes);
}

QTEST_APPLESS_MAIN(TestIncongruite)
#include "test_incongruite.moc"
