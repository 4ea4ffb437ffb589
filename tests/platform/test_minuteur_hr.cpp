// Behaviour of the high-resolution timer. Times are only bounded from below or with wide
// slack: precision is measured by bench/minuteur, not judged here.
#include "platform/minuteur_hr.h"
#include "platform/application.h"
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>
#include <thread>

using namespace fantrel;

class TestMinuteurHR : public QObject
{
    Q_OBJECT
private slots:
    void cree_inactif();
    void un_coup_en_desactivant_dans_le_gestionnaire();
    void intervalle_zero_ne_declenche_jamais();
    void livre_sur_le_fil_gui();
    void gui_occupe_livre_une_fois_ensuite();
    void pas_de_rattrapage();
    void evenement_en_suspens_data();
    void evenement_en_suspens();
    void desactiver_arrete_net();
    void destruction_propre_data();
    void destruction_propre();
    void changement_d_intervalle_a_l_attente_suivante();
    void avance_garde_le_rythme();
    void echeance_a_un_moment_data();
    void echeance_a_un_moment();
};

// Keeps the GUI thread busy without running its loop, like the program's blocking waits.
static void occupe(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TestMinuteurHR::cree_inactif()
{
    platform::MinuteurHR minuteur;
    QCOMPARE(minuteur.actif(), false);
    QCOMPARE(minuteur.intervalle(), quint16(0));
    minuteur.definir_intervalle(65535);
    QCOMPARE(minuteur.intervalle(), quint16(65535));
}

void TestMinuteurHR::un_coup_en_desactivant_dans_le_gestionnaire()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(40);
    QElapsedTimer chrono;
    qint64 premier = -1;
    int appels = 0;
    connect(&minuteur, &platform::MinuteurHR::echeance, this, [&] {
        if (++appels == 1)
            premier = chrono.elapsed();
        minuteur.definir_actif(false);
    });
    chrono.start();
    minuteur.definir_actif(true);
    QTRY_COMPARE(appels, 1);
    QVERIFY2(premier >= 40, qPrintable(QStringLiteral("first event after %1 ms").arg(premier)));
    QTest::qWait(200);
    QCOMPARE(appels, 1);
    QVERIFY(!minuteur.actif());
}

void TestMinuteurHR::intervalle_zero_ne_declenche_jamais()
{
    platform::MinuteurHR minuteur;
    QSignalSpy espion(&minuteur, &platform::MinuteurHR::echeance);
    minuteur.definir_actif(true);
    QVERIFY(!espion.wait(300));
    // Given a real interval while enabled, it starts waiting.
    minuteur.definir_intervalle(10);
    QVERIFY(espion.wait(2000));
    // Back to 0: the wait already begun may still end, then nothing more.
    minuteur.definir_intervalle(0);
    QTest::qWait(50);
    const auto vus = espion.count();
    QTest::qWait(300);
    QCOMPARE(espion.count(), vus);
}

void TestMinuteurHR::livre_sur_le_fil_gui()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(5);
    QThread *fil = nullptr;
    connect(&minuteur, &platform::MinuteurHR::echeance, this, [&] {
        fil = QThread::currentThread();
        minuteur.definir_actif(false);
    });
    minuteur.definir_actif(true);
    QTRY_VERIFY(fil != nullptr);
    QCOMPARE(fil, qApp->thread());
}

void TestMinuteurHR::gui_occupe_livre_une_fois_ensuite()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(20);
    QElapsedTimer chrono;
    QList<qint64> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this,
            [&] { instants << chrono.elapsed(); });
    chrono.start();
    minuteur.definir_actif(true);
    occupe(300);
    QCoreApplication::processEvents();
    QCOMPARE(instants.size(), 1);
    QVERIFY2(instants[0] >= 300, qPrintable(QString::number(instants[0])));
    minuteur.definir_actif(false);
    QTest::qWait(100);
    QCOMPARE(instants.size(), 1);
}

