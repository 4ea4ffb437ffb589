// Exercise-list lines, evening out, shuffling and the derived mask.
#include "trials/liste_exercice.h"
#include "trials/reponses.h"
#include <QtTest>
#include <map>

using namespace fantrel;

class TestListeExercice : public QObject
{
    Q_OBJECT
private slots:
    void decoupe_data();
    void decoupe();
    void impair_retire_une_ligne_uniforme();
    void pair_garde_tout();
    void longue_liste_lue_entiere_et_melangee();
    void melange_garde_les_couples();
    void melange_fait_les_transpositions_data();
    void melange_fait_les_transpositions();
    void masque_data();
    void masque();
    void nom_sans_dossier_test_data();
    void nom_sans_dossier_test();
    void propositions_et_categories();
};

void TestListeExercice::decoupe_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("mot1");
    QTest::addColumn<QString>("mot2");
    QTest::newRow("canonique") << "chat  chien"
                               << "chat"
                               << "chien";
    QTest::newRow("tiret") << "chat-chien"
                           << "chat"
                           << "chien";
    QTest::newRow("dollar avant tiret") << "mer$-lac"
                                        << "mer"
                                        << "lac";
    QTest::newRow("dollar sur le second") << "lac  mer$"
                                          << "mer"
                                          << "lac";
    QTest::newRow("dollar sur le premier") << "$fiel  fier"
                                           << "fiel"
                                           << "fier";
    QTest::newRow("porte-clés") << QString::fromUtf8("porte-clés  portefeuille") << "porte"
                                << QString::fromUtf8("clés  portefeuille");
    QTest::newRow("espace simple") << "chat chien"
                                   << "chat"
                                   << "chien";
    QTest::newRow("sans separateur") << "chat"
                                     << ""
                                     << "";
    QTest::newRow("ligne vide") << ""
                                << ""
                                << "";
    QTest::newRow("accents gardés") << QString::fromUtf8("pâte  pâté") << QString::fromUtf8("pâte")
                                    << QString::fromUtf8("pâté");
    QTest::newRow("rien n'est rogné") << "chat  chien "
                                      << "chat"
                                      << "chien ";
    QTest::newRow("mot 2 de plus de 100")
            << "a  " + QString(150, u'x') << "a" << QString(100, u'x');
}

void TestListeExercice::decoupe()
{
    QFETCH(QString, ligne);
    QFETCH(QString, mot1);
    QFETCH(QString, mot2);
    const trials::Couple c = trials::decoupe_ligne_exercice(ligne);
    QCOMPARE(c.mot1, mot1);
    QCOMPARE(c.mot2, mot2);
}

void TestListeExercice::impair_retire_une_ligne_uniforme()
{
    // Five lines keep four; each line is the removed one about a fifth of the time.
    trials::EtatPartage etat;
    etat.hasard.graine(1234);
    std::map<QString, int> retraits;
    constexpr int tirages = 5000;
    for (int i = 0; i < tirages; ++i) {
        QStringList lignes{ "a  b", "c  d", "e  f", "g  h", "i  j" };
        const QStringList avant = lignes;
        trials::tri_liste(lignes, etat);
        QCOMPARE(etat.nb_couples, 4);
        QCOMPARE(lignes.size(), 4);
        for (const QString &l : avant)
            if (!lignes.contains(l))
                ++retraits[l];
    }
    QCOMPARE(int(retraits.size()), 5);
    for (const auto &[ligne, n] : retraits)
        QVERIFY2(n > tirages / 5 - 150 && n < tirages / 5 + 150,
                 qPrintable(QStringLiteral("%1 retirée %2 fois sur %3")
                                    .arg(ligne)
                                    .arg(n)
                                    .arg(tirages)));
}

void TestListeExercice::pair_garde_tout()
{
    trials::EtatPartage etat;
    QStringList lignes{ "a  b", "c-d", "$e  f", "g  h$" };
    trials::tri_liste(lignes, etat);
    QCOMPARE(etat.nb_couples, 4);
    QCOMPARE(etat.liste_mots.size(), 4);
    QStringList premiers;
    for (const trials::Couple &c : etat.liste_mots)
        premiers << c.mot1;
    premiers.sort();
    QCOMPARE(premiers, (QStringList{ "a", "c", "e", "h" }));
}

void TestListeExercice::longue_liste_lue_entiere_et_melangee()
{
    trials::EtatPartage etat;
    etat.hasard.graine(7);
    QStringList lignes;
    for (int i = 0; i < 500; ++i)
        lignes << QStringLiteral("m%1  n%1").arg(i);
    trials::tri_liste(lignes, etat);
    QCOMPARE(etat.nb_couples, 500);
    QCOMPARE(etat.liste_mots.size(), 500);
    // Pairs far in the list move too.
    int deplaces = 0;
    for (int i = 400; i < 500; ++i)
        deplaces += etat.liste_mots[i].mot1 != QStringLiteral("m%1").arg(i);
    QVERIFY2(
            deplaces > 50,
            qPrintable(
                    QStringLiteral("seulement %1 couples déplacés en fin de liste").arg(deplaces)));
}

