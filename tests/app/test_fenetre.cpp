// The main window: menus, test-type states, closing a trial, "Mode visible", the
// camera handlers around start-up, and the word really drawn in the 3D view.
#include "banc.h"
#include "engine3d/camera.h"
#include "engine3d/controle_camera.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/application.h"
#include "results/fenetre_graphique.h"
#include "results/fenetre_participants.h"
#include "results/fenetre_resultats_3d.h"
#include "results/fenetre_statistiques.h"
#include "wordpairs/fenetre_couples.h"
#include <QListView>
#include <QPlainTextEdit>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

using namespace fantrel;

namespace {
// Pixels of what the X server shows of the 3D view, above the row of the start and
// answer buttons (they stand over the view), that differ from the background by
// more than a shade: the presented frame, not a drawing made for the test.
int pixels_hors_fond(app::TForm1 &f, QColor fond)
{
    engine3d::Vue3D *vue = f.affichage->vue_3d;
    const QImage image =
            QGuiApplication::primaryScreen()->grabWindow(vue->fenetre_gl()->winId()).toImage();
    const int bas = f.commandes->BitBtn2->y() - vue->y() - 4;
    int n = 0;
    for (int y = 0; y < std::min(bas, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - fond.red()) + std::abs(c.green() - fond.green())
                            + std::abs(c.blue() - fond.blue())
                    > 12;
        }
    return n;
}
// The colour of a pixel of the presented frame.
QColor pixel_a_l_ecran(engine3d::Vue3D *vue, QPoint p)
{
    return QGuiApplication::primaryScreen()
            ->grabWindow(vue->fenetre_gl()->winId(), p.x(), p.y(), 1, 1)
            .toImage()
            .pixelColor(0, 0);
}
const QColor fond_param(0xA6, 0xCA, 0xF0); // 15780518 = 0x00F0CAA6
} // namespace

class TestFenetre : public QObject
{
    Q_OBJECT
private slots:
    void fenetre_et_menus_data();
    void fenetre_et_menus();
    void coches_initiales();
    void types_de_test_data();
    void types_de_test();
    void musique_puis_morbelle_rend_le_mot_visible();
    void cache_boutons_fin_de_liste();
    void saisie_libre_sans_liste_dit_plus_de_mots();
    void mode_visible_et_croix();
    void camera_avant_et_apres_demarrage();
    void demarrage_sans_param_garde_la_camera();
    void mot_dessine_sur_le_fond();
    void texte_vide_ne_montre_que_le_fond();
    void deux_demandes_une_reaffichage();
    void verdict();
    void fenetres_dans_1280_800();
};

void TestFenetre::fenetre_et_menus_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    const char *lignes[][2] = { { "Ouvrirunexercice1", "Ouvrir un exercice" },
                                { "ouvrirunrsultat1", "Ouvrir un résultat" },
                                { "rierdesmots1", "Trier des  mots" },
                                { "Sauverlesparamtres1", "Enregistrer les paramètres" },
                                { "Enregistrerlesrsultats1", "Enregistrer les résultats" },
                                { "Nouvelutilisateur1", "Nouvel utilisateur" },
                                { "ypedexercice1", "Type d'exercice" },
                                { "Comparaisondemots1", "Comparaison de mots" },
                                { "Saisielibre1", "Saisie libre" },
                                { "Quitter1", "Quitter" },
                                { "Courbe11", "Courbe1" },
                                { "Courbe22", "Afficher" },
                                { "outeffacer1", "Tout effacer" },
                                { "Korvane1", "Korvane" },
                                { "Morbelle1", "Morbelle" },
                                { "Incongruitmusicale1", "Incongruité musicale" },
                                { "Rglages1", "Réglages" },
                                { "Modevisible1", "Mode visible" } };
    for (const auto &l : lignes)
        QTest::newRow(l[0]) << QString::fromUtf8(l[0]) << QString::fromUtf8(l[1]);
}

