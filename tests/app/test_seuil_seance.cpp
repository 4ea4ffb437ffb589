// A threshold run through the real windows on a simulated 60 Hz monitor, answered at
// the keyboard by an observer with a known threshold: each stored trial's level is
// the frames really shown and its answer the observer's to that level; "Appliquer"
// sets the exposure and records the calibration; a Korvane block follows at it.
#include "banc.h"
#include "app/clavier_reponses.h"
#include "platform/application.h"
#include "app/journal_seance.h"
#include "app/panneau_seuil.h"
#include "base/base_essais.h"
#include "base/export_csv.h"
#include "engine3d/source_simulee.h"
#include "engine3d/vue3d.h"
#include "trials/mesure_seuil.h"
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

using namespace fantrel;

namespace {

void touche(app::TForm1 &f, Qt::Key cle)
{
    QKeyEvent e(QEvent::KeyPress, cle, Qt::NoModifier);
    e.setTimestamp(app::horodatage_evenement(std::chrono::steady_clock::now()));
    QApplication::sendEvent(&f, &e);
}

// One trial at the keyboard: right exactly when at least `seuil` frames were shown.
bool essai(app::TForm1 &f, int seuil, int images)
{
    touche(f, Qt::Key_Return);
    if (!QTest::qWaitFor([&] { return f.commandes->bit_rep1->isVisibleTo(&f); }, 5000))
        return false;
    const bool gauche_montre = f.commandes->bit_rep1->text() == f.commandes->lab_mot_aff->text();
    touche(f, (images >= seuil) == gauche_montre ? Qt::Key_F : Qt::Key_J);
    return true;
}

} // namespace

class TestSeuilSeance : public QObject
{
    Q_OBJECT
private slots:
    void quest_au_clavier_puis_bloc();
    void autre_test_abandonne_la_mesure();
};

void TestSeuilSeance::quest_au_clavier_puis_bloc()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    engine3d::ReglageSimulation reglage;
    reglage.frequence_hz = 60;
    QSignalSpy mesuree(f.affichage->vue_3d, &engine3d::Vue3D::rafraichissement_mesure);
    f.affichage->vue_3d->definir_source_rafraichissement(
            std::make_unique<engine3d::SourceSimulee>(reglage));
    QVERIFY(mesuree.wait(20000));
    constexpr int seuil = 3, nb = 40;
    f.Mesurerleseuil1->trigger();
    f.panneau_seuil->Spin_essais->setValue(nb);
    f.panneau_seuil->Spin_depart->setValue(5);
    QSignalSpy fini(f.mesure_seuil, &trials::MesureSeuil::fini);
    f.panneau_seuil->Bouton_commencer->click();
    QVector<int> niveaux;
    for (int i = 0; i < nb; ++i) {
        niveaux << f.mesure_seuil->procedure()->niveau();
        QVERIFY(essai(f, seuil, niveaux.back()));
    }
    QCOMPARE(fini.count(), 1);
    QVERIFY(f.panneau_seuil->isVisible());
    f.panneau_seuil->Bouton_appliquer->click();
    const int exposition = *f.mesure_seuil->exposition_appliquee();
    QCOMPARE(f.reglages->Scroll_timer->value(), exposition);
    for (int i = 0; i < 2; ++i)
        QVERIFY(essai(f, seuil, 0));
    base::BaseEssais base(b.chemin(QStringLiteral("fantrel.sqlite")), base::BaseEssais::Acces::lecture);
    QTRY_COMPARE(base.essais().size(), nb + 2);
    const QVector<base::Essai> essais = base.essais();
    for (int i = 0; i < nb; ++i) {
        const base::Essai &e = essais[i];
        QCOMPARE(e.test, base::TestEssai::seuil);
        QCOMPARE(e.niveau_images, niveaux[i]);
        // The frames the display was asked for (a late flip adds its missed refreshes).
        QCOMPARE(*e.images - e.images_manquees.value_or(0), niveaux[i]);
        QCOMPARE(*e.correct, niveaux[i] >= seuil);
        QCOMPARE(e.mode_reponse, base::FaconReponse::clavier);
        QVERIFY(e.seuil_images.has_value());
        QVERIFY(e.ligne_resultat.isEmpty());
    }
    QCOMPARE(essais[nb].test, base::TestEssai::korvane);
    QCOMPARE(essais[nb].exposition_ms, exposition);
    QCOMPARE(b.form->groupe_resultats->lignes().filter(QStringLiteral("répondu=")).size(), 2);
    const QVector<base::Evenement> ev = base.evenements(essais[0].seance);
    QVERIFY(std::any_of(ev.cbegin(), ev.cend(), [&](const base::Evenement &e) {
        return e.nature == base::NatureEvenement::calibration
                && e.lignes.contains(QStringLiteral("exposition_ms=%1").arg(exposition));
    }));
    // The CSV has each trial's level and estimate.
    const QString csv = b.chemin(QStringLiteral("essais.csv"));
    base::exporte_csv(b.chemin(QStringLiteral("fantrel.sqlite")), csv);
    QFile fichier(csv);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(fichier.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), nb + 3);
    const QStringList entete = lignes[0].trimmed().split(u',');
    const qsizetype colonne = entete.indexOf(QStringLiteral("niveau_images"));
    QVERIFY(colonne >= 0);
    QCOMPARE(lignes[1].split(u',').value(colonne).toInt(), niveaux[0]);
    if (const QByteArray image = qgetenv("FANTREL_IMAGE_SEUIL"); !image.isEmpty())
        f.panneau_seuil->grab().save(QString::fromLocal8Bit(image));
}

// Morbelle chosen during a run's exposure: the flash stops, no answer is asked, nothing
// is stored, the panel says so; back in Korvane the trials are Korvane's again.
void TestSeuilSeance::autre_test_abandonne_la_mesure()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    f.reglages->Scroll_timer->setValue(50);
    f.Mesurerleseuil1->trigger();
    f.panneau_seuil->Spin_depart->setValue(20);
    f.panneau_seuil->Bouton_commencer->click();
    touche(f, Qt::Key_Return);
    QVERIFY(f.korvane->AsyncTimer2->actif());
    f.Morbelle1Click();
    QVERIFY(!f.korvane->AsyncTimer2->actif());
    QVERIFY(!f.mesure_seuil->en_cours());
    QVERIFY(f.panneau_seuil->Lab_etat->text().contains(QStringLiteral("abandonnée")));
    QVERIFY(!f.panneau_seuil->Bouton_appliquer->isEnabled());
    QTest::qWait(300);
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
    f.Korvane1Click();
    QVERIFY(essai(f, 0, 1));
    base::BaseEssais base(b.chemin(QStringLiteral("fantrel.sqlite")), base::BaseEssais::Acces::lecture);
    QTRY_COMPARE(base.essais().size(), 1);
    QCOMPARE(base.essais()[0].test, base::TestEssai::korvane);
    QCOMPARE(base.essais()[0].exposition_ms, 50);
}

FANTREL_TEST_MAIN(TestSeuilSeance)
#include "test_seuil_seance.moc"
