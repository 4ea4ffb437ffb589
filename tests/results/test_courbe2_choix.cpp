// The 3D results window's rows chosen with the mouse: a Ctrl+click on a bar lists
// the user's answers, one on a name opens the rename box; Enter renames the row and
// its header in the record.
#include "banc_resultats.h"
#include "platform/application.h"
#include <QLineEdit>
#include <QTest>

using namespace fantrel;
using namespace fantrel::engine3d;

class TestCourbe2Choix : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { fantrel::platform::garde_pilote_gl_charge(); }
    void renommer_data();
    void renommer();
    void entree_sans_rangee_choisie();
    void liste_utilisateur();
    void liste_apres_tout_effacer();
    void pique_data();
    void pique();
};

void TestCourbe2Choix::renommer_data()
{
    QTest::addColumn<int>("rangee");
    QTest::addColumn<QStringList>("record");
    const QString r1 = "Mot affiché=a prop=$a b répondu=a";
    QTest::newRow("somme: étiquette seule") << 0 << QStringList{ "Essai1", r1, "Essai2", "Essai3" };
    QTest::newRow("rangée 1") << 1 << QStringList{ "Paul Dupré", r1, "Essai2", "Essai3" };
    QTest::newRow("rangée 3 = 3e en-tête")
            << 3 << QStringList{ "Essai1", r1, "Essai2", "Paul Dupré" };
}

void TestCourbe2Choix::renommer()
{
    QFETCH(int, rangee);
    QFETCH(QStringList, record);
    BancResultats banc;
    banc.essai("a", "b", true, "a");
    banc.tableau.cree_utilisateur();
    banc.tableau.cree_utilisateur();
    banc.courbe2->util_choisi = rangee;
    banc.courbe2->Edit_nom->setText("Paul Dupré");
    banc.courbe2->Edit_nom->show();
    QTest::keyClick(banc.courbe2->Edit_nom, 'a');
    QCOMPARE(banc.courbe2->Edit_nom->text(), QStringLiteral("Paul Dupréa"));
    QVERIFY(banc.courbe2->Edit_nom->isVisibleTo(banc.courbe2.get()));
    banc.courbe2->Edit_nom->setText("Paul Dupré");
    QTest::keyClick(banc.courbe2->Edit_nom, Qt::Key_Return);
    QVERIFY(!banc.courbe2->Edit_nom->isVisibleTo(banc.courbe2.get()));
    QCOMPARE(banc.rangee(rangee).nom(), QStringLiteral("Paul Dupré"));
    QCOMPARE(banc.record(), record);
}

void TestCourbe2Choix::entree_sans_rangee_choisie()
{
    BancResultats banc;
    banc.courbe2->util_choisi = -1;
    banc.courbe2->Edit_nom->setText("X");
    banc.courbe2->Edit_nom->show();
    QTest::keyClick(banc.courbe2->Edit_nom, Qt::Key_Enter);
    QVERIFY(!banc.courbe2->Edit_nom->isVisibleTo(banc.courbe2.get()));
    QCOMPARE(banc.record(), QStringList{ "Essai1" });
    QCOMPARE(banc.noms(), QStringList{ "Essai1" });
    QCOMPARE(banc.rangee(0).nom(), QStringLiteral("Somme"));
}

void TestCourbe2Choix::liste_utilisateur()
{
    BancResultats banc;
    banc.essai("fiel", "fier", true, "fiel");
    banc.essai("fier", "fiel", false, "fiel");
    banc.tableau.cree_utilisateur();
    emit banc.courbe2->liste_demandee(1);
    QCOMPARE(banc.GroupBox3->title(), QStringLiteral("Utilisateur Essai1"));
    QCOMPARE(banc.Memo1->toPlainText(), QStringLiteral("$fiel-fier\n$fiel-fier"));

    emit banc.courbe2->liste_demandee(2);
    QCOMPARE(banc.GroupBox3->title(), QStringLiteral("Utilisateur Essai2"));
    QCOMPARE(banc.Memo1->toPlainText(), QString());

    banc.GroupBox3->setTitle("Fichier exercice");
    banc.Memo1->setPlainText("x");
    emit banc.courbe2->liste_demandee(0);
    QCOMPARE(banc.Memo1->toPlainText(), QString());
    QCOMPARE(banc.GroupBox3->title(), QStringLiteral("Fichier exercice"));
}