void TestFenetre::fenetre_et_menus()
{
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    banc::Banc b;
    QCOMPARE(b.form->windowTitle(), QStringLiteral("Fantrel"));
    QCOMPARE(b.form->size(), QSize(1129, 734));
    auto *a = b.form->findChild<QAction *>(nom);
    QVERIFY2(a, qPrintable(nom + QStringLiteral(" introuvable")));
    QCOMPARE(a->text(), texte);
    QCOMPARE(a->isVisible(), nom != QStringLiteral("Courbe11"));
    QStringList titres;
    for (QAction *m : b.form->menuBar()->actions())
        titres << m->text();
    QCOMPARE(titres, (QStringList{ "Fichier", "Courbes", "Type de test", "Options" }));
}

void TestFenetre::coches_initiales()
{
    banc::Banc b;
    auto &f = *b.form;
    QVERIFY(f.Korvane1->isChecked());
    QVERIFY(f.Comparaisondemots1->isChecked());
    for (QAction *a :
         { f.Morbelle1, f.Incongruitmusicale1, f.Saisielibre1, f.Modevisible1, f.Courbe22 })
        QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
    QVERIFY(f.commandes->BitBtn2->isVisibleTo(&f));
    QVERIFY(!f.commandes->BitBtn2->isEnabled());
    QVERIFY(!f.commandes->BitBtn_ecoute->isVisibleTo(&f));
    QCOMPARE(f.affichage->GLSpaceText1->texte(), QStringLiteral("cacaéaé"));
}

void TestFenetre::types_de_test_data()
{
    QTest::addColumn<QString>("commande");
    QTest::addColumn<bool>("morbelle");
    QTest::addColumn<bool>("musical");
    QTest::addColumn<bool>("mot_visible");
    QTest::addColumn<bool>("masque_montre");
    QTest::newRow("Korvane") << "Korvane1" << false << false << true << true;
    QTest::newRow("Morbelle") << "Morbelle1" << true << false << true << false;
    QTest::newRow("musique") << "Incongruitmusicale1" << false << true << false << true;
}

void TestFenetre::types_de_test()
{
    QFETCH(QString, commande);
    QFETCH(bool, morbelle);
    QFETCH(bool, musical);
    QFETCH(bool, mot_visible);
    QFETCH(bool, masque_montre);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.etat.num_essai = 3;
    f.findChild<QAction *>(commande)->trigger();
    QCOMPARE(f.etat.mode_morbelle, morbelle);
    QCOMPARE(f.etat.mode_musical, musical);
    QCOMPARE(f.affichage->GLSpaceText1->visible(), mot_visible);
    QCOMPARE(f.affichage->GLSpaceText1->texte(), masque_montre ? f.etat.masque : QString());
    QCOMPARE(f.etat.masque, QString(9, u'#')); // "$mort  mors" less a space and the "$"
    for (QAction *a : { f.Korvane1, f.Morbelle1, f.Incongruitmusicale1 })
        QCOMPARE(a->isChecked(), a->objectName() == commande);
    QCOMPARE(f.commandes->BitBtn2->isVisibleTo(&f), !musical);
    QCOMPARE(f.commandes->BitBtn_ecoute->isVisibleTo(&f), musical);
    QCOMPARE(f.etat.num_essai, 3);
    // Triggering the checked item again keeps its mark.
    f.findChild<QAction *>(commande)->trigger();
    QVERIFY(f.findChild<QAction *>(commande)->isChecked());
}

void TestFenetre::musique_puis_morbelle_rend_le_mot_visible()
{
    banc::Banc b;
    b.form->Incongruitmusicale1->trigger();
    QVERIFY(!b.form->affichage->GLSpaceText1->visible());
    b.form->Morbelle1->trigger();
    QVERIFY(b.form->affichage->GLSpaceText1->visible());
}

void TestFenetre::cache_boutons_fin_de_liste()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    QCOMPARE(f.etat.nb_couples, 4);
    f.commandes->bit_rep1->show();
    f.etat.num_essai = 3;
    f.essai_mots()->cache_boutons();
    QVERIFY(b.informations.isEmpty());
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
    QVERIFY(f.commandes->BitBtn2->isEnabled());
    f.etat.num_essai = 4;
    f.essai_mots()->cache_boutons();
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QVERIFY(f.etat.fin_liste);
    QVERIFY(!f.commandes->BitBtn2->isEnabled());
    QVERIFY(f.commandes->BitBtn2->isVisibleTo(&f));
}

