// The 3D results window with its real view: rows, bars, labels, tallies, the
// "Afficher" mark (the rename box, the listing and picking: test_courbe2_choix.cpp).
#include "banc_resultats.h"
#include "engine3d/ancre.h"
#include "engine3d/camera.h"
#include "results/geometrie_barres.h"
#include "engine3d/controle_camera.h"
#include "platform/application.h"
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using namespace fantrel::engine3d;

namespace {

bool proche(double a, double b)
{
    return std::abs(a - b) < 1e-5;
}

} // namespace

class TestCourbe2 : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { fantrel::platform::garde_pilote_gl_charge(); }
    void demarrage();
    void geometrie_rangees();
    void hauteurs_data();
    void hauteurs();
    void coeff_somme_redessine();
    void compte_reponse_deux_rangees();
    void au_dela_de_vingt();
    void tout_effacer();
    void barres_test_data();
    void barres_test();
    void afficher_coche();
    void commandes_au_dessus_de_la_vue();
    void vue_cadree_data();
    void vue_cadree();
};

void TestCourbe2::demarrage()
{
    BancResultats banc;
    QCOMPARE(banc.tableau.nb_util(), 1);
    QCOMPARE(banc.tableau.util_courant(), 1);
    QCOMPARE(banc.rangee(0).nom(), QStringLiteral("Somme"));
    QCOMPARE(banc.rangee(1).nom(), QStringLiteral("Essai1"));
    QCOMPARE(banc.record(), QStringList{ "Essai1" });
    QVERIFY2(!banc.groupe->record_modifie(), "a header alone is nothing to save");
    QCOMPARE(banc.relances, 2);
    QVERIFY(!banc.courbe2->isVisible());
    QCOMPARE(banc.courbe2->objets.GLDummyCube1->position().z(), -0.75f);
    for (int n = 0; n <= 1; ++n)
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(banc.rangee(n).cubes[c]->hauteur(), 0.0f);
            QCOMPARE(banc.rangee(n).textes_valeur[c]->texte(), QStringLiteral("0"));
            QCOMPARE(banc.rangee(n).textes_valeur[c]->position().y(), 0.0f);
        }
}

void TestCourbe2::geometrie_rangees()
{
    BancResultats banc;
    banc.tableau.cree_utilisateur();
    for (int n = 0; n <= 2; ++n) {
        const results::ObjetsRangee &r = banc.rangee(n);
        const float z = n == 0 ? -1.0f : (n == 1 ? -0.2f : 0.3f);
        QVERIFY(proche(r.texte_nom->position().z(), z));
        QCOMPARE(r.texte_nom->position().x(), -2.9f);
        QCOMPARE(r.texte_nom->tag(), n);
        QCOMPARE(r.texte_nom->ancrage(), Texte3D::Ancrage::GaucheLigneBase);
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(r.cubes[c]->position().x(), c - 2.5f);
            QVERIFY(proche(r.cubes[c]->position().z(), z));
            QCOMPARE(r.cubes[c]->largeur(), 0.8f);
            QCOMPARE(r.cubes[c]->profondeur(), n == 0 ? 0.8f : 0.4f);
            QCOMPARE(r.cubes[c]->tag(), n);
            QCOMPARE(r.textes_valeur[c]->tag(), -1);
            QCOMPARE(r.textes_valeur[c]->position().x(), c - 2.5f);
            QCOMPARE(r.textes_valeur[c]->echelle(), QVector3D(0.3f, 0.3f, 0.3f));
            const bool connote = c <= 2;
            QCOMPARE(r.cubes[c]->materiau().diffuse
                             == banc.courbe2->objets.GLSpaceText1->materiau().diffuse,
                     connote);
            const bool rouge = c == 2 || c == 4;
            QCOMPARE(r.textes_valeur[c]->materiau().diffuse == (CouleurRVBA{ 1, 0, 0, 1 }), rouge);
        }
    }
    QCOMPARE(banc.rangee(2).nom(), QStringLiteral("Essai2"));
    QCOMPARE(banc.record(), (QStringList{ "Essai1", "Essai2" }));
    QCOMPARE(banc.courbe2->objets.GLDummyCube1->position().z(), -0.5f);
}

void TestCourbe2::hauteurs_data()
{
    QTest::addColumn<int>("rangee");
    QTest::addColumn<int>("compte");
    QTest::addColumn<double>("hauteur");
    QTest::newRow("utilisateur, 10") << 1 << 10 << 2.55;
    QTest::newRow("somme, 10, coeff 30") << 0 << 10 << 1.785;
    QTest::newRow("utilisateur, 0") << 1 << 0 << 0.0;
    QTest::newRow("utilisateur, 1") << 1 << 1 << 0.255;
}

