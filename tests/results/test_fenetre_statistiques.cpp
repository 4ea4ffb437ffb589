// The statistics window as the main window will feed it: the results rows' counts in,
// one line per row in the table, read through the view as a person sees it.
#include "platform/application.h"
#include "results/fenetre_statistiques.h"
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

using namespace fantrel;
using namespace fantrel::results;

class TestFenetreStatistiques : public QObject
{
    Q_OBJECT
private slots:
    void lignes_affichees();
};

void TestFenetreStatistiques::lignes_affichees()
{
    FenetreStatistiques fenetre;
    QCOMPARE(fenetre.windowTitle(), QStringLiteral("Statistiques par utilisateur"));
    QTableView *table = fenetre.findChild<QTableView *>(QStringLiteral("Table_statistiques"));
    QVERIFY(table);
    QCOMPARE(table->accessibleName(), QStringLiteral("Statistiques par utilisateur"));
    QVERIFY(!fenetre.Label_legende->text().isEmpty());

    const Comptes rien{};
    fenetre.affiche(
            { { QStringLiteral("Somme"), Comptes{ 0, 10, 1, 8, 1 }, Comptes{ 0, 2, 0, 1, 1 } },
              { QStringLiteral("Zoé"), Comptes{ 0, 9, 0, 7, 2 }, rien },
              { QStringLiteral("Essai2"), Comptes{ 0, 1, 1, 1, 0 }, Comptes{ 0, 2, 0, 1, 1 } } });
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QAbstractItemModel *modele = table->model();
    QCOMPARE(modele->rowCount(), 3);
    QCOMPARE(modele->columnCount(), 11);
    const auto cellule = [&](int r, int c) { return modele->index(r, c).data().toString(); };
    const auto entete = [&](int c) { return modele->headerData(c, Qt::Horizontal).toString(); };
    QCOMPARE(entete(0), QStringLiteral("Utilisateur"));
    QCOMPARE(entete(2), QStringLiteral("Mots : % juste"));
    QCOMPARE(entete(9), QStringLiteral("Musique : d′"));
    QCOMPARE(cellule(0, 0), QStringLiteral("Somme"));
    QCOMPARE(cellule(1, 0), QStringLiteral("Zoé"));
    QCOMPARE(cellule(1, 1), QStringLiteral("18"));
    QCOMPARE(cellule(1, 2), QStringLiteral("88,9"));
    QCOMPARE(cellule(1, 6), QStringLiteral("0"));
    QCOMPARE(cellule(1, 7), QString());
    QCOMPARE(cellule(2, 6), QStringLiteral("4"));
    QVERIFY(table->visualRect(modele->index(2, 10)).isValid());
    QCOMPARE(modele->index(1, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);

    // Fed again after more trials: the lines are replaced, not added.
    fenetre.affiche({ { QStringLiteral("Somme"), rien, rien } });
    QCOMPARE(modele->rowCount(), 1);
    QCOMPARE(cellule(0, 1), QStringLiteral("0"));
    QCOMPARE(cellule(0, 2), QString());
}

FANTREL_TEST_MAIN(TestFenetreStatistiques)
#include "test_fenetre_statistiques.moc"