void TestCourbe2Choix::liste_apres_tout_effacer()
{
    BancResultats banc;
    banc.essai("fiel", "fier", true, "fiel");
    banc.tableau.tout_effacer();
    banc.essai("mer", "mère", false, "mer");
    // Row 1 is the new Essai1: its own section, not the earlier subject's.
    emit banc.courbe2->liste_demandee(1);
    QCOMPARE(banc.Memo1->toPlainText(), QStringLiteral("$mère-mer"));
    banc.courbe2->util_choisi = 1;
    banc.courbe2->Edit_nom->setText("Anne");
    QVERIFY(banc.courbe2->Edit_nomKeyDown(Qt::Key_Return));
    QCOMPARE(banc.record().first(), QStringLiteral("Essai1"));
    QCOMPARE(banc.record().at(2), QStringLiteral("Anne"));
}

void TestCourbe2Choix::pique_data()
{
    QTest::addColumn<QString>("cible");
    QTest::addColumn<int>("choisi");
    QTest::addColumn<bool>("liste");
    QTest::addColumn<bool>("boite_nom");
    QTest::newRow("barre de la rangée 1") << "barre" << 1 << true << false;
    QTest::newRow("nom de la rangée 1") << "nom" << 1 << false << true;
    QTest::newRow("nom Somme") << "somme" << 0 << false << true;
    QTest::newRow("étiquette de valeur") << "valeur" << -1 << false << false;
    QTest::newRow("étiquette de catégorie") << "categorie" << -1 << false << false;
    QTest::newRow("fond vide") << "fond" << -1 << false << false;
}

void TestCourbe2Choix::pique()
{
    QFETCH(QString, cible);
    QFETCH(int, choisi);
    QFETCH(bool, liste);
    QFETCH(bool, boite_nom);
    BancResultats banc;
    for (int k = 0; k < 6; ++k)
        banc.essai("fiel", "fier", true, "fiel");
    results::TForm_courbe2 &f = *banc.courbe2;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.vue->repeint_maintenant();

    const results::ObjetsRangee &r1 = banc.rangee(1);
    const Objet *visee = nullptr;
    if (cible == "barre")
        visee = r1.cubes[1];
    else if (cible == "nom")
        visee = r1.texte_nom;
    else if (cible == "somme")
        visee = banc.rangee(0).texte_nom;
    else if (cible == "valeur")
        visee = r1.textes_valeur[1];
    else if (cible == "categorie")
        visee = f.objets.GLSpaceText2;
    const QPoint pixel =
            visee ? pixel_sur(f.vue, visee) : QPoint(f.vue->width() - 4, f.vue->height() - 4);
    QVERIFY2(visee ? !pixel.isNull() : !f.vue->pique(pixel, 1), "a pixel showing the target");

    f.util_choisi = 7;
    banc.Memo1->setPlainText("avant");
    QTest::mousePress(f.vue->fenetre_gl(), Qt::LeftButton, Qt::ControlModifier, pixel);
    QTest::mouseRelease(f.vue->fenetre_gl(), Qt::LeftButton, Qt::ControlModifier, pixel);
    QCOMPARE(f.util_choisi, choisi);
    const QString six = QStringList(6, QStringLiteral("$fiel-fier")).join(QLatin1Char('\n'));
    QCOMPARE(banc.Memo1->toPlainText(), liste ? six : QStringLiteral("avant"));
    QCOMPARE(f.Edit_nom->isVisible(), boite_nom);
    if (boite_nom) {
        QCOMPARE(f.Edit_nom->text(), banc.rangee(choisi).nom());
        QCOMPARE(f.Edit_nom->pos(), pixel);
        QTest::mousePress(f.vue->fenetre_gl(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QVERIFY2(!f.Edit_nom->isVisible(), "a plain click closes the rename box");
    }
}

FANTREL_TEST_MAIN(TestCourbe2Choix)
#include "test_courbe2_choix.moc"
