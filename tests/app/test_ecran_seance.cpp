// Sessions on a monitor with a refresh (simulated: there is none under Xvfb): the
// settings panel tells what the screen will really show, each word trial lasts the
// refreshes its setting rounds to and goes to the trial database with its frame count
// and its missed flips, and the session row keeps the refresh measured. The display
// check sees an injected miss and an early stamp; the photodiode square's pixels.
#include "seance_jouee.h"
#include "app/fenetre_verification.h"
#include "app/groupe_photodiode.h"
#include "app/journal_seance.h"
#include "app/panneau_seuil.h"
#include "app/verification_affichage.h"
#include "app/texte_duree.h"
#include "platform/application.h"
#include "engine3d/source_simulee.h"
#include "engine3d/vue3d.h"
#include "base/base_essais.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace fantrel;

namespace {

// The main window shown, on a simulated monitor of `hz`, its refresh measured.
engine3d::SourceSimulee *sur_ecran(banc::Banc &b, double hz)
{
    b.form->show();
    if (!QTest::qWaitForWindowExposed(b.form))
        return nullptr;
    engine3d::Vue3D *vue = b.form->affichage->vue_3d;
    engine3d::ReglageSimulation reglage;
    reglage.frequence_hz = hz;
    auto source = std::make_unique<engine3d::SourceSimulee>(reglage);
    engine3d::SourceSimulee *brute = source.get();
    QSignalSpy mesuree(vue, &engine3d::Vue3D::rafraichissement_mesure);
    vue->definir_source_rafraichissement(std::move(source));
    if (!mesuree.wait(20000) || !vue->rafraichissement().periode)
        return nullptr;
    return brute;
}

base::BaseEssais base_de(const banc::Banc &b)
{
    return base::BaseEssais(b.chemin(QStringLiteral("fantrel.sqlite")),
                            base::BaseEssais::Acces::lecture);
}

} // namespace

class TestEcranSeance : public QObject
{
    Q_OBJECT
private slots:
    void durees_en_images_data();
    void durees_en_images();
    void unite_des_seuils_data();
    void unite_des_seuils();
    void panneau_et_seance_a_60_hz();
    void essais_en_images_entieres_data();
    void essais_en_images_entieres();
    void verification_data();
    void verification();
    void carre_photodiode_data();
    void carre_photodiode();
};

void TestEcranSeance::durees_en_images_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<double>("hz");
    QTest::addColumn<bool>("saute_zero");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("30 ms à 60 Hz") << "30 ms" << 60.0 << false << "30 ms (2 images = 33,3 ms)";
    QTest::newRow("30 ms à 75 Hz") << "30 ms" << 75.0 << false << "30 ms (2 images = 26,7 ms)";
    QTest::newRow("30 ms à 120 Hz") << "30 ms" << 120.0 << false << "30 ms (4 images = 33,3 ms)";
    QTest::newRow("30 ms à 144 Hz") << "30 ms" << 144.0 << false << "30 ms (4 images = 27,8 ms)";
    QTest::newRow("moins d'une demi-image : une image")
            << "5 ms" << 60.0 << false << "5 ms (1 image = 16,7 ms)";
    QTest::newRow("0 ms à Korvane : une image")
            << "0 ms" << 60.0 << false << "0 ms (1 image = 16,7 ms)";
    QTest::newRow("phase de 0 ms sautée") << "0 ms" << 60.0 << true << "0 ms";
    QTest::newRow("100 ms à 144 Hz")
            << "100 ms" << 144.0 << false << "100 ms (14 images = 97,2 ms)";
    QTest::newRow("sans rafraîchissement") << "30 ms" << 0.0 << false << "30 ms";
    QTest::newRow("texte sans nombre gardé")
            << "Lab_intervalle_timer" << 60.0 << false << "Lab_intervalle_timer";
}

// A count of frames below 2 takes the singular, in the threshold's text and in the
// threshold panel's fields.
void TestEcranSeance::unite_des_seuils_data()
{
    QTest::addColumn<double>("unites");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("champ"); // the field "k (sous le seuil)" at round(unites)
    QTest::newRow("une") << 1.0 << "1,00 image = 16,7 ms" << "1 image";
    QTest::newRow("une et demie") << 1.5 << "1,50 image = 25,0 ms" << "2 images";
    QTest::newRow("arrondi à deux") << 1.999 << "2,00 images = 33,3 ms" << "2 images";
    QTest::newRow("zéro") << 0.0 << "0,00 image = 0,0 ms" << "0 image";
}

