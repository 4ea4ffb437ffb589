// The marking rules of the word-pair tool's lists, one function each, case by case.
#include "wordpairs/listes_selection.h"
#include <QTest>

using namespace fantrel;
using wordpairs::marque;

class TestMarques : public QObject
{
    Q_OBJECT
private slots:
    void lignes_prises_data();
    void lignes_prises();
    void est_marque_du_couple_data();
    void est_marque_du_couple();
    void ligne_trouvee_data();
    void ligne_trouvee();
};

// The double-click and the upper "Sélection" button read a line's hyphens apart:
// one refuses any "--", the other skips only "----".
void TestMarques::lignes_prises_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<bool>("refusee_au_double_clic");
    QTest::addColumn<bool>("sautee_par_selection");
    QTest::newRow("paire nue") << "chat  chas" << false << false;
    QTest::newRow("vide") << "" << true << true;
    QTest::newRow("marquée") << marque("chat  chas") << true << true;
    QTest::newRow("deux tirets au milieu") << "a--b  c" << true << false;
    QTest::newRow("deux tirets en fin") << "chat  chas--" << true << false;
    QTest::newRow("trois tirets") << "a---b  c" << true << false;
    QTest::newRow("quatre tirets au milieu") << "a----b  c" << true << true;
    QTest::newRow("un seul tiret") << "porte-clé  porte-clés" << false << false;
}

void TestMarques::lignes_prises()
{
    QFETCH(QString, ligne);
    QTEST(wordpairs::refusee_au_double_clic(ligne), "refusee_au_double_clic");
    QTEST(wordpairs::sautee_par_selection(ligne), "sautee_par_selection");
}

void TestMarques::est_marque_du_couple_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("couple");
    QTest::addColumn<bool>("attendu");
    QTest::newRow("sa marque") << marque("chat  chas") << "chat  chas" << true;
    QTest::newRow("la paire nue") << "chat  chas"
                                  << "chat  chas" << false;
    QTest::newRow("une paire plus longue qui commence par elle")
            << marque("chat  chasse") << "chat  chas" << false;
    QTest::newRow("une paire qui la contient") << marque("achat  chas") << "chat  chas" << false;
    QTest::newRow("marque doublée") << marque(marque("chat  chas")) << "chat  chas" << false;
    QTest::newRow("tirets de trop avant") << "-" + marque("chat  chas") << "chat  chas" << false;
    QTest::newRow("paire vide") << marque("") << "" << true;
}

void TestMarques::est_marque_du_couple()
{
    QFETCH(QString, ligne);
    QFETCH(QString, couple);
    QTEST(wordpairs::est_marque_du_couple(ligne, couple), "attendu");
}

void TestMarques::ligne_trouvee_data()
{
    QTest::addColumn<QString>("couple");
    QTest::addColumn<QString>("attendue");
    QTest::newRow("choisie") << "chat  chas" << marque("chat  chas");
    QTest::newRow("pas choisie") << "mot  mat"
                                 << "mot  mat";
    QTest::newRow("choisie avec un $ seulement") << "bal  bas"
                                                 << "bal  bas";
    QTest::newRow("espaces différents") << "sol sel"
                                        << "sol sel";
}

void TestMarques::ligne_trouvee()
{
    QFETCH(QString, couple);
    const QSet<QString> choisis{ "chat  chas", "bal  $bas", "sol  sel" };
    QTEST(wordpairs::ligne_trouvee(couple, choisis), "attendue");
}

QTEST_APPLESS_MAIN(TestMarques)
#include "test_marques.moc"
