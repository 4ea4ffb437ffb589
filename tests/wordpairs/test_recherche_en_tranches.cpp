// The search by turns of the event loop, without any window: what it hands over
// and tells, STOP and REPRENDRE at any place giving exactly the pairs of a search
// run in one go (same order, none twice), the single word that stopping ends.
#include "wordpairs/recherche_en_tranches.h"
#include "wordpairs/recherche_simple.h"
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <random>

using namespace fantrel;
using wordpairs::RechercheEnTranches;

namespace {

constexpr wordpairs::Filtres aucun{ false, false, false, false, false };

// Class 4 holds every word of four letters over "abc" once, three to a line, in
// an order drawn by `graine`: no pair can be found twice, so a pair handed over
// twice shows. Lines of other classes stand around it.
wordpairs::BaseMots base_sans_doublon(unsigned graine)
{
    QStringList mots;
    for (int n = 0; n < 81; ++n) {
        QString mot;
        for (int k = 0, reste = n; k < 4; ++k, reste /= 3)
            mot += QChar(u'a' + reste % 3);
        mots << mot;
    }
    std::mt19937 hasard(graine);
    std::shuffle(mots.begin(), mots.end(), hasard);
    QStringList lignes{ "ab ab", "abc abc" };
    for (int k = 0; k < mots.size(); k += 3)
        lignes << "cles " + mots.mid(k, 3).join(' ');
    lignes << "ab ab";
    return wordpairs::BaseMots(lignes);
}

QStringList reference(const wordpairs::BaseMots &base, const wordpairs::Demande &demande)
{
    wordpairs::RechercheSimple simple(base, demande);
    simple.definir_filtres(aucun);
    while (!simple.avance(1'000'000)) { }
    return simple.prend_couples();
}

// Everything the search handed over, lot after lot.
QStringList couples_de(const QSignalSpy &spy)
{
    QStringList tous;
    for (const QList<QVariant> &signal : spy)
        tous += signal.at(0).toStringList();
    return tous;
}

// Lets the event loop run the search's turns `n` times.
void tours(int n)
{
    for (int k = 0; k < n; ++k)
        QCoreApplication::processEvents();
}

} // namespace

class TestRechercheEnTranches : public QObject
{
    Q_OBJECT
private slots:
    void d_un_seul_tenant();
    void stop_reprendre_data();
    void stop_reprendre();
    void stop_remet_ce_qui_attend();
    void stop_mot_seul_termine();
    void nouvelle_recherche_apres_pause();
    void classe_absente();
    void filtres_pour_la_suivante();
};

// Run to its end without a pause: the straightforward search's lines, in order;
// the signals in their order; the bar at m − 1 of m.
void TestRechercheEnTranches::d_un_seul_tenant()
{
    const wordpairs::BaseMots base = base_sans_doublon(1);
    RechercheEnTranches r;
    r.definir_filtres(aucun);
    QSignalSpy demarree(&r, &RechercheEnTranches::demarree);
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    QSignalSpy progression(&r, &RechercheEnTranches::progression);
    QSignalSpy pause(&r, &RechercheEnTranches::mise_en_pause);
    QSignalSpy terminee(&r, &RechercheEnTranches::terminee);
    r.demarre_classe(base, 4);
    QCOMPARE(demarree.size(), 1);
    QCOMPARE(demarree.at(0), QVariantList({ 2, 29 }));
    QTRY_COMPARE(terminee.size(), 1);
    QVERIFY(pause.isEmpty());
    QVERIFY(!r.en_cours() && !r.en_pause());
    QCOMPARE(r.etat(), RechercheEnTranches::Etat::inactive);
    const QStringList attendu = reference(base, { false, 4, {} });
    QVERIFY(attendu.size() > 50);
    QCOMPARE(couples_de(trouves), attendu);
    QVERIFY(!progression.isEmpty());
    QCOMPARE(progression.last(), QVariantList({ 26, 27 }));
    QCOMPARE(r.bornes().debut, 2);
    QVERIFY(!r.mot_seul());
}

