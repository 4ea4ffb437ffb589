// Answer lines, categories and whole-record readings, without any window.
#include "results/enregistrement.h"
#include "results/ligne_reponse.h"
#include "trials/reponses.h"
#include <QTest>

using namespace fantrel;

class TestLignesResultats : public QObject
{
    Q_OBJECT
private slots:
    void categorie_ligne_data();
    void categorie_ligne();
    void pieces_data();
    void pieces();
    void categorie_essai_data();
    void categorie_essai();
    void ligne_listee_data();
    void ligne_listee();
    void plan_sections_data();
    void plan_sections();
    void plan_au_dela_de_vingt();
    void index_entete_data();
    void index_entete();
    void listees_premiere_section();
};

void TestLignesResultats::categorie_ligne_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<int>("attendue");
    QTest::newRow("premier mot à gauche, juste")
            << "Mot affiché=fiel prop=$fiel fier répondu=fiel" << 1;
    QTest::newRow("premier mot à droite, juste")
            << "Mot affiché=fiel prop=fier $fiel répondu=fiel" << 1;
    QTest::newRow("premier mot, faux") << "Mot affiché=fiel prop=fier $fiel répondu=fier" << 2;
    QTest::newRow("second mot, juste (exemple)")
            << "Mot affiché=fier prop=fier $fiel répondu=fier" << 3;
    QTest::newRow("second mot, faux") << "Mot affiché=fier prop=$fiel fier répondu=fiel" << 4;
    QTest::newRow("casse différente, faux") << "Mot affiché=chat prop=$chat chas répondu=Chat" << 2;
    QTest::newRow("accent différent, faux") << "Mot affiché=été prop=$été ete répondu=ete" << 2;
    QTest::newRow("préfixe chats/chat montré chat")
            << "Mot affiché=chat prop=$chats chat répondu=chat" << 3;
    QTest::newRow("préfixe chats/chat à droite")
            << "Mot affiché=chat prop=chat $chats répondu=chats" << 4;
    QTest::newRow("chat connoté, chats neutre")
            << "Mot affiché=chat prop=chats $chat répondu=chat" << 1;
    QTest::newRow("« Mot affiché » seul") << "Mot affiché" << 4;
    QTest::newRow("sans répondu") << "Mot affiché=fiel prop=$fiel fier" << 2;
    QTest::newRow("sans prop") << "Mot affiché=fiel répondu=fiel" << 3;
    QTest::newRow("répondu sans =") << "Mot affiché=fiel prop=$fiel fier répondu" << 2;
    QTest::newRow("réponse vide") << "Mot affiché=fiel prop=$fiel fier répondu=" << 2;
    QTest::newRow("texte autour") << "xx Mot affiché=fiel prop=$fiel fier répondu=fiel" << 1;
    QTest::newRow("mot « répondu »")
            << "Mot affiché=répondu prop=$répondu répondus répondu=répondu" << 1;
}

void TestLignesResultats::categorie_ligne()
{
    QFETCH(QString, ligne);
    QFETCH(int, attendue);
    QCOMPARE(fantrel::results::categorie_ligne(ligne), attendue);
}

void TestLignesResultats::pieces_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("montre");
    QTest::addColumn<QString>("propositions");
    QTest::addColumn<QString>("reponse");
    // "<absent>" marks a missing piece.
    QTest::newRow("complète") << "Mot affiché=fier prop=fier $fiel répondu=fier"
                              << "fier"
                              << "fier $fiel"
                              << "fier";
    QTest::newRow("seule") << "Mot affiché"
                           << "<absent>"
                           << "<absent>"
                           << "<absent>";
    QTest::newRow("répondu collé") << "Mot affiché=a prop=$a brépondu=b"
                                   << "a"
                                   << "$a b"
                                   << "b";
    QTest::newRow("blancs doubles") << "Mot affiché=a  prop=$a b  répondu=a b"
                                    << "a"
                                    << "$a b "
                                    << "a b";
}

