// The subject's answer keys in a whole trial through the real windows: each key
// answers its side, a key before the answer controls is ignored and counted, and the
// response time runs from the controls painted to the key's own time stamp, whatever
// the result windows open do after it.
#include "banc.h"
#include "app/clavier_reponses.h"
#include "platform/application.h"
#include "app/fenetres.h"
#include "music/essai_musical.h"
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace fantrel;
using Horloge = std::chrono::steady_clock;

namespace {

// A key as the window system would deliver it, stamped at `quand`.
void touche(app::TForm1 &f, Qt::Key cle, Horloge::time_point quand = Horloge::now())
{
    QKeyEvent e(QEvent::KeyPress, cle, Qt::NoModifier);
    e.setTimestamp(app::horodatage_evenement(quand));
    QApplication::sendEvent(&f, &e);
}

bool actif(banc::Banc &b)
{
    b.demarre();
    return true;
}

// Starts a trial with the start key (then `tot`, if any, before the answer buttons)
// and waits for the answer buttons.
bool lance(app::TForm1 &f, std::optional<Qt::Key> tot = std::nullopt)
{
    touche(f, Qt::Key_Return);
    if (tot)
        touche(f, *tot);
    return QTest::qWaitFor([&] { return f.commandes->bit_rep1->isVisibleTo(&f); }, 5000);
}

} // namespace

class TestClavier : public QObject
{
    Q_OBJECT
private slots:
    void touche_repond_son_cote_data();
    void touche_repond_son_cote();
    void touches_du_test_musical_data();
    void touches_du_test_musical();
    void temps_de_reponse_fenetres_ouvertes();
};

void TestClavier::touche_repond_son_cote_data()
{
    QTest::addColumn<int>("cle");
    QTest::addColumn<int>("cote"); // 0 left, 1 right, 2 "?"
    QTest::addColumn<bool>("anticipees"); // two keys before the controls first
    QTest::newRow("F gauche") << int(Qt::Key_F) << 0 << false;
    QTest::newRow("J droite") << int(Qt::Key_J) << 1 << false;
    QTest::newRow("espace je ne sais pas") << int(Qt::Key_Space) << 2 << false;
    QTest::newRow("J après deux anticipées") << int(Qt::Key_J) << 1 << true;
}

void TestClavier::touche_repond_son_cote()
{
    QFETCH(int, cle);
    QFETCH(int, cote);
    QFETCH(bool, anticipees);
    banc::Banc b;
    QVERIFY(actif(b));
    app::TForm1 &f = *b.form;
    QVector<trials::CompteRenduEssai> termines;
    connect(f.korvane, &trials::EssaiMots::essai_termine, this,
            [&](const trials::CompteRenduEssai &r) { termines << r; });
    const Horloge::time_point avant = Horloge::now();
    touche(f, Qt::Key_Return);
    if (anticipees)
        touche(f, Qt::Key_F); // during the exposure
    QVERIFY(QTest::qWaitFor([&] { return f.commandes->bit_rep1->isVisibleTo(&f); }, 5000));
    const QString gauche = f.commandes->bit_rep1->text(), droite = f.commandes->bit_rep2->text();
    if (anticipees)
        touche(f, Qt::Key_F, avant); // pressed early, held back until now
    QCOMPARE(termines.count(), 0);
    touche(f, Qt::Key(cle));
    QCOMPARE(termines.count(), 1);
    const trials::CompteRenduEssai rendu = termines.at(0);
    QCOMPARE(rendu.touches_anticipees, anticipees ? 2 : 0);
    QCOMPARE(rendu.reponse, cote == 0 ? gauche : cote == 1 ? droite : QString());
    QCOMPARE(rendu.facon, cote == 2 ? trials::FaconReponse::je_ne_sais_pas
                                    : trials::FaconReponse::clavier);
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
    QVERIFY(f.commandes->BitBtn2->isVisibleTo(&f));
}

void TestClavier::touches_du_test_musical_data()
{
    QTest::addColumn<int>("cle");
    QTest::addColumn<QString>("reponse");
    QTest::newRow("F juste") << int(Qt::Key_F) << QStringLiteral("C'était juste");
    QTest::newRow("J faux") << int(Qt::Key_J) << QStringLiteral("C'était faux");
}

// The start key plays the melody; the same key during it is ignored and counted.
void TestClavier::touches_du_test_musical()
{
    QFETCH(int, cle);
    QFETCH(QString, reponse);
    banc::Banc b;
    platform::ecrire_lignes(b.chemin("melodies.mus"), { "Courte,20,ndo3 nré3 nmi3 nfa3" });
    QVERIFY(actif(b));
    app::TForm1 &f = *b.form;
    f.Incongruitmusicale1->trigger();
    QVector<trials::CompteRenduEssai> termines;
    connect(f.essai_musical, &music::EssaiMusical::essai_termine, this,
            [&](const trials::CompteRenduEssai &r) { termines << r; });
    QVERIFY(lance(f, Qt::Key(cle)));
    QTest::qWait(20); // past the millisecond the buttons came in
    touche(f, Qt::Key(cle));
    QCOMPARE(termines.count(), 1);
    QCOMPARE(termines[0].reponse, reponse);
    QCOMPARE(termines[0].facon, trials::FaconReponse::clavier);
    QCOMPARE(termines[0].touches_anticipees, 1);
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
}

// A key stamped 300 ms after the controls were painted, delivered later still, with
// the 3D results, the statistics and the participants' chart open and redrawn by it.
void TestClavier::temps_de_reponse_fenetres_ouvertes()
{
    banc::Banc b;
    QVERIFY(actif(b));
    app::TForm1 &f = *b.form;
    f.Courbe21Click();
    f.Statistiques1Click();
    f.Graphiquedesparticipants1Click();
    QVector<double> temps;
    for (int i = 0; i < 3; ++i) {
        Horloge::time_point montrees{};
        const auto c = connect(f.korvane, &trials::EssaiMots::propositions_montrees, this,
                               [&] { montrees = Horloge::now(); });
        QVERIFY(lance(f));
        disconnect(c);
        QTest::qWait(350);
        QVector<trials::CompteRenduEssai> termines;
        const auto t = connect(f.korvane, &trials::EssaiMots::essai_termine, this,
                               [&](const trials::CompteRenduEssai &r) { termines << r; });
        touche(f, Qt::Key_F, montrees + std::chrono::milliseconds(300));
        disconnect(t);
        QCOMPARE(termines.count(), 1);
        temps << *termines.at(0).temps_reponse_ms;
    }
    for (double t : temps)
        QVERIFY2(std::abs(t - 300.0) < 1.0, qPrintable(QString::number(t)));
}

FANTREL_TEST_MAIN(TestClavier)
#include "test_clavier.moc"