void TestRechercheEnTranches::stop_reprendre_data()
{
    QTest::addColumn<qint64>("budget"); // units a turn; 0: by time
    QTest::addColumn<unsigned>("graine");
    QTest::newRow("une unité par tour") << qint64(1) << 1u;
    QTest::newRow("trois unités par tour") << qint64(3) << 2u;
    QTest::newRow("sept unités par tour") << qint64(7) << 3u;
    QTest::newRow("tours de 5 ms") << qint64(0) << 4u;
}

// Paused after a random number of turns and taken up again, many times: while
// paused nothing comes; in the end, exactly the pairs of a search run in one go,
// in the same order, none twice.
void TestRechercheEnTranches::stop_reprendre()
{
    QFETCH(qint64, budget);
    QFETCH(unsigned, graine);
    const wordpairs::BaseMots base = base_sans_doublon(graine);
    RechercheEnTranches r;
    r.definir_filtres(aucun);
    r.definir_budget_tranche(budget);
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    QSignalSpy pause(&r, &RechercheEnTranches::mise_en_pause);
    QSignalSpy reprise(&r, &RechercheEnTranches::reprise);
    QSignalSpy terminee(&r, &RechercheEnTranches::terminee);
    std::mt19937 hasard(graine);
    r.demarre_classe(base, 4);
    int pauses = 0;
    while (r.en_cours()) {
        tours(int(hasard() % 4));
        r.arrete();
        if (!r.en_pause())
            break; // the pause found the search at its end
        ++pauses;
        QCOMPARE(pause.size(), pauses);
        const qsizetype avant = trouves.size();
        QTest::qWait(2);
        QCOMPARE(trouves.size(), avant); // nothing comes while paused
        r.reprend();
        QCOMPARE(reprise.size(), pauses);
    }
    QTRY_COMPARE(terminee.size(), 1);
    if (budget > 0)
        QVERIFY2(pauses >= 10, qPrintable(QString::number(pauses)));
    const QStringList obtenu = couples_de(trouves);
    QCOMPARE(obtenu, reference(base, { false, 4, {} }));
    const QSet<QString> distincts(obtenu.begin(), obtenu.end());
    QCOMPARE(distincts.size(), obtenu.size());
}

// Turns of 5 ms and a slow receiver: the pairs found wait to be handed over, a
// lot a turn. STOP hands over every one of them before it tells the pause (or the
// end, should the search have done its work by then), so that what the window
// shows then, and counts, is all that was found.
void TestRechercheEnTranches::stop_remet_ce_qui_attend()
{
    std::mt19937 hasard(12);
    QStringList lignes; // a class of 390 lines (indexed in place), 5 words of "abc" each
    for (int k = 0; k < 390; ++k) {
        QString ligne = QStringLiteral("cles");
        for (int m = 0; m < 5; ++m) {
            ligne += u' ';
            for (int l = 0; l < 4; ++l)
                ligne += QChar(u'a' + int(hasard() % 3));
        }
        lignes << ligne;
    }
    const wordpairs::BaseMots base(lignes);
    RechercheEnTranches r;
    r.definir_filtres(aucun);
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    const QMetaObject::Connection lent =
            connect(&r, &RechercheEnTranches::couples_trouves, this, [] { QThread::msleep(3); });
    int recus_a_l_arret = -1;
    const auto arret = [&] { recus_a_l_arret = int(couples_de(trouves).size()); };
    connect(&r, &RechercheEnTranches::mise_en_pause, this, arret);
    connect(&r, &RechercheEnTranches::terminee, this, arret);
    r.demarre_classe(base, 4);
    tours(3);
    QVERIFY(r.en_cours());
    const qsizetype lots_avant = trouves.size();
    r.arrete();
    QVERIFY2(trouves.size() > lots_avant, "STOP left found pairs waiting");
    QCOMPARE(recus_a_l_arret, int(couples_de(trouves).size()));
    disconnect(lent);
    if (r.en_pause()) {
        r.reprend();
        QTRY_VERIFY(!r.en_cours());
    }
    QCOMPARE(couples_de(trouves), reference(base, { false, 4, {} }));
}