void TestLignesResultats::pieces()
{
    QFETCH(QString, ligne);
    QFETCH(QString, montre);
    QFETCH(QString, propositions);
    QFETCH(QString, reponse);
    const auto texte = [](const std::optional<QString> &p) {
        return p ? *p : QStringLiteral("<absent>");
    };
    const results::ReponseLue lue = results::analyse_ligne_reponse(ligne);
    QCOMPARE(texte(lue.montre), montre);
    QCOMPARE(texte(lue.propositions), propositions);
    QCOMPARE(texte(lue.reponse), reponse);
}

void TestLignesResultats::categorie_essai_data()
{
    QTest::addColumn<int>("rang_mot");
    QTest::addColumn<bool>("bonne");
    QTest::addColumn<int>("attendue");
    QTest::newRow("1 juste") << 1 << true << 1;
    QTest::newRow("1 faux") << 1 << false << 2;
    QTest::newRow("2 juste") << 2 << true << 3;
    QTest::newRow("2 faux") << 2 << false << 4;
    QTest::newRow("0 ne compte pas") << 0 << true << 0;
    QTest::newRow("3 ne compte pas") << 3 << false << 0;
}

void TestLignesResultats::categorie_essai()
{
    QFETCH(int, rang_mot);
    QFETCH(bool, bonne);
    QFETCH(int, attendue);
    QCOMPARE(fantrel::trials::categorie_essai(rang_mot, bonne), attendue);
}

void TestLignesResultats::ligne_listee_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("attendue");
    QTest::newRow("premier à gauche") << "Mot affiché=fiel prop=$fiel fier répondu=fiel"
                                      << "$fiel-fier";
    QTest::newRow("premier à droite") << "Mot affiché=fier prop=fier $fiel répondu=fier"
                                      << "fier-$fiel";
    QTest::newRow("sans blanc, inchangée") << "Mot affiché=fier prop=$fiel répondu=fier"
                                           << "$fiel";
    QTest::newRow("sans répondu") << "Mot affiché=fier prop=fier $fiel"
                                  << "fier-$fiel";
    QTest::newRow("sans prop") << "Mot affiché=fier"
                               << "";
}

void TestLignesResultats::ligne_listee()
{
    QFETCH(QString, ligne);
    QFETCH(QString, attendue);
    QCOMPARE(fantrel::results::ligne_listee(ligne), attendue);
}

void TestLignesResultats::plan_sections_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QStringList>("noms");
    QTest::addColumn<QList<int>>("comptes"); // 4 per row
    QTest::addColumn<QList<int>>("somme");
    const QString c1 = "Mot affiché=fiel prop=$fiel fier répondu=fiel";
    const QString c2 = "Mot affiché=fiel prop=fier $fiel répondu=fier";
    const QString c3 = "Mot affiché=fier prop=fier $fiel répondu=fier";
    const QString c4 = "Mot affiché=fier prop=$fiel fier répondu=fiel";
    QTest::newRow("vide") << QStringList{} << QStringList{} << QList<int>{}
                          << QList<int>{ 0, 0, 0, 0 };
    QTest::newRow("deux sections")
            << QStringList{ "Essai1", c1, c3, c3, "Paul", c2, c4 }
            << QStringList{ "Essai1", "Paul" } << QList<int>{ 1, 0, 2, 0, 0, 1, 0, 1 }
            << QList<int>{ 1, 1, 2, 1 };
    QTest::newRow("en-tête final vide")
            << QStringList{ "Essai1", c1, "" } << QStringList{ "Essai1", "" }
            << QList<int>{ 1, 0, 0, 0, 0, 0, 0, 0 } << QList<int>{ 1, 0, 0, 0 };
    QTest::newRow("réponses avant le premier en-tête")
            << QStringList{ c1, c2, "Essai1", c4 } << QStringList{ "Essai1" }
            << QList<int>{ 0, 0, 0, 1 } << QList<int>{ 1, 1, 0, 1 };
    QTest::newRow("sans en-tête") << QStringList{ c3, c3 } << QStringList{} << QList<int>{}
                                  << QList<int>{ 0, 0, 2, 0 };
}

