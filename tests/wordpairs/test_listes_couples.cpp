// The word-pair tool's lists without any window: each move of a pair, a whole session of work
// (search, picks, give-backs, "Sélection", files saved and read back), and the signals a text box
// follows to show the lists.
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "wordpairs/listes_couples.h"
#include "wordpairs/listes_selection.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using wordpairs::marque;

namespace {

// A text box as the window's are: it takes the lists' signals and nothing else,
// holding its text as the box holds it (one entry per line, at least one).
struct Boite
{
    QStringList entrees{ QString() };

    // A list's whole text and its appended lines (the software's or the user's).
    template<class Remplace, class Ajoute>
    void suit(wordpairs::ListesCouples &listes, Remplace remplace, Ajoute ajoute_signal)
    {
        QObject::connect(&listes, remplace, [this](const QStringList &e) { entrees = e; });
        QObject::connect(&listes, ajoute_signal, [this](const QStringList &l) { ajoute(l); });
    }
    void ajoute(const QStringList &lignes)
    {
        if (entrees.last().isEmpty())
            entrees.removeLast();
        entrees += lignes;
    }
    QStringList lignes() const
    {
        return entrees.last().isEmpty() ? entrees.mid(0, entrees.size() - 1) : entrees;
    }
};

// The lists with a box following each.
struct Banc
{
    wordpairs::ListesCouples listes;
    Boite memo1;
    Boite memo3;
    Banc()
    {
        using L = wordpairs::ListesCouples;
        memo1.suit(listes, &L::logiciel_remplace, &L::logiciel_ajoute);
        QObject::connect(&listes, &L::ligne_logiciel_changee,
                         [this](int k, const QString &l) { memo1.entrees[k] = l; });
        memo3.suit(listes, &L::utilisateur_remplace, &L::utilisateur_ajoute);
        QObject::connect(&listes, &L::ligne_utilisateur_supprimee, [this](int k) {
            if (memo3.entrees.size() > 1)
                memo3.entrees.removeAt(k);
            else
                memo3.entrees[0].clear();
        });
    }
    // The user types into his box, which reports the lines to the data.
    void tape(int premiere, int nb_remplacees, const QStringList &lignes)
    {
        memo3.entrees.remove(premiere, nb_remplacees);
        for (int k = 0; k < lignes.size(); ++k)
            memo3.entrees.insert(premiere + k, lignes[k]);
        listes.saisie_utilisateur(premiere, nb_remplacees, lignes);
    }
    bool boites_a_jour() const
    {
        return memo1.lignes() == listes.logiciel() && memo3.lignes() == listes.utilisateur();
    }
};

enum class Operation { choisit, rend, choisit_lignes, rend_lignes };

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestListesCouples : public QObject
{
    Q_OBJECT
private slots:
    void deplacement_data();
    void deplacement();
    void trouves_marques_selon_la_liste_du_moment();
    void saisie_de_l_utilisateur();
    void session_de_travail();
    void fichiers_illisibles_rien_ne_change();
};

// Each move on its own: which software line is marked or bared, which user line
// goes, whether the list counts as changed and its count is shown.
void TestListesCouples::deplacement_data()
{
    QTest::addColumn<QStringList>("logiciel");
    QTest::addColumn<QStringList>("utilisateur");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QStringList>("logiciel_apres");
    QTest::addColumn<QStringList>("utilisateur_apres");
    QTest::addColumn<bool>("modifiee"); // and the count shown
    const QString p = "chat  chas";
    const QString q = "mot  mat";
    QTest::newRow("double-clic: la dernière ligne égale marquée")
            << QStringList{ p, q, p } << QStringList{} << Operation::choisit << QStringList{ p }
            << QStringList{ p, q, marque(p) } << QStringList{ p } << true;
    QTest::newRow("double-clic sur une ligne marquée: rien")
            << QStringList{ marque(p) } << QStringList{ p } << Operation::choisit
            << QStringList{ marque(p) } << QStringList{ marque(p) } << QStringList{ p } << false;
    QTest::newRow("double-clic sur une ligne à deux tirets: rien")
            << QStringList{ "a--b  c" } << QStringList{} << Operation::choisit
            << QStringList{ "a--b  c" } << QStringList{ "a--b  c" } << QStringList{} << false;
    QTest::newRow("double-clic sur rien: rien")
            << QStringList{ p } << QStringList{} << Operation::choisit << QStringList{ "" }
            << QStringList{ p } << QStringList{} << false;
    QTest::newRow("double-clic d'une paire absente du logiciel: ajoutée seulement")
            << QStringList{ q } << QStringList{} << Operation::choisit << QStringList{ p }
            << QStringList{ q } << QStringList{ p } << true;
    QTest::newRow("rendre: la dernière marque exacte, la dernière ligne égale")
            << QStringList{ marque(p), marque("chat  chasse"), marque(p) } << QStringList{ p, q, p }
            << Operation::rend << QStringList{ p }
            << QStringList{ marque(p), marque("chat  chasse"), p } << QStringList{ p, q } << true;
    QTest::newRow("rendre une paire plus courte: la longue reste marquée")
            << QStringList{ marque("chat  chasse") } << QStringList{ "chat  chas" }
            << Operation::rend << QStringList{ "chat  chas" }
            << QStringList{ marque("chat  chasse") } << QStringList{} << true;
    QTest::newRow("rendre une paire absente de la liste: drapeau inchangé")
            << QStringList{ marque(p) } << QStringList{ q } << Operation::rend << QStringList{ p }
            << QStringList{ p } << QStringList{ q } << false;
    QTest::newRow("Sélection: la première ligne égale marquée, les marquées sautées")
            << QStringList{ p, q, p, marque("sol  sel") } << QStringList{}
            << Operation::choisit_lignes << QStringList{ p, marque("sol  sel"), "", q }
            << QStringList{ marque(p), marque(q), p, marque("sol  sel") } << QStringList{ p, q }
            << true;
    QTest::newRow("Sélection: une ligne à deux tirets est prise")
            << QStringList{ "a--b  c" } << QStringList{} << Operation::choisit_lignes
            << QStringList{ "a--b  c" } << QStringList{ marque("a--b  c") }
            << QStringList{ "a--b  c" } << true;
    QTest::newRow("Sélection sur des lignes toutes marquées: rien")
            << QStringList{ marque(p) } << QStringList{ p } << Operation::choisit_lignes
            << QStringList{ marque(p) } << QStringList{ marque(p) } << QStringList{ p } << false;
    QTest::newRow("Sélection retour: toutes les marques exactes, la dernière ligne égale")
            << QStringList{ marque(p), q, marque(p), marque("chat  chasse") }
            << QStringList{ p, "chat  chasse", p } << Operation::rend_lignes << QStringList{ p }
            << QStringList{ p, q, p, marque("chat  chasse") } << QStringList{ p, "chat  chasse" }
            << true;
}

void TestListesCouples::deplacement()
{
    QFETCH(QStringList, logiciel);
    QFETCH(QStringList, utilisateur);
    QFETCH(Operation, operation);
    QFETCH(QStringList, lignes);
    QFETCH(bool, modifiee);
    Banc b;
    b.listes.remplace_logiciel(logiciel);
    b.listes.remplace_utilisateur(utilisateur);
    QSignalSpy comptes(&b.listes, &wordpairs::ListesCouples::compte_utilisateur);
    switch (operation) {
    case Operation::choisit:
        QCOMPARE(b.listes.choisit(lignes.value(0)),
                 !lignes.value(0).contains("--") && !lignes.value(0).isEmpty());
        break;
    case Operation::rend:
        QVERIFY(b.listes.rend(lignes.value(0)));
        break;
    case Operation::choisit_lignes:
        b.listes.choisit_lignes(lignes);
        break;
    case Operation::rend_lignes:
        b.listes.rend_lignes(lignes);
        break;
    }
    QTEST(b.listes.logiciel(), "logiciel_apres");
    QTEST(b.listes.utilisateur(), "utilisateur_apres");
    QCOMPARE(b.listes.liste_modifiee(), modifiee);
    QCOMPARE(comptes.size(), modifiee ? 1 : 0);
    if (modifiee)
        QCOMPARE(comptes.at(0).at(0).toInt(), b.listes.nb_utilisateur());
    QVERIFY(b.boites_a_jour());
}

// The pairs found are marked by the user's list as it stands when they arrive,
// typing included.
void TestListesCouples::trouves_marques_selon_la_liste_du_moment()
{
    Banc b;
    b.listes.remplace_utilisateur({ "chat  chas" });
    b.listes.ajoute_trouves({ "chat  chas", "mot  mat" });
    b.tape(1, 0, { "mot  mat" });
    b.listes.ajoute_trouves({ "mot  mat", "chat  chas" });
    b.listes.rend("chat  chas");
    b.listes.ajoute_trouves({ "chat  chas" });
    QCOMPARE(b.listes.logiciel(),
             QStringList({ marque("chat  chas"), "mot  mat", marque("mot  mat"), "chat  chas",
                           "chat  chas" }));
    QVERIFY(b.boites_a_jour());
}

// What the box reports of the user's typing replaces lines of the data, and
// counts as a change; the data tells the box nothing back.
void TestListesCouples::saisie_de_l_utilisateur()
{
    Banc b;
    b.listes.remplace_utilisateur({ "a", "b", "c" });
    QSignalSpy signaux(&b.listes, &wordpairs::ListesCouples::utilisateur_remplace);
    b.listes.saisie_utilisateur(1, 1, { "b1", "b2", "" }); // a line break typed after "b2"
    QCOMPARE(b.listes.utilisateur(), QStringList({ "a", "b1", "b2", "", "c" }));
    QVERIFY(b.listes.liste_modifiee());
    b.listes.saisie_utilisateur(2, 3, { "b2c" }); // two line breaks taken out
    QCOMPARE(b.listes.utilisateur(), QStringList({ "a", "b1", "b2c" }));
    b.listes.saisie_utilisateur(0, 3, { "" }); // all cut
    QCOMPARE(b.listes.utilisateur(), QStringList{});
    QCOMPARE(b.listes.nb_utilisateur(), 0);
    b.listes.choisit("chat  chas");
    QCOMPARE(b.listes.utilisateur(), QStringList{ "chat  chas" });
    QVERIFY(signaux.isEmpty());
}

// A session as the experimenter works: a search fills the software's list, pairs
// are picked by double-click and by "Sélection", some given back; both lists are
// saved, read back into fresh lists, and the marks come back from the user's list
// only.
void TestListesCouples::session_de_travail()
{
    QTemporaryDir dossier;
    Banc b;
    QSignalSpy comptes_logiciel(&b.listes, &wordpairs::ListesCouples::compte_logiciel);
    b.listes.ajoute_trouves({ "chat  chas", "chat  char", "bal  bas" });
    b.listes.ajoute_trouves({ "mot  mat", "sol  sel", "chat  chas" });
    b.listes.recherche_arretee();
    QVERIFY(b.listes.liste_logiciel_a_sauver());
    QCOMPARE(comptes_logiciel.value(0).value(0).toInt(), 6);
    QVERIFY(!b.listes.liste_modifiee());

    QVERIFY(b.listes.choisit("chat  chas")); // the last of its two lines is marked
    b.listes.choisit_lignes({ "chat  char", "bal  bas", marque("chat  chas") });
    QVERIFY(!b.listes.choisit(marque("bal  bas")));
    QVERIFY(b.listes.rend("chat  char"));
    b.listes.choisit_lignes({ "sol  sel" });
    const QStringList logiciel{ "chat  chas", "chat  char",       marque("bal  bas"),
                                "mot  mat",   marque("sol  sel"), marque("chat  chas") };
    QCOMPARE(b.listes.logiciel(), logiciel);
    QCOMPARE(b.listes.utilisateur(), QStringList({ "chat  chas", "bal  bas", "sol  sel" }));
    QVERIFY(b.listes.liste_modifiee());
    QVERIFY(b.boites_a_jour());
    const QString exercice = dossier.filePath("choix.liste_fantrel");
    const QString select_log = dossier.filePath("trouves.select_log");
    const QString texte = dossier.filePath("trouves.txt");
    b.listes.ecrit_utilisateur(exercice);
    QVERIFY(!b.listes.liste_modifiee());
    b.listes.ecrit_logiciel(select_log);
    QVERIFY(!b.listes.liste_logiciel_a_sauver());
    b.listes.ecrit_trouves(texte);
    QCOMPARE(platform::lire_lignes(exercice), b.listes.utilisateur());
    QCOMPARE(platform::lire_lignes(select_log),
             QStringList({ "chat  chas", "chat  char", "bal  bas", "mot  mat", "sol  sel",
                           "chat  chas" }));
    QCOMPARE(platform::lire_lignes(texte), logiciel);

    Banc relu;
    QSignalSpy lu(&relu.listes, &wordpairs::ListesCouples::logiciel_lu);
    relu.listes.lit_logiciel(select_log);
    QCOMPARE(lu.value(0).value(0).toString(), select_log);
    QCOMPARE(relu.listes.logiciel(), platform::lire_lignes(select_log)); // no marks
    relu.listes.lit_utilisateur(exercice);
    QCOMPARE(relu.listes.utilisateur(), b.listes.utilisateur());
    // Each software line equal to a chosen pair is marked, both "chat  chas" lines too.
    QCOMPARE(relu.listes.logiciel(),
             QStringList({ marque("chat  chas"), "chat  char", marque("bal  bas"), "mot  mat",
                           marque("sol  sel"), marque("chat  chas") }));
    QVERIFY(!relu.listes.liste_modifiee());
    QVERIFY(!relu.listes.liste_logiciel_a_sauver());
    QVERIFY(relu.boites_a_jour());

    // Giving everything back leaves the software's list bare, as read.
    relu.listes.rend_lignes(relu.listes.utilisateur());
    QCOMPARE(relu.listes.logiciel(), platform::lire_lignes(select_log));
    QCOMPARE(relu.listes.nb_utilisateur(), 0);
    QVERIFY(relu.listes.liste_modifiee());
    QVERIFY(relu.boites_a_jour());
}

// A file that cannot be read or written changes neither list nor flag.
void TestListesCouples::fichiers_illisibles_rien_ne_change()
{
    QTemporaryDir dossier;
    Banc b;
    b.listes.remplace_logiciel({ marque("chat  chas"), "mot  mat" });
    b.listes.remplace_utilisateur({ "chat  chas" });
    b.listes.definir_liste_modifiee(true);
    b.listes.definir_liste_logiciel_a_sauver(true);
    const QString absent = dossier.filePath("absent/x.txt");
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, b.listes.lit_utilisateur(absent));
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, b.listes.lit_logiciel(absent));
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, b.listes.ecrit_utilisateur(absent));
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, b.listes.ecrit_logiciel(absent));
    QCOMPARE(b.listes.logiciel(), QStringList({ marque("chat  chas"), "mot  mat" }));
    QCOMPARE(b.listes.utilisateur(), QStringList{ "chat  chas" });
    QVERIFY(b.listes.liste_modifiee());
    QVERIFY(b.listes.liste_logiciel_a_sauver());
}

QTEST_GUILESS_MAIN(TestListesCouples)
#include "test_listes_couples.moc"