void TestMinuteurHR::pas_de_rattrapage()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(50);
    QElapsedTimer chrono;
    QList<qint64> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this, [&] {
        instants << chrono.elapsed();
        if (instants.size() == 1)
            occupe(500); // ten due times pass during this handler
    });
    chrono.start();
    minuteur.definir_actif(true);
    QTRY_VERIFY_WITH_TIMEOUT(instants.size() >= 3, 5000);
    minuteur.definir_actif(false);
    // The next events keep the rhythm from the end of the busy handler: no burst.
    for (int i = 1; i < 3; ++i) {
        const qint64 ecart = instants[i] - instants[i - 1];
        QVERIFY2(ecart >= 40,
                 qPrintable(QStringLiteral("events %1 and %2 only %3 ms apart")
                                    .arg(i - 1)
                                    .arg(i)
                                    .arg(ecart)));
    }
    QVERIFY2(instants[1] - instants[0] >= 500, "the second event came during the busy handler");
}

void TestMinuteurHR::evenement_en_suspens_data()
{
    QTest::addColumn<bool>("reactive");
    QTest::newRow("desactive pendant que le GUI est occupe") << false;
    QTest::newRow("relance pendant que le GUI est occupe") << true;
}

// An event handed over while the GUI thread is busy belongs to the wait that produced it:
// disabling (or restarting) before it is delivered drops it.
void TestMinuteurHR::evenement_en_suspens()
{
    QFETCH(bool, reactive);
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(100);
    QElapsedTimer chrono;
    QList<qint64> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this,
            [&] { instants << chrono.elapsed(); });
    minuteur.definir_actif(true);
    occupe(250);
    minuteur.definir_actif(false);
    chrono.start();
    if (reactive)
        minuteur.definir_actif(true);
    QCoreApplication::processEvents();
    QVERIFY2(instants.isEmpty(), "a stale event ran its handler");
    if (reactive) {
        QTRY_VERIFY(!instants.isEmpty());
        QVERIFY2(instants[0] >= 100, qPrintable(QString::number(instants[0])));
    } else {
        QTest::qWait(300);
        QVERIFY(instants.isEmpty());
    }
}

void TestMinuteurHR::desactiver_arrete_net()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(10);
    QSignalSpy espion(&minuteur, &platform::MinuteurHR::echeance);
    minuteur.definir_actif(true);
    QTRY_VERIFY(espion.count() >= 3);
    minuteur.definir_actif(false);
    const auto vus = espion.count();
    QTest::qWait(200);
    QCOMPARE(espion.count(), vus);
    // Disabling twice changes nothing; enabling again restarts.
    minuteur.definir_actif(false);
    minuteur.definir_actif(true);
    QVERIFY(espion.wait(2000));
}

void TestMinuteurHR::destruction_propre_data()
{
    QTest::addColumn<int>("intervalle");
    QTest::addColumn<int>("occupation");
    QTest::addColumn<bool>("dans_le_gestionnaire");
    QTest::newRow("pendant le sommeil") << 1000 << 0 << false;
    QTest::newRow("pendant le sondage") << 2 << 1 << false;
    QTest::newRow("evenement en suspens") << 5 << 100 << false;
    QTest::newRow("dans son propre gestionnaire") << 5 << 0 << true;
}

void TestMinuteurHR::destruction_propre()
{
    QFETCH(int, intervalle);
    QFETCH(int, occupation);
    QFETCH(bool, dans_le_gestionnaire);
    auto *minuteur = new platform::MinuteurHR;
    auto appels = std::make_shared<int>(0);
    bool detruit = false;
    connect(minuteur, &QObject::destroyed, this, [&] { detruit = true; });
    connect(minuteur, &platform::MinuteurHR::echeance, this, [=] {
        ++*appels;
        if (dans_le_gestionnaire)
            delete minuteur;
    });
    minuteur->definir_intervalle(quint16(intervalle));
    minuteur->definir_actif(true);
    if (dans_le_gestionnaire) {
        QTRY_VERIFY(detruit);
    } else {
        occupe(occupation);
        delete minuteur;
    }
    const int vus = *appels;
    QTest::qWait(100);
    QCOMPARE(*appels, vus);
    QVERIFY(detruit);
}