void TestEcranSeance::unite_des_seuils()
{
    QFETCH(double, unites);
    QFETCH(QString, texte);
    QFETCH(QString, champ);
    QCOMPARE(app::texte_seuil(unites, 1000.0 / 60), texte);
    app::PanneauSeuil panneau;
    panneau.definir_ecran(1000.0 / 60);
    panneau.Spin_k->setValue(int(std::lround(unites)));
    QCOMPARE(panneau.Spin_k->text(), champ);
    panneau.definir_ecran(std::nullopt);
    QCOMPARE(panneau.Spin_k->text(), champ.section(u' ', 0, 0) + QStringLiteral(" ms"));
}

void TestEcranSeance::durees_en_images()
{
    QFETCH(QString, reglage);
    QFETCH(double, hz);
    QFETCH(bool, saute_zero);
    QFETCH(QString, attendu);
    const std::optional<double> periode =
            hz > 0 ? std::optional<double>(1000.0 / hz) : std::nullopt;
    QCOMPARE(app::texte_duree(reglage, periode, saute_zero), attendu);
}

// The panel shows the refresh and the frames, saves the setting as set, and the session
// row learns the refresh once measured.
void TestEcranSeance::panneau_et_seance_a_60_hz()
{
    banc::Banc b;
    b.demarre();
    app::PanneauReglages &p = *b.form->reglages;
    QCOMPARE(p.Lab_ecran->text(),
             QStringLiteral("Écran sans synchronisation : durées au chronomètre"));
    QCOMPARE(p.Lab_intervalle_timer->text(), QStringLiteral("30 ms"));
    QVERIFY(sur_ecran(b, 60));
    QCOMPARE(p.Lab_ecran->text(), QStringLiteral("Écran : 60,0 Hz, 16,67 ms par image"));
    QCOMPARE(p.Lab_intervalle_timer->text(), QStringLiteral("30 ms (2 images = 33,3 ms)"));
    QCOMPARE(p.Lab_interv_masque1->text(), QStringLiteral("67 ms (4 images = 66,7 ms)"));
    p.Scroll_blanc->setValue(0);
    QCOMPARE(p.Lab_interv_blanc->text(), QStringLiteral("0 ms"));
    p.Scroll_timer->setValue(45);
    QCOMPARE(p.Lab_intervalle_timer->text(), QStringLiteral("45 ms (3 images = 50,0 ms)"));
    // The settings file keeps the duration as set.
    QCOMPARE(b.form->fichier_param->lignes().value(1), QStringLiteral("45 ms"));

    base::BaseEssais base = base_de(b);
    const std::optional<base::Seance> seance = base.seance(b.form->journal->seance());
    QVERIFY(seance);
    QVERIFY(seance->rafraichissement_hz);
    QCOMPARE(*seance->rafraichissement_hz, 60.0);
    QVERIFY2(!seance->priorite_minuteur.isEmpty(), "the timers' priority, once asked for");
    QCOMPARE(seance->methode_horodatage, QStringLiteral("simule"));
}

void TestEcranSeance::essais_en_images_entieres_data()
{
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("images_mot"); // 30 ms
    QTest::addColumn<QList<int>>("images_phases"); // 67/33/33/67 ms
    QTest::newRow("60 Hz") << 60.0 << 2 << QList<int>{ 4, 2, 2, 4 };
    QTest::newRow("144 Hz") << 144.0 << 4 << QList<int>{ 10, 5, 5, 10 };
}