void TestFenetre::saisie_libre_sans_liste_dit_plus_de_mots()
{
    banc::Banc b({}, {});
    b.form->Saisielibre1Click();
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QVERIFY(b.form->Saisielibre1->isChecked());
    QVERIFY(!b.form->Comparaisondemots1->isChecked());
    b.form->Comparaisondemots1Click();
    QVERIFY(!b.form->Saisielibre1->isChecked());
    QVERIFY(b.form->Comparaisondemots1->isChecked());
}

void TestFenetre::mode_visible_et_croix()
{
    banc::Banc b;
    auto &f = *b.form;
    f.show();
    QList<QWidget *> cinq{ f.GroupBox3, f.commandes->lab_mot_aff, f.commandes->Lab_bid,
                           f.groupe_resultats, f.groupe_musical };
    f.Modevisible1->trigger();
    QVERIFY(f.Modevisible1->isChecked());
    for (QWidget *w : cinq)
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    // Close the results group with its own "X", then toggle twice.
    auto *x = f.groupe_resultats->findChild<QToolButton *>(QStringLiteral("SpeedButton4"));
    QVERIFY2(x, "the results group has no close button");
    QTest::mouseClick(x, Qt::LeftButton);
    QVERIFY(!f.groupe_resultats->isVisible());
    f.Modevisible1->trigger();
    QVERIFY(!f.Modevisible1->isChecked());
    for (QWidget *w : cinq)
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    f.Modevisible1->trigger();
    for (QWidget *w : cinq)
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
}

void TestFenetre::camera_avant_et_apres_demarrage()
{
    banc::Banc b;
    auto &f = *b.form;
    const QVector3D depart = f.affichage->GLCamera1->position();
    emit f.affichage->vue_3d->souris_appui(QPoint(100, 100), Qt::LeftButton, Qt::NoModifier);
    emit f.affichage->vue_3d->souris_deplace(QPoint(130, 110), Qt::LeftButton, Qt::NoModifier);
    QVERIFY2(f.affichage->GLCamera1->position() != depart,
             "avant le démarrage, glisser doit tourner la caméra");
    b.demarre();
    QVERIFY(b.erreurs.isEmpty());
    const QVector3D apres = f.affichage->GLCamera1->position();
    const float focale = f.affichage->GLCamera1->focale();
    emit f.affichage->vue_3d->souris_appui(QPoint(100, 100), Qt::LeftButton, Qt::ShiftModifier);
    emit f.affichage->vue_3d->souris_deplace(QPoint(130, 160), Qt::LeftButton, Qt::ShiftModifier);
    emit f.affichage->vue_3d->souris_deplace(QPoint(160, 190), Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(f.affichage->GLCamera1->position(), apres);
    QCOMPARE(f.affichage->GLCamera1->focale(), focale);
}

void TestFenetre::demarrage_sans_param_garde_la_camera()
{
    banc::Banc b({}, banc::liste_quatre());
    b.demarre();
    QCOMPARE(b.erreurs, QStringList{ "Fichier introuvable" });
    QVERIFY(b.form->affichage->controle_camera->attache());
    QCOMPARE(b.form->etat.nb_couples, 0);
    // The mask is the form's own, standing in the view (test_demarrage for the rest).
    QCOMPARE(b.form->etat.masque, QStringLiteral("*****"));
    QCOMPARE(b.form->affichage->GLSpaceText1->texte(), QStringLiteral("*****"));
}

void TestFenetre::mot_dessine_sur_le_fond()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QStringList presentes;
    f.affichage->observateur_affichage = [&](const QString &t) { presentes << t; };
    f.affichage->affich_texte(QString());
    QCOMPARE(pixels_hors_fond(f, fond_param), 0);
    f.affichage->affich_texte(QStringLiteral("cacaéaé"));
    QCOMPARE(presentes, (QStringList{ QString(), "cacaéaé" }));
    QCOMPARE(f.affichage->vue_3d->fenetre_gl()->size(), QSize(983, 586));
    QCOMPARE(pixel_a_l_ecran(f.affichage->vue_3d, QPoint(2, 2)), fond_param);
    QCOMPARE(pixel_a_l_ecran(f.affichage->vue_3d, QPoint(980, 583)), fond_param);
    const int encre = pixels_hors_fond(f, fond_param);
    QVERIFY2(encre > 2000, qPrintable(QStringLiteral("seulement %1 pixels du mot").arg(encre)));
}