void TestListeExercice::melange_garde_les_couples()
{
    trials::EtatPartage etat;
    etat.hasard.graine(99);
    for (int i = 0; i < 10; ++i)
        etat.liste_mots.append({ QStringLiteral("x%1").arg(i), QStringLiteral("y%1").arg(i) });
    etat.nb_couples = 10;
    trials::melange_des_lignes(etat);
    for (const trials::Couple &c : std::as_const(etat.liste_mots))
        QCOMPARE(c.mot2.mid(1), c.mot1.mid(1));
    trials::EtatPartage vide;
    trials::melange_des_lignes(vide); // no pair: nothing to draw from
    QVERIFY(vide.liste_mots.isEmpty());
}

// The shuffle is the sequence of random transpositions of the pairs, drawn two by
// two from the shared generator; pairs past nb_couples stay in place.
void TestListeExercice::melange_fait_les_transpositions_data()
{
    QTest::addColumn<int>("taille");
    QTest::addColumn<int>("nb_couples");
    QTest::newRow("deux couples") << 2 << 2;
    QTest::newRow("cent couples, 200 échanges") << 100 << 100;
    QTest::newRow("cent un couples, 2 n échanges") << 101 << 101;
    QTest::newRow("mille couples") << 1000 << 1000;
    QTest::newRow("couples au-delà de nb_couples") << 30 << 21;
}

void TestListeExercice::melange_fait_les_transpositions()
{
    QFETCH(int, taille);
    QFETCH(int, nb_couples);
    trials::EtatPartage etat;
    etat.hasard.graine(2024);
    for (int i = 0; i < taille; ++i)
        etat.liste_mots.append({ QStringLiteral("x%1").arg(i), QStringLiteral("y%1").arg(i) });
    etat.nb_couples = nb_couples;
    QVector<trials::Couple> attendu = etat.liste_mots;
    platform::Hasard tirages;
    tirages.graine(2024);
    for (int i = 0; i < (nb_couples <= 100 ? 200 : 2 * nb_couples); ++i) {
        const int a = tirages.tirage(nb_couples);
        const int b = tirages.tirage(nb_couples);
        std::swap(attendu[a], attendu[b]);
    }
    trials::melange_des_lignes(etat);
    QCOMPARE(etat.liste_mots.size(), attendu.size());
    for (int i = 0; i < taille; ++i)
        QCOMPARE(etat.liste_mots[i].mot1, attendu[i].mot1);
    QCOMPARE(etat.hasard.tirage(1000), tirages.tirage(1000)); // as many draws
}

void TestListeExercice::masque_data()
{
    QTest::addColumn<QString>("ligne2");
    QTest::addColumn<QString>("courant");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("canonique") << "chat  chien"
                               << "*****" << QString(10, u'*');
    QTest::newRow("tiret") << "chat-chien"
                           << "*****" << QString(5, u'*');
    QTest::newRow("dollar") << "$chat  chien"
                            << "&" << QString(10, u'&');
    QTest::newRow("pas de seconde ligne") << ""
                                          << "*****"
                                          << "";
    QTest::newRow("masque vide reste vide") << "chat  chien"
                                            << ""
                                            << "";
}

void TestListeExercice::masque()
{
    QFETCH(QString, ligne2);
    QFETCH(QString, courant);
    QFETCH(QString, attendu);
    QCOMPARE(trials::masque_derive(ligne2, courant), attendu);
}

void TestListeExercice::nom_sans_dossier_test_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("nom");
    QTest::newRow("windows") << "C:\\exp\\machin.liste_fantrel"
                             << "machin.liste_fantrel";
    QTest::newRow("unix") << "/home/x/machin.txt"
                          << "machin.txt";
    QTest::newRow("nu") << "machin.txt"
                        << "machin.txt";
}

void TestListeExercice::nom_sans_dossier_test()
{
    QFETCH(QString, chemin);
    QFETCH(QString, nom);
    QCOMPARE(trials::nom_sans_dossier(chemin), nom);
}

void TestListeExercice::propositions_et_categories()
{
    QCOMPARE(trials::propositions("fiel", "fier", 1), QStringLiteral("$fiel fier"));
    QCOMPARE(trials::propositions("fiel", "fier", 2), QStringLiteral("fier $fiel"));
    QCOMPARE(trials::rang_du_essai(1), 2);
    QCOMPARE(trials::rang_du_essai(2), 1);
    QCOMPARE(trials::categorie_essai(1, true), 1);
    QCOMPARE(trials::categorie_essai(1, false), 2);
    QCOMPARE(trials::categorie_essai(2, true), 3);
    QCOMPARE(trials::categorie_essai(2, false), 4);
    QCOMPARE(trials::categorie_essai(0, true), 0);
    QVERIFY(!trials::juge(QStringLiteral("Chat"), QStringLiteral("chat")));
    QVERIFY(!trials::juge(QString::fromUtf8("pâte"), QStringLiteral("pate")));
}

QTEST_APPLESS_MAIN(TestListeExercice)
#include "test_liste_exercice.moc"