void TestMinuteurHR::changement_d_intervalle_a_l_attente_suivante()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(1000);
    QElapsedTimer chrono;
    QList<qint64> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this,
            [&] { instants << chrono.elapsed(); });
    chrono.start();
    minuteur.definir_actif(true);
    QTest::qWait(50);
    minuteur.definir_intervalle(20);
    QTRY_VERIFY_WITH_TIMEOUT(instants.size() >= 4, 8000);
    minuteur.definir_actif(false);
    QVERIFY2(instants[0] >= 1000,
             qPrintable(QStringLiteral("first event at %1 ms").arg(instants[0])));
    // The three next ones at the new pace (60 ms); at the old one they would need 3000 ms.
    QVERIFY2(instants[3] - instants[0] < 1500,
             qPrintable(QStringLiteral("%1 ms for three events").arg(instants[3] - instants[0])));
}

// Events come early by the advance, while the rhythm stays on the due times (at 1000 and
// 2000 ms: delivered from 200 and 1200 ms). Bounds far apart: a loaded machine delivers
// late, never early.
void TestMinuteurHR::avance_garde_le_rythme()
{
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(1000);
    minuteur.definir_avance(std::chrono::milliseconds(800));
    QElapsedTimer chrono;
    QList<qint64> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this, [&] {
        instants << chrono.elapsed();
        if (instants.size() == 2)
            minuteur.definir_actif(false);
    });
    chrono.start();
    minuteur.definir_actif(true);
    QTRY_COMPARE_WITH_TIMEOUT(instants.size(), 2, 8000);
    QVERIFY2(instants[0] >= 200 && instants[0] < 1000, qPrintable(QString::number(instants[0])));
    QVERIFY2(instants[1] >= 1190, qPrintable(QString::number(instants[1])));
}

void TestMinuteurHR::echeance_a_un_moment_data()
{
    QTest::addColumn<int>("intervalle");
    QTest::addColumn<int>("dans_ms"); // the moment, from now (negative: past)
    QTest::addColumn<int>("avance");
    QTest::addColumn<int>("evenements"); // the first ones; none more without an interval
    QTest::newRow("intervalle nul : un seul") << 0 << 150 << 0 << 1;
    QTest::newRow("puis au rythme de l'intervalle") << 200 << 150 << 0 << 2;
    QTest::newRow("l'avance ne compte pas") << 0 << 150 << 100 << 1;
    QTest::newRow("moment passé : tout de suite") << 0 << -50 << 0 << 1;
}

// An event at a moment of the steady clock, never before it, on the GUI thread; the
// interval rules what follows. The thread tells what priority it got.
void TestMinuteurHR::echeance_a_un_moment()
{
    QFETCH(int, intervalle);
    QFETCH(int, dans_ms);
    QFETCH(int, avance);
    QFETCH(int, evenements);
    platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(quint16(intervalle));
    minuteur.definir_avance(std::chrono::milliseconds(avance));
    using Horloge = platform::MinuteurHR::Horloge;
    QList<Horloge::time_point> instants;
    connect(&minuteur, &platform::MinuteurHR::echeance, this, [&] {
        QCOMPARE(QThread::currentThread(), qApp->thread());
        instants << Horloge::now();
    });
    const Horloge::time_point moment = Horloge::now() + std::chrono::milliseconds(dans_ms);
    minuteur.definir_echeance(moment);
    QVERIFY(minuteur.actif());
    QTRY_VERIFY_WITH_TIMEOUT(instants.size() >= evenements, 5000);
    if (intervalle == 0) {
        QTest::qWait(300);
        QCOMPARE(instants.size(), 1);
    }
    QVERIFY2(instants[0] >= moment, "event before its moment");
    if (evenements > 1)
        QVERIFY(instants[1] - instants[0] >= std::chrono::milliseconds(intervalle - 10));
    // Disabled before its moment, nothing comes.
    minuteur.definir_echeance(Horloge::now() + std::chrono::milliseconds(100));
    minuteur.definir_actif(false);
    const auto vus = instants.size();
    QTest::qWait(200);
    QCOMPARE(instants.size(), vus);
    QVERIFY2(!minuteur.priorite().isEmpty(), "the thread told no priority");
}

FANTREL_TEST_MAIN(TestMinuteurHR)

#include "test_minuteur_hr.moc"