void TestFenetre::texte_vide_ne_montre_que_le_fond()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QStringList presentes;
    f.affichage->observateur_affichage = [&](const QString &t) { presentes << t; };
    f.affichage->pose_texte(QString());
    f.affichage->affich_texte(QStringLiteral("mors"));
    QVERIFY(pixels_hors_fond(f, fond_param) > 500);
    f.affichage->affich_texte(QString());
    QCOMPARE(presentes, (QStringList{ "mors", QString() }));
    QCOMPARE(pixels_hors_fond(f, fond_param), 0);
}

void TestFenetre::deux_demandes_une_reaffichage()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    QSignalSpy ticks(f.affichage->Timer_reaffich, &QTimer::timeout);
    f.affichage->vue_3d->definir_couleur_fond(255); // a colour picked with "Fond"
    f.Comparaisondemots1Click();
    QTest::qWait(200);
    f.Comparaisondemots1Click();
    QTest::qWait(1300);
    QCOMPARE(ticks.count(), 1);
    QCOMPARE(f.affichage->vue_3d->couleur_fond(), 15780518);
}

void TestFenetre::verdict()
{
    banc::Banc b;
    b.form->commandes->affich_bid(false);
    QCOMPARE(b.form->commandes->Lab_bid->text(), QStringLiteral("Pas bon"));
    b.form->commandes->affich_bid(true);
    QCOMPARE(b.form->commandes->Lab_bid->text(), QStringLiteral("Bonne réponse"));
    QVERIFY(!b.form->commandes->Lab_bid->isVisibleTo(b.form));
}

// Every window on a 1280 × 800 screen, with a frame; the word-pair window with long
// paths over its lists still shrinks to it with its three lists in view.
void TestFenetre::fenetres_dans_1280_800()
{
    banc::Banc b;
    b.demarre();
    wordpairs::TForm_choix_mots &mots = *b.fenetres->Form_choix_mots;
    const QString long_chemin = QStringLiteral("/home/laboratoire/") + QString(200, u'x')
            + QStringLiteral("/tout.txt");
    for (QLabel *l : { mots.Lab_fic_mots_selectionnes, mots.Lab_fic_mots_choisis,
                       mots.Lab_fic_tous_les_mots }) {
        l->setText(long_chemin);
        l->show();
    }
    const QList<QWidget *> fenetres{ b.form, &mots, b.fenetres->Form_courbe.get(),
                                     b.fenetres->Form_courbe2.get(),
                                     b.fenetres->Form_statistiques.get(),
                                     b.fenetres->Form_participants.get() };
    for (QWidget *f : fenetres) {
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        // Room left by a window manager's frame: 8 pixels a side, 40 of title bar.
        const QSize place(1280 - 16, 800 - 48);
        QVERIFY2(f->width() <= place.width() && f->height() <= place.height(),
                 qPrintable(f->objectName() + QStringLiteral(" %1 × %2").arg(f->width()).arg(f->height())));
        QVERIFY2(f->minimumSizeHint().width() <= place.width()
                         && f->minimumSizeHint().height() <= place.height(),
                 qPrintable(f->objectName()));
    }
    mots.resize(1280 - 20, 800 - 60);
    QTest::qWait(50);
    for (QWidget *liste : std::initializer_list<QWidget *>{ mots.Memo1, mots.Memo3, mots.Memo2 }) {
        const QRect vue(liste->mapTo(&mots, QPoint(0, 0)), liste->size());
        QVERIFY2(mots.rect().contains(vue) && liste->width() >= 120,
                 qPrintable(liste->objectName()));
    }
    QCOMPARE(mots.Lab_fic_tous_les_mots->text(), long_chemin); // whole, elided when painted
}

FANTREL_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
