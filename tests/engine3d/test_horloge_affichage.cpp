// The display clock without GL: durations in whole frames, missed frames, the
// measurement of the refresh from time stamps, the simulated monitor and its setting.
#include "engine3d/horloge_affichage.h"
#include "engine3d/source_simulee.h"

#include <QTest>

#include <functional>

using namespace fantrel::engine3d;
using namespace std::chrono_literals;

namespace {

Duree periode_de(double hz)
{
    return std::chrono::duration_cast<Duree>(std::chrono::duration<double>(1 / hz));
}

Duree en_ms(double ms)
{
    return std::chrono::duration_cast<Duree>(std::chrono::duration<double, std::milli>(ms));
}

double ms(Duree d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

Rafraichissement avec_periode(Duree periode)
{
    Rafraichissement r;
    r.mesure = true;
    r.periode = periode;
    return r;
}

// A display for the measurement: given when the next frame's drawing starts, when its
// stamp comes.
using Affichage = std::function<Horloge::time_point(Horloge::time_point debut, int image)>;

} // namespace

class TestHorlogeAffichage : public QObject
{
    Q_OBJECT
private slots:
    void plan_en_images_data();
    void plan_en_images();
    void plan_sans_rafraichissement();
    void manquees_data();
    void manquees();
    void avance_et_retour_anticipe_data();
    void avance_et_retour_anticipe();
    void mesure_data();
    void mesure();
    void source_simulee_data();
    void source_simulee();
    void reglage_simulation_data();
    void reglage_simulation();
};

void TestHorlogeAffichage::plan_en_images_data()
{
    QTest::addColumn<double>("hz");
    QTest::addColumn<double>("exposition_ms");
    QTest::addColumn<int>("images");
    QTest::addRow("60 Hz, 5 ms : sous la demi-période") << 60.0 << 5.0 << 1;
    QTest::addRow("60 Hz, 0 ms") << 60.0 << 0.0 << 1;
    QTest::addRow("60 Hz, 10 ms") << 60.0 << 10.0 << 1;
    QTest::addRow("60 Hz, 30 ms") << 60.0 << 30.0 << 2;
    QTest::addRow("60 Hz, 50 ms") << 60.0 << 50.0 << 3;
    QTest::addRow("60 Hz, 100 ms") << 60.0 << 100.0 << 6;
    QTest::addRow("75 Hz, 6 ms : sous la demi-période") << 75.0 << 6.0 << 1;
    QTest::addRow("75 Hz, 30 ms") << 75.0 << 30.0 << 2;
    QTest::addRow("75 Hz, 35 ms") << 75.0 << 35.0 << 3;
    QTest::addRow("75 Hz, 100 ms : 7,5 périodes") << 75.0 << 100.0 << 8;
    QTest::addRow("120 Hz, 4 ms : sous la demi-période") << 120.0 << 4.0 << 1;
    QTest::addRow("120 Hz, 17 ms") << 120.0 << 17.0 << 2;
    QTest::addRow("120 Hz, 30 ms") << 120.0 << 30.0 << 4;
    QTest::addRow("120 Hz, 100 ms") << 120.0 << 100.0 << 12;
    QTest::addRow("144 Hz, 3 ms : sous la demi-période") << 144.0 << 3.0 << 1;
    QTest::addRow("144 Hz, 10 ms") << 144.0 << 10.0 << 1;
    QTest::addRow("144 Hz, 17 ms") << 144.0 << 17.0 << 2;
    QTest::addRow("144 Hz, 30 ms") << 144.0 << 30.0 << 4;
    QTest::addRow("144 Hz, 100 ms") << 144.0 << 100.0 << 14;
}

// From the last frame's stamp: n frames shown for n·P, the swap handed over half a
// period before the refresh it aims at.
void TestHorlogeAffichage::plan_en_images()
{
    QFETCH(double, hz);
    QFETCH(double, exposition_ms);
    QFETCH(int, images);
    const Duree p = periode_de(hz);
    HorlogeAffichage horloge;
    horloge.definir_rafraichissement(avec_periode(p));
    const Horloge::time_point t = Horloge::time_point() + 1000s;
    horloge.note_image(t - 1ms, t - 1ms, t, 0);
    const PlanPresentation plan = horloge.planifie(en_ms(exposition_ms));
    QCOMPARE(plan.images, images);
    QCOMPARE(plan.duree, images * p);
    QCOMPARE(plan.remise, t + images * p - p / 2);
    QCOMPARE(plan.reveil, plan.remise - p / 4);
    QCOMPARE(images_pour_duree(en_ms(exposition_ms), p), images);
    const PlanPresentation direct = horloge.planifie_images(images);
    QCOMPARE(direct.remise, plan.remise);
    QCOMPARE(direct.duree, plan.duree);
}

// Without a refresh the duration stays as asked, handed over early by the median swap.
void TestHorlogeAffichage::plan_sans_rafraichissement()
{
    HorlogeAffichage horloge;
    Rafraichissement aucun;
    aucun.mesure = true;
    horloge.definir_rafraichissement(aucun);
    const Horloge::time_point t = Horloge::time_point() + 1000s;
    for (const Duree echange : { 900us, 1200us, 1000us })
        horloge.note_image(t - echange, t, t, 0);
    const PlanPresentation plan = horloge.planifie(30ms);
    QCOMPARE(plan.images, 0);
    QCOMPARE(plan.duree, Duree(30ms));
    QCOMPARE(plan.remise, t + 30ms - 1000us);
    QCOMPARE(plan.reveil, plan.remise - 1ms);
    QCOMPARE(horloge.derniere_image().manquees, 0);
    QCOMPARE(horloge.planifie_images(3).images, 0);
}

void TestHorlogeAffichage::manquees_data()
{
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("voulues"); // 0: presented at once
    QTest::addColumn<double>("remise"); // in periods after the previous frame
    QTest::addColumn<double>("arrivee"); // in periods after the previous frame
    QTest::addColumn<int>("images");
    QTest::addColumn<int>("manquees");
    QTest::addRow("à l'heure") << 60.0 << 2 << 1.5 << 2.0 << 2 << 0;
    QTest::addRow("une en retard") << 60.0 << 2 << 1.5 << 3.0 << 3 << 1;
    QTest::addRow("deux en retard, 144 Hz") << 144.0 << 1 << 0.5 << 3.0 << 3 << 2;
    QTest::addRow("arrivée avec gigue") << 144.0 << 3 << 2.5 << 3.04 << 3 << 0;
    QTest::addRow("retard avec gigue") << 144.0 << 3 << 2.5 << 3.96 << 4 << 1;
    QTest::addRow("en avance : pas manquée") << 60.0 << 3 << 1.5 << 2.0 << 2 << 0;
    QTest::addRow("immédiate, première possible") << 60.0 << 0 << 0.3 << 1.0 << 1 << 0;
    QTest::addRow("immédiate, une manquée") << 60.0 << 0 << 0.3 << 2.0 << 2 << 1;
    QTest::addRow("immédiate remise tard, à l'heure") << 75.0 << 0 << 1.2 << 2.0 << 2 << 0;
    QTest::addRow("immédiate remise tard, manquée") << 75.0 << 0 << 1.2 << 3.0 << 3 << 1;
}

void TestHorlogeAffichage::manquees()
{
    QFETCH(double, hz);
    QFETCH(int, voulues);
    QFETCH(double, remise);
    QFETCH(double, arrivee);
    QFETCH(int, images);
    QFETCH(int, manquees);
    const Duree p = periode_de(hz);
    const auto apres = [&](Horloge::time_point t, double periodes) {
        return t + std::chrono::duration_cast<Duree>(periodes * p);
    };
    HorlogeAffichage horloge;
    horloge.definir_rafraichissement(avec_periode(p));
    Horloge::time_point t = Horloge::time_point() + 1000s;
    horloge.note_image(t - 1ms, t - 1ms, t, 0);
    // The same frame twice over: the count adds up, per frame and in total.
    for (int fois = 1; fois <= 2; ++fois) {
        const ImagePresentee &image =
                horloge.note_image(apres(t, remise), apres(t, remise), apres(t, arrivee), voulues);
        QCOMPARE(image.images, images);
        QCOMPARE(image.manquees, manquees);
        QCOMPARE(horloge.manquees_total(), fois * manquees);
        t = image.horodatage;
    }
    // Frames of a measurement count nothing.
    const ImagePresentee &mesure =
            horloge.note_image(apres(t, 0.1), apres(t, 0.1), apres(t, 4), 0, false);
    QCOMPARE(mesure.manquees, 0);
    QCOMPARE(horloge.manquees_total(), 2 * manquees);
}

void TestHorlogeAffichage::avance_et_retour_anticipe_data()
{
    QTest::addColumn<int>("voulues");
    QTest::addColumn<double>(
            "arrivee"); // in periods after the previous frame; handed over at voulues − ½
    QTest::addColumn<bool>("au_retour"); // stamped by the swap's return
    QTest::addColumn<int>("en_avance");
    QTest::addColumn<bool>("douteuse");
    QTest::addColumn<double>("phase"); // periods after the previous frame the next ones count from
    QTest::addRow("une image trop tôt") << 3 << 2.0 << false << 1 << false << 2.0;
    QTest::addRow("retour au rafraîchissement") << 2 << 2.0 << true << 0 << false << 2.0;
    QTest::addRow("retour un peu tôt (gigue)") << 2 << 1.9 << true << 0 << false << 1.9;
    // Rounded to the planned 2: only the flag tells.
    QTest::addRow("retour avant le rafraîchissement") << 2 << 1.52 << true << 0 << true << 2.0;
    QTest::addRow("horodatage du système, une trop tôt") << 2 << 1.0 << false << 1 << false << 1.0;
}

// A swap that returned before the refresh it was handed to is flagged, and the next
// frames count from that refresh, not from the early stamp.
void TestHorlogeAffichage::avance_et_retour_anticipe()
{
    QFETCH(int, voulues);
    QFETCH(double, arrivee);
    QFETCH(bool, au_retour);
    QFETCH(int, en_avance);
    QFETCH(bool, douteuse);
    QFETCH(double, phase);
    const Duree p = periode_de(60);
    const auto apres = [&](double periodes) {
        return Horloge::time_point() + 1000s + std::chrono::duration_cast<Duree>(periodes * p);
    };
    HorlogeAffichage horloge;
    horloge.definir_rafraichissement(avec_periode(p));
    horloge.note_image(apres(-0.1), apres(-0.1), apres(0), 0);
    const ImagePresentee &image = horloge.note_image(apres(voulues - 0.5), apres(arrivee),
                                                     apres(arrivee), voulues, true, au_retour);
    QCOMPARE(image.en_avance, en_avance);
    QCOMPARE(image.douteuse, douteuse);
    QCOMPARE(image.horodatage, apres(arrivee)); // the stamp itself is kept for the record
    QCOMPARE(horloge.planifie_images(1).remise, apres(phase + 0.5));
}

void TestHorlogeAffichage::mesure_data()
{
    QTest::addColumn<Affichage>("affichage");
    QTest::addColumn<double>("retard_ms"); // the event loop runs a step this late...
    QTest::addColumn<int>("tous_les"); // ...every so many steps (0: never)
    QTest::addColumn<double>("periode_ms"); // 0: no refresh
    QTest::addColumn<int>("images_max"); // frames the measurement may take
    const Horloge::time_point zero = Horloge::time_point() + 1000s;
    // Paced: the first refresh of a fixed grid after the drawing (`travail` ms) ends.
    const auto cadence = [zero](double hz, double travail) -> Affichage {
        const Duree p = periode_de(hz);
        return [=](Horloge::time_point debut, int) {
            const Horloge::time_point fin = debut + en_ms(travail);
            return zero + ((fin - zero) / p + 1) * p;
        };
    };
    // No refresh: the drawing and the swap's copy, `ecart` ms either way from frame to frame.
    const auto virtuel = [](double travail, double ecart) -> Affichage {
        return [=](Horloge::time_point debut, int image) {
            const double bruit = ((image * 7919) % 13 - 6) / 6.0 * ecart;
            return debut + en_ms(travail + bruit);
        };
    };
    QTest::addRow("60 Hz") << cadence(60, 1.5) << 0.0 << 0 << 1000 / 60.0 << 70;
    QTest::addRow("75 Hz, dessin lent") << cadence(75, 9) << 0.0 << 0 << 1000 / 75.0 << 70;
    QTest::addRow("144 Hz, l'image espacée en manque une")
            << cadence(144, 4) << 0.0 << 0 << 1000 / 144.0 << 70;
    QTest::addRow("360 Hz") << cadence(360, 0.3) << 0.0 << 0 << 1000 / 360.0 << 70;
    QTest::addRow("60 Hz, boucle parfois en retard")
            << cadence(60, 1.5) << 30.0 << 7 << 1000 / 60.0 << 100;
    QTest::addRow("Xvfb, 2,5 ms irréguliers") << virtuel(2.5, 0.4) << 0.0 << 0 << 0.0 << 12;
    QTest::addRow("Xvfb, 3 ms réguliers") << virtuel(3, 0) << 0.0 << 0 << 0.0 << 12;
    QTest::addRow("Xvfb, 0,9 ms") << virtuel(0.9, 0.1) << 0.0 << 0 << 0.0 << 12;
    QTest::addRow("Xvfb, 20 ms réguliers") << virtuel(20, 0.05) << 0.0 << 0 << 0.0 << 12;
    QTest::addRow("Xvfb, boucle parfois en retard") << virtuel(1.2, 0.1) << 3.0 << 4 << 0.0 << 20;
    // QTest's waits sleep 10 ms between turns: every step late, no interval counts.
    QTest::addRow("Xvfb, boucle toujours en retard")
            << virtuel(1.2, 0.1) << 10.0 << 1 << 0.0 << 600;
}

// Fed the stamps a display would give, the measurement finds its period, or none after
// a few frames where swaps are not paced, whatever their length and regularity.
void TestHorlogeAffichage::mesure()
{
    QFETCH(Affichage, affichage);
    QFETCH(double, retard_ms);
    QFETCH(int, tous_les);
    QFETCH(double, periode_ms);
    QFETCH(int, images_max);
    MesureRafraichissement mesure;
    Horloge::time_point dernier = Horloge::time_point() + 1000s + 3ms;
    int images = 0;
    while (!mesure.terminee() && images < 1000) {
        const bool en_retard = tous_les > 0 && images % tous_les == tous_les - 1;
        const Horloge::time_point debut = dernier + (en_retard ? en_ms(retard_ms) : 20us);
        dernier = affichage(std::max(debut, dernier + mesure.pause_avant_image()), images++);
        mesure.ajoute(dernier, debut);
    }
    QVERIFY2(mesure.terminee(), "la mesure ne finit pas");
    QVERIFY2(images <= images_max, qPrintable(QStringLiteral("%1 images").arg(images)));
    const Rafraichissement &r = mesure.resultat();
    QVERIFY(r.mesure);
    QCOMPARE(r.periode.has_value(), periode_ms > 0);
    if (r.periode) {
        QVERIFY2(std::abs(ms(*r.periode) - periode_ms) < 1e-5,
                 qPrintable(QString::number(ms(*r.periode))));
        QCOMPARE(r.intervalles, MesureRafraichissement::intervalles_periode);
    }
}

void TestHorlogeAffichage::source_simulee_data()
{
    QTest::addColumn<double>("hz");
    QTest::addColumn<double>("gigue_ms");
    QTest::addColumn<QList<double>>("remises"); // periods after refresh 0
    QTest::addColumn<QList<long long>>("rafraichissements");
    // Each flip due on the refresh after the previous one's: flip 3 of the first row and
    // flip 2 of the last are handed over too late for it, and no injected miss counts.
    QTest::addColumn<int>("tardives");
    QTest::addRow("60 Hz") << 60.0 << 0.0 << QList<double>{ 0.2, 1.5, 1.6, 4.99, 5.01 }
                           << QList<long long>{ 1, 2, 3, 5, 6 } << 1;
    // Flip 2 misses one refresh, flip 4 two.
    QTest::addRow("144 Hz, manques") << 144.0 << 0.0 << QList<double>{ 0.5, 1.5, 2.5, 3.5, 4.5 }
                                     << QList<long long>{ 1, 2, 4, 5, 8 } << 0;
    QTest::addRow("144 Hz, gigue") << 144.0 << 1.5 << QList<double>{ 0.5, 1.5, 9.5, 10.5, 11.5 }
                                   << QList<long long>{ 1, 2, 11, 12, 15 } << 1;
}

// Refreshes lie in the past: nothing waits, the landing rule alone is checked.
void TestHorlogeAffichage::source_simulee()
{
    QFETCH(double, hz);
    QFETCH(double, gigue_ms);
    QFETCH(QList<double>, remises);
    QFETCH(QList<long long>, rafraichissements);
    QFETCH(int, tardives);
    ReglageSimulation reglage;
    reglage.frequence_hz = hz;
    reglage.gigue = en_ms(gigue_ms);
    if (QByteArray(QTest::currentDataTag()).contains("manques") || gigue_ms > 0)
        reglage.manques = { { 2, 1 }, { 4, 2 } };
    const Horloge::time_point creation = Horloge::now() - 3600s;
    SourceSimulee source(reglage, creation);
    const Duree p = source.periode();
    for (qsizetype i = 0; i < remises.size(); ++i) {
        const Horloge::time_point remise =
                creation + std::chrono::duration_cast<Duree>(remises[i] * p);
        const Horloge::time_point t = source.horodate(remise, remise, i == 0 ? 0 : 1);
        QCOMPARE(t, source.rafraichissement(rafraichissements[i]));
        const Duree ecart = t - (creation + rafraichissements[i] * p);
        QVERIFY(std::abs(ms(ecart)) <= gigue_ms);
    }
    QCOMPARE(source.flips(), remises.size());
    QCOMPARE(source.remises_tardives(), tardives);
}

void TestHorlogeAffichage::reglage_simulation_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("valide");
    QTest::addColumn<double>("hz");
    QTest::addColumn<double>("gigue_ms");
    QTest::addColumn<QString>("manques"); // "rang:périodes " each
    QTest::addRow("60") << "60" << true << 60.0 << 0.0 << "";
    QTest::addRow("59,94") << " 59.94 " << true << 59.94 << 0.0 << "";
    QTest::addRow("tout") << "144;gigue=0.2; phase=3;manques=40,75x2" << true << 144.0 << 0.2
                          << "40:1 75:2 ";
    QTest::addRow("vide") << "" << false << 0.0 << 0.0 << "";
    QTest::addRow("pas un nombre") << "soixante" << false << 0.0 << 0.0 << "";
    QTest::addRow("trop lent") << "5" << false << 0.0 << 0.0 << "";
    QTest::addRow("trop rapide") << "2000" << false << 0.0 << 0.0 << "";
    QTest::addRow("gigue d'un quart de période") << "60;gigue=4.2" << false << 0.0 << 0.0 << "";
    QTest::addRow("gigue négative") << "60;gigue=-1" << false << 0.0 << 0.0 << "";
    QTest::addRow("option inconnue") << "60;vitesse=2" << false << 0.0 << 0.0 << "";
    QTest::addRow("option sans valeur") << "60;gigue" << false << 0.0 << 0.0 << "";
    QTest::addRow("manque négatif") << "60;manques=-1" << false << 0.0 << 0.0 << "";
    QTest::addRow("manque de zéro période") << "60;manques=3x0" << false << 0.0 << 0.0 << "";
    QTest::addRow("manque mal formé") << "60;manques=4x2x3" << false << 0.0 << 0.0 << "";
}

void TestHorlogeAffichage::reglage_simulation()
{
    QFETCH(QString, texte);
    QFETCH(bool, valide);
    QFETCH(double, hz);
    QFETCH(double, gigue_ms);
    QFETCH(QString, manques);
    const auto reglage = lit_reglage_simulation(texte);
    QCOMPARE(reglage.has_value(), valide);
    if (!reglage)
        return;
    QCOMPARE(reglage->frequence_hz, hz);
    QCOMPARE(reglage->gigue, en_ms(gigue_ms));
    QString lus;
    for (const auto &[rang, periodes] : reglage->manques)
        lus += QStringLiteral("%1:%2 ").arg(rang).arg(periodes);
    QCOMPARE(lus, manques);
}

int execute_test_horloge_affichage(int argc, char **argv)
{
    TestHorlogeAffichage t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_horloge_affichage.moc"