// A single-word search cannot be taken up: stopping ends it, with the pairs found
// so far handed over.
void TestRechercheEnTranches::stop_mot_seul_termine()
{
    const wordpairs::BaseMots base = base_sans_doublon(5);
    RechercheEnTranches r;
    r.definir_filtres(aucun);
    r.definir_budget_tranche(1);
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    QSignalSpy pause(&r, &RechercheEnTranches::mise_en_pause);
    QSignalSpy terminee(&r, &RechercheEnTranches::terminee);
    r.demarre_mot(base, QStringLiteral("abca"));
    QVERIFY(r.mot_seul());
    tours(3);
    QVERIFY(r.en_cours());
    r.arrete();
    QCOMPARE(terminee.size(), 1);
    QVERIFY(pause.isEmpty());
    QVERIFY(!r.en_pause() && !r.en_cours());
    r.reprend();
    QVERIFY(!r.en_cours());
    const QStringList attendu = reference(base, { true, 4, "abca" });
    const QStringList obtenu = couples_de(trouves);
    QVERIFY(obtenu.size() < attendu.size());
    QCOMPARE(obtenu, attendu.mid(0, obtenu.size()));
}

// A new search drops the paused one: only its own pairs come.
void TestRechercheEnTranches::nouvelle_recherche_apres_pause()
{
    const wordpairs::BaseMots base = base_sans_doublon(6);
    RechercheEnTranches r;
    r.definir_filtres(aucun);
    r.definir_budget_tranche(1);
    r.demarre_classe(base, 4);
    tours(2);
    r.arrete();
    QVERIFY(r.en_pause());
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    QSignalSpy terminee(&r, &RechercheEnTranches::terminee);
    r.definir_budget_tranche(0);
    r.demarre_classe(base, 4);
    QTRY_COMPARE(terminee.size(), 1);
    QCOMPARE(couples_de(trouves), reference(base, { false, 4, {} }));
}

// No line of the class: the search ends in its first turn, with nothing found
// and no progress.
void TestRechercheEnTranches::classe_absente()
{
    RechercheEnTranches r;
    QSignalSpy demarree(&r, &RechercheEnTranches::demarree);
    QSignalSpy progression(&r, &RechercheEnTranches::progression);
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    QSignalSpy terminee(&r, &RechercheEnTranches::terminee);
    r.demarre_classe(base_sans_doublon(7), 9);
    QCOMPARE(demarree.value(0), QVariantList({ -1, -1 }));
    QCOMPARE(terminee.size(), 1);
    QVERIFY(trouves.isEmpty());
    QVERIFY(progression.isEmpty());
    r.arrete();
    QCOMPARE(terminee.size(), 1);
}

// The filters set between two searches apply to the next one.
void TestRechercheEnTranches::filtres_pour_la_suivante()
{
    const wordpairs::BaseMots base({ "chat chat", "chas chas" });
    RechercheEnTranches r;
    QSignalSpy trouves(&r, &RechercheEnTranches::couples_trouves);
    r.demarre_classe(base, 4); // the check boxes' first state: all checked
    QTRY_VERIFY(!r.en_cours());
    QVERIFY(trouves.isEmpty());
    r.definir_filtres(aucun);
    r.demarre_classe(base, 4);
    QTRY_VERIFY(!r.en_cours());
    QCOMPARE(couples_de(trouves), QStringList{ "chat  chas" });
}

QTEST_GUILESS_MAIN(TestRechercheEnTranches)
#include "test_recherche_en_tranches.moc"