void TestLignesResultats::plan_sections()
{
    QFETCH(QStringList, lignes);
    QFETCH(QStringList, noms);
    QFETCH(QList<int>, comptes);
    QFETCH(QList<int>, somme);
    const results::PlanLecture plan = results::plan_lecture(lignes);
    QCOMPARE(plan.nb_entetes, noms.size());
    QStringList lus;
    QList<int> comptes_lus;
    for (const results::RangeeLue &r : plan.rangees) {
        lus.append(r.nom);
        for (int c = 1; c <= 4; ++c)
            comptes_lus.append(r.comptes[c]);
    }
    QCOMPARE(lus, noms);
    QCOMPARE(comptes_lus, comptes);
    QCOMPARE((QList<int>{ plan.somme[1], plan.somme[2], plan.somme[3], plan.somme[4] }), somme);
}

void TestLignesResultats::plan_au_dela_de_vingt()
{
    constexpr int derniere = results::nb_max_util; // 20 once
    QStringList lignes;
    for (int n = 1; n <= derniere + 3; ++n) {
        lignes << QStringLiteral("Essai%1").arg(n);
        for (int k = 0; k < n; ++k)
            lignes << QStringLiteral("Mot affiché=a prop=$a b répondu=a");
    }
    // Typed answers read back: neither proposal ("xx"); one equal to a proposal cannot
    // be told from a click.
    lignes << QStringLiteral("Mot affiché=a prop=$a b répondu=xx")
           << QStringLiteral("Mot affiché=b prop=b $a répondu=")
           << QStringLiteral("Mot affiché=b prop=b $a répondu=a");
    const results::PlanLecture plan = results::plan_lecture(lignes);
    QCOMPARE(plan.nb_entetes, derniere + 3);
    QCOMPARE(plan.rangees.size(), results::nb_max_util);
    QCOMPARE(plan.rangees.last().nom, QStringLiteral("Essai%1").arg(derniere));
    QCOMPARE(plan.rangees.last().comptes[1], derniere);
    QCOMPARE(plan.somme[1], (derniere + 3) * (derniere + 4) / 2);
    QCOMPARE((QList<int>{ plan.saisies[1], plan.saisies[2], plan.saisies[3], plan.saisies[4] }),
             (QList<int>{ 0, 1, 0, 1 }));
}

void TestLignesResultats::index_entete_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("depuis");
    QTest::addColumn<int>("index");
    QTest::newRow("0 n'a pas d'en-tête") << 0 << 0 << -1;
    QTest::newRow("premier") << 1 << 0 << 0;
    QTest::newRow("deuxième, après des réponses") << 2 << 0 << 3;
    QTest::newRow("ligne vide comptée") << 3 << 0 << 4;
    QTest::newRow("au-delà") << 5 << 0 << -1;
    QTest::newRow("compté depuis la ligne 3") << 1 << 3 << 3;
    QTest::newRow("troisième depuis la ligne 3") << 3 << 3 << 6;
}

void TestLignesResultats::index_entete()
{
    QFETCH(int, n);
    QFETCH(int, depuis);
    QFETCH(int, index);
    const QStringList lignes{ "Essai1",
                              "Mot affiché=a prop=$a b répondu=a",
                              "Mot affiché=b prop=$a b répondu=a",
                              "Essai2",
                              "",
                              "Mot affiché=a prop=b $a répondu=a",
                              "Essai4" };
    QCOMPARE(fantrel::results::index_entete(lignes, n, depuis), qsizetype(index));
}

void TestLignesResultats::listees_premiere_section()
{
    const QStringList lignes{
        "Essai1", "Mot affiché=a prop=$a b répondu=a", "Essai2",
        "Essai1", "Mot affiché=b prop=b $a répondu=a", "Mot affiché=c prop=$c d répondu=c",
        "fin",    "Mot affiché=e prop=$e f répondu=e"
    };
    QCOMPARE(results::lignes_listees(lignes, "Essai1"), QStringList{ "$a-b" });
    QCOMPARE(results::lignes_listees(lignes, "Essai2"), QStringList{});
    QCOMPARE(results::lignes_listees(lignes.mid(3), "Essai1"), (QStringList{ "b-$a", "$c-d" }));
    QCOMPARE(results::lignes_listees(lignes, "Inconnu"), QStringList{});
    QCOMPARE(results::lignes_listees(QStringList{ "x", "Essai9" }, "Essai9"), QStringList{});
}

QTEST_APPLESS_MAIN(TestLignesResultats)
#include "test_lignes_resultats.moc"