// Word trials of both paradigms on the simulated monitor, run inside the program's own
// waits: every exposure lasts the refreshes its setting rounds to, and a flip made late
// on purpose is recorded as missed in its trial, and in no other. A miss not injected
// passes only where the simulated monitor saw a swap handed over after its refresh (the
// machine busy): three at most, where a program late every time is late on each of
// the row's six or more timed handovers. The third trial's mask is stamped by a swap
// that returns before its refresh: that trial, and no other, is flagged.
void TestEcranSeance::essais_en_images_entieres()
{
    QFETCH(double, hz);
    QFETCH(int, images_mot);
    QFETCH(QList<int>, images_phases);
    banc::Banc b;
    // The program's 1 s waits cut to 250 ms: still longer than a whole chain.
    b.seams->attente = [](int ms) { platform::attente_reelle(std::min(ms, 250)); };
    b.demarre();
    engine3d::SourceSimulee *source = sur_ecran(b, hz);
    QVERIFY(source);
    const double periode = 1000.0 / hz;
    app::TForm1 &f = *b.form;
    const int tardives_avant = source->remises_tardives();

    // Korvane at 30 ms: the second trial's mask flip, the one after its word's, lands one
    // refresh late.
    QVERIFY(banc::repond(f, true));
    f.affichage->observateur_affichage = [&](const QString &texte) {
        if (texte == f.etat.mots[std::size_t(f.etat.rang_mot)])
            source->ajoute_manque(source->flips(), 1);
    };
    QVERIFY(banc::repond(f, false));
    f.affichage->observateur_affichage = [&](const QString &texte) {
        if (texte == f.etat.mots[std::size_t(f.etat.rang_mot)])
            source->ajoute_precoce(source->flips());
    };
    QVERIFY(banc::repond(f, true));
    f.affichage->observateur_affichage = nullptr;
    // Morbelle at 67/33/33/67 ms.
    f.Morbelle1->trigger();
    QVERIFY(banc::repond(f, true));
    QTRY_COMPARE(base_de(b).essais().size(), 4);
    const int tardives = source->remises_tardives() - tardives_avant;
    QVERIFY2(tardives <= 3, qPrintable(QStringLiteral("%1 remises tardives").arg(tardives)));

    const QVector<base::Essai> essais = base_de(b).essais();
    const std::array<int, 3> injectees = { 0, 1, 0 };
    int manquees = 0;
    for (qsizetype k = 0; k < 3; ++k) {
        const base::Essai &e = essais[k];
        const QString vu = QStringLiteral("essai %1 : %2 images dont %3 manquées, %4 ms")
                                   .arg(k)
                                   .arg(e.images.value_or(-1))
                                   .arg(e.images_manquees.value_or(-1))
                                   .arg(e.exposition_mesuree_ms.value_or(-1));
        QVERIFY2(e.images && e.images_manquees && e.exposition_mesuree_ms, qPrintable(vu));
        QCOMPARE(e.images_prevues, std::optional<int>(images_mot));
        // A mask handed over late (the machine busy) returns within a quarter period of
        // its refresh: not early enough to doubt.
        const bool presque_a_l_heure = e.exposition_mesuree_ms
                && std::abs(*e.exposition_mesuree_ms - e.images.value_or(0) * periode)
                        < periode / 4;
        QVERIFY2(e.horodatage_douteux == (k == 2) || (k == 2 && presque_a_l_heure), qPrintable(vu));
        if (k == 2)
            continue; // its counts are not to be trusted
        const int injectee = injectees[std::size_t(k)];
        QVERIFY2(*e.images_manquees >= injectee && *e.images_manquees <= injectee + tardives,
                 qPrintable(vu));
        QVERIFY2(*e.images == images_mot + *e.images_manquees, qPrintable(vu));
        QVERIFY2(std::abs(*e.exposition_mesuree_ms - *e.images * periode) < 0.02, qPrintable(vu));
        manquees += *e.images_manquees;
    }
    const base::Essai &chaine = essais[3];
    QCOMPARE(chaine.test, base::TestEssai::morbelle);
    QVERIFY(chaine.phases_mesurees_ms && chaine.images && chaine.images_manquees);
    QCOMPARE(chaine.images_prevues, std::optional<int>(images_phases[1]));
    QCOMPARE(chaine.horodatage_douteux, std::optional<bool>(false));
    for (qsizetype k = 0; k < 4; ++k) {
        const double mesure = (*chaine.phases_mesurees_ms)[std::size_t(k)];
        const int en_trop = int(std::lround(mesure / periode)) - images_phases[k];
        QVERIFY2(en_trop >= 0 && std::abs(mesure - (images_phases[k] + en_trop) * periode) < 0.02,
                 qPrintable(QStringLiteral("phase %1 : %2 ms").arg(k).arg(mesure)));
        if (k == 1) {
            QCOMPARE(*chaine.images, images_phases[1] + en_trop);
            QCOMPARE(*chaine.images_manquees, en_trop);
        }
        manquees += en_trop;
    }
    // A late handover in the doubted trial is not counted above.
    QVERIFY2(manquees >= 1 && manquees <= 1 + tardives,
             qPrintable(QStringLiteral("%1 manquées, %2 remises tardives")
                                .arg(manquees)
                                .arg(tardives)));
}

void TestEcranSeance::verification_data()
{
    QTest::addColumn<int>("manque"); // rank of the flash whose end flips late (0: none)
    QTest::addColumn<int>("precoce"); // rank of the flash whose end is stamped early
    QTest::addColumn<int>("echap"); // Escape once this many flashes are made (0: never)
    QTest::newRow("sans défaut") << 0 << 0 << 0;
    QTest::newRow("un manque au flash 40") << 40 << 0 << 0;
    QTest::newRow("un retour anticipé au flash 12") << 0 << 12 << 0;
    QTest::newRow("Échap") << 0 << 0 << 10;
}

