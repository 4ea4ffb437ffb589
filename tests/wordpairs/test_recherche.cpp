// The two searches: listing order, progress, the run of a class, the single word,
// and the fast search giving exactly the straightforward one's lines, in order,
// with pauses anywhere.
#include "platform/fichier_texte.h"
#include "wordpairs/participes.h"
#include "wordpairs/recherche_rapide.h"
#include "wordpairs/recherche_simple.h"
#include <QTest>
#include <memory>
#include <random>

using namespace fantrel;

namespace {

constexpr wordpairs::Filtres aucun{ false, false, false, false, false };

wordpairs::Filtres filtres_numero(int masque)
{
    return { bool(masque & 1), bool(masque & 2), bool(masque & 4), bool(masque & 8),
             bool(masque & 16) };
}

std::unique_ptr<wordpairs::Recherche> cree(bool rapide, const wordpairs::BaseMots &base,
                                           const wordpairs::Demande &demande)
{
    if (rapide)
        return std::make_unique<wordpairs::RechercheRapide>(base, demande);
    return std::make_unique<wordpairs::RechercheSimple>(base, demande);
}

struct Issue
{
    QStringList couples;
    bool prete = false;
    int maximum = 0;
    int position = 0;
    int appels = 0;
};

// Runs a search to its end; budgets drawn from `hasard` (when given) make it stop
// and start again at arbitrary places.
Issue termine(wordpairs::Recherche &r, const wordpairs::Filtres &filtres,
              std::mt19937 *hasard = nullptr)
{
    r.definir_filtres(filtres);
    Issue issue;
    bool finie = false;
    while (!finie) {
        finie = r.avance(hasard ? qint64(1 + (*hasard)() % 12) : 1'000'000'000);
        issue.couples += r.prend_couples();
        ++issue.appels;
    }
    issue.prete = r.progression_prete();
    issue.maximum = r.progression_maximum();
    issue.position = r.progression_position();
    return issue;
}

// A small random base: few letters so that pairs abound, words of unequal
// lengths (some empty), up to 30 words a line, "ant"/"ante" endings and "er" so
// that the participle filter has work, classes in runs of random length, and
// some lines without a space.
QStringList base_aleatoire(std::mt19937 &hasard)
{
    static const QStringList syllabes{ "a", "b", "s", "é", "ç", "ant", "ante", "er", "t" };
    auto tire = [&](int n) { return int(hasard() % unsigned(n)); };
    auto mot = [&](int max_syllabes) {
        QString m;
        for (int k = tire(max_syllabes + 1); k > 0; --k)
            m += syllabes[tire(int(syllabes.size()))];
        return m;
    };
    QStringList lignes;
    const int nb_series = 1 + tire(6);
    for (int s = 0; s < nb_series; ++s) {
        const int classe = 1 + tire(4);
        for (int k = tire(15); k >= 0; --k) {
            if (tire(20) == 0) {
                lignes << mot(3);
                continue;
            }
            QString cle(classe, u'k');
            for (QChar &c : cle)
                c = syllabes[tire(4)][0];
            QStringList mots;
            const int nb_mots = tire(10) == 0 ? 30 : 1 + tire(5);
            for (int m = 0; m < nb_mots; ++m)
                mots << (tire(25) == 0 ? QString() : mot(3));
            lignes << cle + ' ' + mots.join(' ');
        }
    }
    return lignes;
}

QString chemin_partage(const QString &fichier)
{
    const QString partage = qEnvironmentVariable(
            "FANTREL_SHARED", qEnvironmentVariable("FANTREL_SOURCE", ".") + "/../shared");
    return partage + "/data/" + fichier;
}

} // namespace

class TestRecherche : public QObject
{
    Q_OBJECT
private slots:
    void ordre_des_couples_data();
    void ordre_des_couples();
    void progression_data();
    void progression();
    void classe_jusqu_a_la_fin();
    void mot_seul_data();
    void mot_seul();
    void longueur_decochee_en_cours_data();
    void longueur_decochee_en_cours();
    void rapide_comme_simple_bases_aleatoires();
    void rapide_comme_simple_mot_seul();
    void rapide_comme_simple_petite_base();
    void rapide_comme_simple_tout_petit();
};

void TestRecherche::ordre_des_couples_data()
{
    QTest::addColumn<bool>("rapide");
    QTest::newRow("simple") << false;
    QTest::newRow("rapide") << true;
}

// Outer line ascending, inner line ascending, then the place of the outer word,
// then of the inner one; words of one line never pair with each other.
void TestRecherche::ordre_des_couples()
{
    QFETCH(bool, rapide);
    const wordpairs::BaseMots base(
            { "ab x", "aaaa chat chas", "bbbb chas chat", "cccc char", "dd y" });
    auto r = cree(rapide, base, { false, 4, {} });
    const Issue issue = termine(*r, aucun);
    QCOMPARE(issue.couples,
             QStringList({ "chat  chas", "chas  chat", "chat  char", "chas  char", "chas  char",
                           "chat  char" }));
    QCOMPARE(r->bornes().debut, 1);
    QCOMPARE(r->bornes().fin, 4);
}

void TestRecherche::progression_data()
{
    QTest::addColumn<bool>("rapide");
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<bool>("prete");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("position");
    const QStringList trois{ "chat chat", "chas chas", "char char" };
    const QStringList deux_series{ "chat chat", "chas chas", "ab ab", "char char" };
    for (bool rapide : { false, true }) {
        const char *nom = rapide ? "rapide" : "simple";
        QTest::addRow("%s: m - 1 sur m", nom) << rapide << trois << true << 3 << 2;
        QTest::addRow("%s: maximum sur toute la base", nom)
                << rapide << deux_series << true << 3 << 1;
        QTest::addRow("%s: une seule ligne", nom)
                << rapide << QStringList{ "chat chat" } << false << 0 << 0;
        QTest::addRow("%s: classe absente", nom)
                << rapide << QStringList{ "ab ab" } << false << 0 << 0;
    }
}

void TestRecherche::progression()
{
    QFETCH(bool, rapide);
    QFETCH(QStringList, lignes);
    auto r = cree(rapide, wordpairs::BaseMots(lignes), { false, 4, {} });
    const Issue issue = termine(*r, wordpairs::Filtres{});
    QTEST(issue.prete, "prete");
    QTEST(issue.maximum, "maximum");
    QTEST(issue.position, "position");
    QVERIFY(r->finie());
}

// The last line of the base belongs to the searched class and is paired.
void TestRecherche::classe_jusqu_a_la_fin()
{
    const wordpairs::BaseMots base({ "ab ab", "chat chat", "chas chas" });
    for (bool rapide : { false, true }) {
        auto r = cree(rapide, base, { false, 4, {} });
        QCOMPARE(r->bornes().fin, 3);
        QCOMPARE(termine(*r, aucun).couples, QStringList{ "chat  chas" });
    }
}

void TestRecherche::mot_seul_data()
{
    QTest::addColumn<bool>("rapide");
    QTest::newRow("simple") << false;
    QTest::newRow("rapide") << true;
}

// Every line of the base counts in the progress; only lines of the word's class
// are compared, in base order, the typed word first.
void TestRecherche::mot_seul()
{
    QFETCH(bool, rapide);
    const wordpairs::BaseMots base(
            { "chas chas chaux chats", "ab ab", "cha chas", "char char chat char" });
    auto r = cree(rapide, base, { true, 4, "chat" });
    const Issue issue = termine(*r, aucun);
    QCOMPARE(issue.couples,
             QStringList({ "chat  chas", "chat  chaux", "chat  char", "chat  char" }));
    QVERIFY(issue.prete);
    QCOMPARE(issue.maximum, 4);
    QCOMPARE(issue.position, 4);
}

void TestRecherche::longueur_decochee_en_cours_data()
{
    QTest::addColumn<bool>("rapide");
    QTest::newRow("simple") << false;
    QTest::newRow("rapide") << true;
}

// Another length button checked during the search: the outer lines reached after
// it are skipped, without progress.
void TestRecherche::longueur_decochee_en_cours()
{
    QFETCH(bool, rapide);
    const wordpairs::BaseMots base({ "chat chat", "chas chas", "char char" });
    auto r = cree(rapide, base, { false, 4, {} });
    r->definir_filtres(aucun);
    QStringList vus;
    while (vus.size() < 2) {
        QVERIFY(!r->avance(1));
        vus += r->prend_couples();
    }
    QCOMPARE(r->progression_position(), 1);
    r->definir_longueur_cochee(5);
    while (!r->avance(1))
        vus += r->prend_couples();
    vus += r->prend_couples();
    QCOMPARE(vus, QStringList({ "chat  chas", "chat  char" }));
    QCOMPARE(r->progression_position(), 1);
    QCOMPARE(r->progression_maximum(), 3);
}

// Many random bases, every class, every combination of filters: the same lines
// in the same order and the same progress, also when the fast search is stopped
// and taken up again at random places.
void TestRecherche::rapide_comme_simple_bases_aleatoires()
{
    std::mt19937 hasard(20240611);
    int comparaisons = 0;
    int couples = 0;
    for (int graine = 0; graine < 150; ++graine) {
        const wordpairs::BaseMots base(base_aleatoire(hasard));
        for (int classe = 1; classe <= 4; ++classe) {
            for (int masque = 0; masque < 32; ++masque) {
                if (masque != 0 && masque != 31 && hasard() % 4 != 0)
                    continue;
                const wordpairs::Filtres filtres = filtres_numero(masque);
                const wordpairs::Demande demande{ false, classe, {} };
                wordpairs::RechercheSimple simple(base, demande);
                const Issue attendu = termine(simple, filtres);
                wordpairs::RechercheRapide rapide(base, demande);
                const Issue obtenu = termine(rapide, filtres, &hasard);
                wordpairs::RechercheSimple simple_repris(base, demande);
                const Issue repris = termine(simple_repris, filtres, &hasard);
                const QString contexte = QStringLiteral("graine %1 classe %2 filtres %3\n%4")
                                                 .arg(graine)
                                                 .arg(classe)
                                                 .arg(masque)
                                                 .arg(base.lignes.join('\n'));
                QVERIFY2(obtenu.couples == attendu.couples, qPrintable(contexte));
                QVERIFY2(repris.couples == attendu.couples, qPrintable(contexte));
                QCOMPARE(obtenu.prete, attendu.prete);
                QCOMPARE(obtenu.maximum, attendu.maximum);
                QCOMPARE(obtenu.position, attendu.position);
                QCOMPARE(repris.position, attendu.position);
                ++comparaisons;
                couples += int(attendu.couples.size());
            }
        }
    }
    qInfo("%d comparisons, %d pairs", comparaisons, couples);
    QVERIFY2(couples > 10 * comparaisons, "the random bases should hold many pairs");
}

void TestRecherche::rapide_comme_simple_mot_seul()
{
    std::mt19937 hasard(99);
    int couples = 0;
    for (int graine = 0; graine < 150; ++graine) {
        const QStringList lignes = base_aleatoire(hasard);
        const wordpairs::BaseMots base(lignes);
        QString mot = wordpairs::mots_de_la_ligne(lignes[int(hasard() % lignes.size())]).value(0);
        if (mot.isEmpty())
            mot = QStringLiteral("abé");
        for (int masque : { 0, 31, int(hasard() % 32) }) {
            const wordpairs::Demande demande{ true, int(mot.size()), mot };
            wordpairs::RechercheSimple simple(base, demande);
            const Issue attendu = termine(simple, filtres_numero(masque));
            wordpairs::RechercheRapide rapide(base, demande);
            const Issue obtenu = termine(rapide, filtres_numero(masque), &hasard);
            QVERIFY2(obtenu.couples == attendu.couples, qPrintable(mot + "\n" + lignes.join('\n')));
            QCOMPARE(obtenu.maximum, attendu.maximum);
            QCOMPARE(obtenu.position, attendu.position);
            couples += int(attendu.couples.size());
        }
    }
    QVERIFY(couples > 100);
}

namespace {

// A real French base: every class, all filters and none, and pauses anywhere in
// class `classe_reprise`. Returns the number of pairs of the straightforward search.
// The straightforward search keeps its scans but remembers their answers here,
// which changes nothing but the time.
int compare_sur_une_base(const wordpairs::BaseMots &base, int classe_reprise)
{
    QHash<QString, bool> memoire;
    const wordpairs::ContientTexte contient = [&](const QString &t) {
        auto r = memoire.constFind(t);
        return r != memoire.cend()
                ? *r
                : *memoire.insert(t, wordpairs::base_contient_simple(base.lignes, t));
    };
    std::mt19937 hasard(3);
    int couples = 0;
    for (int classe = 1; classe <= 20; ++classe) {
        for (const wordpairs::Filtres &filtres : { wordpairs::Filtres{}, aucun }) {
            wordpairs::RechercheSimple simple(base, { false, classe, {} }, contient);
            const Issue attendu = termine(simple, filtres);
            wordpairs::RechercheRapide rapide(base, { false, classe, {} });
            const Issue obtenu =
                    termine(rapide, filtres, classe == classe_reprise ? &hasard : nullptr);
            if (obtenu.couples != attendu.couples || obtenu.position != attendu.position) {
                qWarning("classe %d, filtres %s: %d lignes au lieu de %d", classe,
                         filtres == aucun ? "aucun" : "tous", int(obtenu.couples.size()),
                         int(attendu.couples.size()));
                return -1;
            }
            couples += int(attendu.couples.size());
        }
    }
    return couples;
}

// Every pair the participle filter rejects on a base, for all filters against
// all but that one: the filter has work there.
int rejets_participes(const wordpairs::BaseMots &base, int classe)
{
    wordpairs::Filtres sans = wordpairs::Filtres{};
    sans.participes = false;
    wordpairs::RechercheRapide avec_filtre(base, { false, classe, {} });
    wordpairs::RechercheRapide sans_filtre(base, { false, classe, {} });
    return int(termine(sans_filtre, sans).couples.size())
            - int(termine(avec_filtre, wordpairs::Filtres{}).couples.size());
}

} // namespace

// 382 lines of the real base kept beside this test (classes 1 to 6 whole, the first
// lines of classes 7 and 8): the cases run in every checkout.
void TestRecherche::rapide_comme_simple_petite_base()
{
    const QString chemin = QFINDTESTDATA("petite_base.txt");
    QVERIFY2(!chemin.isEmpty(), "tests/wordpairs/petite_base.txt is missing");
    const wordpairs::BaseMots base(platform::lire_lignes(chemin));
    QCOMPARE(base.nb_lignes(), 382);
    const int couples = compare_sur_une_base(base, 7);
    QVERIFY2(couples >= 0, "the fast search differs from the straightforward one (see above)");
    QVERIFY2(couples > 1000, qPrintable(QString::number(couples)));
    QVERIFY2(rejets_participes(base, 7) > 0,
             "the participle filter should reject pairs of class 7");
}

// The same on the larger base of the shared data, when it is there.
void TestRecherche::rapide_comme_simple_tout_petit()
{
    const QString chemin = chemin_partage("tout-petit.txt");
    if (!QFile::exists(chemin))
        QSKIP(qPrintable("pas de base " + chemin + " (the small base's case ran)"));
    const int couples = compare_sur_une_base(wordpairs::BaseMots(platform::lire_lignes(chemin)), 8);
    QVERIFY2(couples >= 0, "the fast search differs from the straightforward one (see above)");
    QVERIFY(couples > 10000);
}

QTEST_APPLESS_MAIN(TestRecherche)
#include "test_recherche.moc"
