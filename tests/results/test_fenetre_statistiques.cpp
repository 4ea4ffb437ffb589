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
    fenetre.affiche({ { QStringLiteral("Zoé"), Comptes{ 0, 9, 0, 7, 2 }, rien },
                      { QStringLiteral("Essai2"), Comptes{ 0, 1, 1, 1, 0 },
                        Comptes{ 0, 2, 0, 1, 1 } } },
                    0.3);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    QAbstractItemModel *modele = table->model();
    QCOMPARE(modele->rowCount(), 6); // each test: Zoé, Essai2, the group
    QCOMPARE(modele->columnCount(), 14);
    const auto cellule = [&](int r, int c) { return modele->index(r, c).data().toString(); };
    const auto entete = [&](int c) { return modele->headerData(c, Qt::Horizontal).toString(); };
    QCOMPARE(entete(0), QStringLiteral("Participant"));
    QCOMPARE(entete(4), QStringLiteral("% juste"));
    QCOMPARE(entete(7), QStringLiteral("BF01"));
    QCOMPARE(cellule(0, 0), QStringLiteral("Zoé"));
    QCOMPARE(cellule(0, 2), QStringLiteral("18"));
    QCOMPARE(cellule(0, 4), QStringLiteral("88,9"));
    QCOMPARE(cellule(2, 0), QStringLiteral("Groupe"));
    QCOMPARE(cellule(2, 2), QStringLiteral("21")); // pooled
    QCOMPARE(cellule(3, 1), QStringLiteral("Musique"));
    QCOMPARE(cellule(3, 2), QStringLiteral("0"));
    QCOMPARE(cellule(3, 4), QString());
    QCOMPARE(cellule(4, 2), QStringLiteral("4"));
    QVERIFY(table->visualRect(modele->index(2, 13)).isValid());
    QCOMPARE(modele->index(1, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
    // The prior's scale is shown; the group's t-test under the table.
    QVERIFY2(fenetre.Label_echelle->text().contains(QStringLiteral("0,3")),
             qPrintable(fenetre.Label_echelle->text()));
    QVERIFY2(fenetre.Label_groupe->text().startsWith(QStringLiteral("Mots, 2 participants : ")),
             qPrintable(fenetre.Label_groupe->text()));
    QVERIFY(fenetre.width() <= 1280 && fenetre.height() <= 800);

    // Fed again after more trials: the lines are replaced, not added.
    fenetre.affiche({ { QStringLiteral("Essai1"), rien, rien } });
    QCOMPARE(modele->rowCount(), 2);
    QCOMPARE(cellule(0, 2), QStringLiteral("0"));
    QCOMPARE(cellule(0, 4), QString());
}

FANTREL_TEST_MAIN(TestFenetreStatistiques)
#include "test_fenetre_statistiques.moc"