void TestCourbe2::hauteurs()
{
    QFETCH(int, rangee);
    QFETCH(int, compte);
    QFETCH(double, hauteur);
    BancResultats banc;
    banc.pose_comptes(rangee, { 0, compte, compte, compte, compte });
    for (int c = 1; c <= 4; ++c) {
        const results::ObjetsRangee &r = banc.rangee(rangee);
        QVERIFY2(proche(r.cubes[c]->hauteur(), hauteur),
                 qPrintable(QString::number(r.cubes[c]->hauteur())));
        QVERIFY(proche(r.cubes[c]->position().y(), hauteur / 2));
        QVERIFY2(proche(r.textes_valeur[c]->position().y(), hauteur),
                 "value label on the bar's top");
        QCOMPARE(r.textes_valeur[c]->texte(), QString::number(compte));
        const Texte3D *categorie = banc.courbe2->objets.etiquette_categorie(c);
        QVERIFY2(proche(categorie->position().y(), rangee == 0 ? hauteur : 0.0),
                 "category labels ride on the sum row");
    }
}

void TestCourbe2::coeff_somme_redessine()
{
    BancResultats banc;
    banc.pose_comptes(0, { 0, 10, 0, 0, 0 });
    QVERIFY(proche(banc.rangee(0).cubes[1]->hauteur(), 1.785));
    banc.courbe2->Scroll_coeff->setValue(0);
    QVERIFY(proche(banc.rangee(0).cubes[1]->hauteur(), 2.55));
    QVERIFY(proche(banc.courbe2->objets.GLSpaceText1->position().y(), 2.55));
    QCOMPARE(banc.rangee(1).cubes[1]->hauteur(), 0.0f); // user rows are left alone
    QCOMPARE(banc.tableau.util_courant(), 1);
    banc.courbe2->Scroll_coeff->setValue(100);
    QCOMPARE(banc.rangee(0).cubes[1]->hauteur(), 0.0f);
}

void TestCourbe2::compte_reponse_deux_rangees()
{
    BancResultats banc;
    banc.essai("fiel", "fier", true, "fiel");
    QCOMPARE(banc.comptes(1), (QList<int>{ 1, 0, 0, 0 }));
    QCOMPARE(banc.comptes(0), (QList<int>{ 1, 0, 0, 0 }));
    QVERIFY(proche(banc.rangee(1).cubes[1]->hauteur(), 0.255));
    QVERIFY(proche(banc.rangee(0).cubes[1]->hauteur(), 0.255 * 0.7));
    QCOMPARE(banc.tableau.util_courant(), 1);
    QCOMPARE(banc.tableau.compte_test()[1], 2);

    // A melody counts in the same rows, apart from the word tests.
    banc.tableau.compte(3, results::GenreTest::musique);
    QCOMPARE(banc.comptes(1), (QList<int>{ 1, 0, 1, 0 }));
    QCOMPARE(banc.comptes(0), (QList<int>{ 1, 0, 1, 0 }));
    QCOMPARE(banc.tableau.rangee(1).comptes_musique[3], 1);
    QCOMPARE(banc.tableau.rangee(1).comptes_mots[3], 0);

    // No category (no pair drawn): nothing counts.
    banc.tableau.compte(trials::categorie_essai(0, true), results::GenreTest::mots);
    QCOMPARE(banc.comptes(1), (QList<int>{ 1, 0, 1, 0 }));
    QVERIFY(banc.groupe->record_modifie());
}