// The check of 45 flashes of 30 ms at 60 Hz through the menu's runner: every flash 2
// frames, but the injected ones; the report's count, the table verifications.
void TestEcranSeance::verification()
{
    QFETCH(int, manque);
    QFETCH(int, precoce);
    QFETCH(int, echap);
    banc::Banc b;
    b.demarre();
    engine3d::SourceSimulee *source = sur_ecran(b, 60);
    QVERIFY(source);
    app::TForm1 &f = *b.form;
    f.verification->demarre(app::plan_verification(f.etat, *f.korvane, *f.morbelle, 45));
    if (manque)
        source->ajoute_manque(manque, 1);
    if (precoce)
        source->ajoute_precoce(precoce);
    QSignalSpy fin(f.verification, &app::VerificationAffichage::terminee);
    if (echap) {
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(QTest::qWaitFor([&] { return f.verification->flashs().size() >= echap; }, 20000));
        QTest::keyClick(&f, Qt::Key_Escape);
    }
    QVERIFY(fin.count() == 1 || fin.wait(60000));
    const QVector<base::FlashVerification> flashs = base_de(b).verifications(f.journal->seance());
    QCOMPARE(flashs.size(), f.verification->flashs().size());
    QCOMPARE(f.verification->interrompue(), echap > 0);
    QVERIFY(echap ? flashs.size() < 45 && flashs.size() >= echap : flashs.size() == 45);
    const int tardives = source->remises_tardives();
    QStringList fautifs;
    for (const base::FlashVerification &v : flashs) {
        QCOMPARE(v.images_prevues, std::optional<int>(2));
        if (v.verdict != u"exact")
            fautifs << QStringLiteral("%1 %2").arg(v.numero).arg(v.verdict);
        else
            QVERIFY(std::abs(v.exposition_mesuree_ms - 2000.0 / 60) < 0.02);
    }
    QStringList voulus;
    if (manque)
        voulus << QStringLiteral("%1 manque").arg(manque);
    // A handover late by most of a half period returns within a quarter period of its
    // refresh: no doubt then.
    if (precoce && flashs.size() >= precoce
        && std::abs(flashs[precoce - 1].exposition_mesuree_ms - 2000.0 / 60) >= 1000.0 / 240)
        voulus << QStringLiteral("%1 douteux").arg(precoce);
    QVERIFY2(fautifs == voulus || (tardives > 0 && fautifs.size() <= voulus.size() + tardives),
             qPrintable(fautifs.join(", ")));
    QVERIFY(f.fenetre_verification->isVisible());
    if (tardives == 0 && !echap)
        QCOMPARE(f.fenetre_verification->Lab_bilan->text().section(QStringLiteral(" ; "), 0, 0),
                 QStringLiteral("Exacts : %1, courts : 0, longs : 0, manqués : %2, douteux : %3")
                         .arg(45 - voulus.size())
                         .arg(manque ? 1 : 0)
                         .arg(precoce ? 1 : 0));
}

void TestEcranSeance::carre_photodiode_data()
{
    QTest::addColumn<bool>("morbelle");
    QTest::newRow("Korvane") << false;
    QTest::newRow("Morbelle") << true;
}

// The square read back on the word's frame and on the frame after it, in the corner the
// panel sets; OK keeps it in fantrel.ini.
void TestEcranSeance::carre_photodiode()
{
    QFETCH(bool, morbelle);
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    QVERIFY(sur_ecran(b, 60));
    app::GroupePhotodiode &g = *f.reglages->photodiode;
    g.Spin_photodiode->setValue(30);
    g.Combo_coin->setCurrentIndex(3); // en haut à droite
    g.Check_photodiode->setChecked(true);
    if (morbelle)
        f.Morbelle1->trigger();
    QList<QRgb> coin, oppose;
    QString mot;
    f.affichage->observateur_affichage = [&](const QString &texte) {
        const QImage image = f.affichage->vue_3d->capture();
        if (mot.isEmpty() && texte != f.etat.mots[std::size_t(f.etat.rang_mot)])
            return; // the frames before the word
        mot = f.etat.mots[std::size_t(f.etat.rang_mot)];
        coin << image.pixel(image.width() - 5, 5);
        oppose << image.pixel(5, image.height() - 5);
    };
    QVERIFY(banc::repond(f, true));
    QTRY_VERIFY(coin.size() >= 2); // the chain goes on after the answer controls show
    f.affichage->observateur_affichage = nullptr;
    QCOMPARE(coin[0], qRgb(255, 255, 255));
    QCOMPARE(coin[1], qRgb(0, 0, 0));
    QCOMPARE(oppose[0], oppose[1]); // the other corner: the background, unchanged
    QTest::mouseClick(f.reglages->BitBtn4, Qt::LeftButton);
    const app::ReglagesEtendus lu = app::lit_reglages_etendus(b.chemin("fantrel.ini"));
    QVERIFY(lu.photodiode && lu.taille_photodiode == 30
            && lu.coin_photodiode == app::CoinEcran::haut_droite);
}

FANTREL_TEST_MAIN(TestEcranSeance)
#include "test_ecran_seance.moc"