void TestCourbe2::au_dela_de_vingt()
{
    // Past the last row (20 once, nb_max_util now): no row, but a header of its own.
    constexpr int n = results::nb_max_util;
    BancResultats banc;
    const int objets_avant = int(banc.courbe2->vue->scene().objets().size());
    for (int k = 0; k < n + 1; ++k)
        banc.tableau.cree_utilisateur();
    QCOMPARE(banc.tableau.nb_util(), n + 2);
    QCOMPARE(banc.tableau.util_courant(), n + 2);
    QCOMPARE(banc.relances, n + 3);
    QCOMPARE(int(banc.courbe2->vue->scene().objets().size()), objets_avant + (n - 1) * 9);
    // No row past the last, but a section of its own in the record.
    QCOMPARE(banc.record().size(), n + 2);
    QCOMPARE(banc.record().mid(n - 1), (QStringList{ QStringLiteral("Essai%1").arg(n),
                                                     QStringLiteral("Essai%1").arg(n + 1),
                                                     QStringLiteral("Essai%1").arg(n + 2) }));
    QCOMPARE(banc.rangee(n).nom(), QStringLiteral("Essai%1").arg(n));

    banc.essai("a", "b", true, "a");
    QCOMPARE(banc.comptes(0), (QList<int>{ 1, 0, 0, 0 }));
    QCOMPARE(banc.comptes(n), (QList<int>{ 0, 0, 0, 0 }));

    // Read back, the answer still counts in the sum row only.
    QTemporaryDir dossier;
    QVERIFY(banc.groupe->enregistre(dossier.filePath("r.res")));
    BancResultats relu;
    QVERIFY(relu.groupe->lit(dossier.filePath("r.res")));
    QCOMPARE(relu.record(), banc.record());
    QCOMPARE(relu.comptes(n), (QList<int>{ 0, 0, 0, 0 }));
    QCOMPARE(relu.comptes(0), (QList<int>{ 1, 0, 0, 0 }));
    QCOMPARE(relu.tableau.util_courant(), n + 2);
}

void TestCourbe2::tout_effacer()
{
    BancResultats banc;
    banc.essai("a", "b", true, "a");
    banc.tableau.cree_utilisateur();
    banc.essai("a", "b", false, "a");
    const int objets_demarrage = int(banc.courbe2->vue->scene().objets().size()) - 9;
    const QStringList avant = banc.record();

    banc.courbe2->util_choisi = 2;
    banc.courbe2->Edit_nom->show();
    banc.tableau.tout_effacer();
    QVERIFY(!banc.courbe2->Edit_nom->isVisibleTo(banc.courbe2.get()));
    QCOMPARE(banc.courbe2->util_choisi, -1);
    QCOMPARE(banc.tableau.nb_util(), 1);
    QCOMPARE(banc.tableau.util_courant(), 1);
    QCOMPARE(banc.record(), avant + QStringList{ "Essai1" });
    QCOMPARE(banc.comptes(0), (QList<int>{ 0, 0, 0, 0 }));
    QCOMPARE(banc.comptes(1), (QList<int>{ 0, 0, 0, 0 }));
    QCOMPARE(banc.rangee(1).nom(), QStringLiteral("Essai1"));
    QVERIFY(!banc.rangee(2).creee());
    QCOMPARE(int(banc.courbe2->vue->scene().objets().size()), objets_demarrage);
    for (int c = 1; c <= 4; ++c) {
        QCOMPARE(banc.rangee(0).cubes[c]->hauteur(), 0.0f);
        QCOMPARE(banc.rangee(0).textes_valeur[c]->texte(), QStringLiteral("0"));
    }
}

void TestCourbe2::barres_test_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("hauteur");
    QTest::addColumn<QString>("texte");
    QTest::newRow("0") << 0 << 100 / 15.0 << "50";
    QTest::newRow("1") << 1 << 99 / 15.0 << "50";
    QTest::newRow("3") << 3 << 97 / 15.0 << "48";
}

void TestCourbe2::barres_test()
{
    QFETCH(int, position);
    QFETCH(double, hauteur);
    QFETCH(QString, texte);
    BancResultats banc;
    banc.courbe2->panneaux->ScrollBar[3]->setValue(position);
    const results::ObjetsRangee &r = banc.rangee(1);
    QVERIFY(proche(r.cubes[3]->hauteur(), hauteur));
    QVERIFY(proche(r.textes_valeur[3]->position().y(), hauteur));
    QCOMPARE(r.textes_valeur[3]->texte(), texte);
    QCOMPARE(r.cubes[2]->hauteur(), 0.0f);

    banc.tableau.definir_compte_test({ 0, 5, 0, 60, 0 });
    banc.courbe2->panneaux->bouton_annul_test->click();
    QCOMPARE(banc.courbe2->panneaux->ScrollBar[1]->value(), 90);
    QCOMPARE(banc.courbe2->panneaux->ScrollBar[3]->value(), 0);
    banc.courbe2->panneaux->bouton_raz->click();
    QCOMPARE(banc.courbe2->panneaux->ScrollBar[1]->value(), 100);
    QCOMPARE(banc.tableau.compte_test()[3], 0);
    QCOMPARE(r.cubes[1]->hauteur(), 0.0f);
}

void TestCourbe2::afficher_coche()
{
    BancResultats banc;
    QVERIFY(!banc.Courbe22->isChecked());
    banc.courbe2->Courbe21Click();
    QVERIFY(banc.courbe2->isVisible());
    QVERIFY(banc.Courbe22->isChecked());
    banc.courbe2->close();
    QVERIFY(!banc.courbe2->isVisible());
    QVERIFY(!banc.Courbe22->isChecked());
    QCOMPARE(banc.tableau.nb_util(), 1);
}

void TestCourbe2::commandes_au_dessus_de_la_vue()
{
    BancResultats banc;
    results::TForm_courbe2 &f = *banc.courbe2;
    f.move(950, 560); // clear of other windows on a shared display
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.vue->repeint_maintenant();
    QTest::qWait(200);
    const QImage image = f.screen()->grabWindow(f.winId()).toImage();
    QCOMPARE(image.pixelColor(430, 320), QColor(Qt::white));
    const QRect barre = f.Scroll_coeff->geometry();
    QVERIFY2(image.pixelColor(barre.center()) != QColor(Qt::white),
             "Scroll_coeff shows over the 3D view");
}

void TestCourbe2::vue_cadree_data()
{
    QTest::addColumn<int>("rangees");
    QTest::addColumn<int>("reponses"); // of the last row, all right on the first word
    QTest::newRow("1 participant") << 1 << 3;
    QTest::newRow("12, 45 réponses") << 12 << 45;
    QTest::newRow("25 lus") << 25 << 20;
    QTest::newRow("30, 60 réponses") << 30 << 60;
}

// Rows read from a results file: the picture's edge stays background (nothing runs
// past the view), each name stands a legible height, and apart from the next row's.
void TestCourbe2::vue_cadree()
{
    QFETCH(int, rangees);
    QFETCH(int, reponses);
    QStringList lignes;
    for (int n = 1; n <= rangees; ++n) {
        lignes << QStringLiteral("P%1").arg(n);
        for (int k = 0; k < (n == rangees ? reponses : n % 7); ++k)
            lignes << QStringLiteral("Mot affiché=a prop=$a b répondu=a");
    }
    QTemporaryDir dossier;
    QFile f(dossier.filePath("r.res"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lignes.join("\r\n").toUtf8());
    f.close();
    BancResultats banc;
    QVERIFY(banc.groupe->lit(f.fileName()));
    results::TForm_courbe2 &fenetre = *banc.courbe2;
    fenetre.move(780, 0); // clear of other windows, up to 600 wide
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QVERIFY(fenetre.height() <= 800);
    fenetre.vue->repeint_maintenant();
    QTest::qWait(200);
    const QImage image = fenetre.screen()->grabWindow(fenetre.winId()).toImage();
    const QRect commande = fenetre.Scroll_coeff->geometry().adjusted(-2, -2, 2, 2);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) {
            const bool bord = x < 3 || y < 3 || x >= image.width() - 3 || y >= image.height() - 3;
            if (bord && !commande.contains(x, y))
                QVERIFY2(image.pixelColor(x, y) == QColor(Qt::white),
                         qPrintable(QStringLiteral("(%1, %2) hors du fond").arg(x).arg(y)));
        }
    // A name's capital height (0.7 of its 0.3 scale) and the pitch to the next row.
    const engine3d::Camera &camera = fenetre.vue->scene().camera();
    const QMatrix4x4 m = camera.matrice_projection(fenetre.vue->size()) * camera.matrice_vue();
    const auto pixel = [&](QVector3D p) {
        const QVector3D v = m.map(p);
        return QPointF(v.x() * fenetre.vue->width() / 2, v.y() * fenetre.vue->height() / 2);
    };
    const double pas_z = results::pas_rangees(rangees);
    const float z = float(results::z_rangee(1, pas_z)), z2 = float(results::z_rangee(2, pas_z));
    const double hauteur = QLineF(pixel({ -2.9f, 0, z }), pixel({ -2.9f, 0.21f, z })).length();
    const double pas = QLineF(pixel({ -2.9f, 0, z }), pixel({ -2.9f, 0, z2 })).length();
    QVERIFY2(hauteur >= 7, qPrintable(QString::number(hauteur)));
    QVERIFY2(rangees == 1 || pas >= hauteur, qPrintable(QString::number(pas)));
}

FANTREL_TEST_MAIN(TestCourbe2)
#include "test_courbe2.moc"
