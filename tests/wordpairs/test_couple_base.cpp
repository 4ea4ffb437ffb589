// The word base line split and the pair test with its five filters.
#include "wordpairs/base_mots.h"
#include "wordpairs/participes.h"
#include "wordpairs/filtre_couple.h"
#include <QTest>
#include <random>

using namespace fantrel;

namespace {

wordpairs::Filtres aucun_filtre()
{
    return { false, false, false, false, false };
}

// Only filter `numero` (1 to 5, in their order) checked; 0: none.
wordpairs::Filtres seulement(int numero)
{
    wordpairs::Filtres f = aucun_filtre();
    bool *cases[] = { &f.s_final, &f.accent, &f.non_derniere, &f.non_premiere, &f.participes };
    if (numero > 0)
        *cases[numero - 1] = true;
    return f;
}

wordpairs::ContientTexte dans(const QStringList &lignes)
{
    return [lignes](const QString &texte) {
        return wordpairs::base_contient_simple(lignes, texte);
    };
}

} // namespace

class TestCoupleBase : public QObject
{
    Q_OBJECT
private slots:
    void decoupe_data();
    void decoupe();
    void classe_data();
    void classe();
    void bornes_data();
    void bornes();
    void minuscules_data();
    void minuscules();
    void couple_data();
    void couple();
    void participe_seulement_en_dernier();
    void infinitif_data();
    void infinitif();
    void index_participes_comme_un_parcours();
};

void TestCoupleBase::decoupe_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QStringList>("mots");
    QTest::newRow("clé et deux mots") << "chat chat chats" << QStringList{ "chat", "chats" };
    QTest::newRow("sans espace: un mot") << "chat" << QStringList{ "chat" };
    QTest::newRow("deux espaces: mot vide") << "chat a  b" << QStringList{ "a", "", "b" };
    QTest::newRow("espace final") << "chat a " << QStringList{ "a", "" };
    QTest::newRow("clé seule") << "chat " << QStringList{ "" };
    QStringList trente;
    for (int k = 0; k < 30; ++k)
        trente << QString::number(k);
    QTest::newRow("trente mots, pas de limite") << "cle " + trente.join(' ') << trente;
}

void TestCoupleBase::decoupe()
{
    QFETCH(QString, ligne);
    QFETCH(QStringList, mots);
    QCOMPARE(wordpairs::mots_de_la_ligne(ligne), mots);
}

void TestCoupleBase::classe_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<int>("classe");
    QTest::newRow("clé de 4") << "chat chat" << 4;
    QTest::newRow("clé accentuée") << "été été étés" << 3;
    QTest::newRow("sans espace") << "chat" << -1;
    QTest::newRow("ligne vide") << "" << -1;
    QTest::newRow("espace en tête") << " chat" << 0;
}

void TestCoupleBase::classe()
{
    QFETCH(QString, ligne);
    QFETCH(int, classe);
    QCOMPARE(wordpairs::classe_ligne(ligne), classe);
}

void TestCoupleBase::bornes_data()
{
    QTest::addColumn<QList<int>>("classes");
    QTest::addColumn<int>("classe");
    QTest::addColumn<int>("debut");
    QTest::addColumn<int>("fin");
    QTest::newRow("au milieu") << QList<int>{ 3, 4, 4, 5 } << 4 << 1 << 3;
    QTest::newRow("jusqu'à la fin de la base") << QList<int>{ 3, 4, 4 } << 4 << 1 << 3;
    QTest::newRow("une ligne en tête") << QList<int>{ 4, 5 } << 4 << 0 << 1;
    QTest::newRow("absente") << QList<int>{ 3, 5 } << 4 << -1 << -1;
    QTest::newRow("deux séries: la première") << QList<int>{ 4, 4, 5, 4 } << 4 << 0 << 2;
    QTest::newRow("aucun bouton coché") << QList<int>{ 3, -1, 4 } << 0 << -1 << -1;
}

void TestCoupleBase::bornes()
{
    QFETCH(QList<int>, classes);
    QFETCH(int, classe);
    QFETCH(int, debut);
    QFETCH(int, fin);
    const wordpairs::BornesClasse b =
            wordpairs::bornes_classe(std::vector<int>(classes.begin(), classes.end()), classe);
    QCOMPARE(b.debut, debut);
    QCOMPARE(b.fin, fin);
}

void TestCoupleBase::minuscules_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("A à Z") << "CHAT"
                           << "chat";
    QTest::newRow("capitales accentuées gardées") << "ÉTÉ Ça"
                                                  << "ÉtÉ Ça";
    QTest::newRow("mélange") << "ChÂteAU"
                             << "chÂteau";
}

void TestCoupleBase::minuscules()
{
    QFETCH(QString, texte);
    QFETCH(QString, attendu);
    QCOMPARE(wordpairs::minuscules_az(texte), attendu);
}

void TestCoupleBase::couple_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("filtre"); // the one checked filter, 0 for none
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<bool>("accepte");
    const QStringList vide;
    QTest::newRow("chat chas sans filtre") << "chat"
                                           << "chas" << 0 << vide << true;
    QTest::newRow("chat chas: S final") << "chat"
                                        << "chas" << 1 << vide << false;
    QTest::newRow("chat chas: dernière lettre") << "chat"
                                                << "chas" << 3 << vide << false;
    QTest::newRow("bus bas: S final passe") << "bus"
                                            << "bas" << 1 << vide << true;
    QTest::newRow("bal bas: S final") << "bal"
                                      << "bas" << 1 << vide << false;
    QTest::newRow("bas bal: S final, s dehors") << "bas"
                                                << "bal" << 1 << vide << false;
    QTest::newRow("S majuscule ne compte pas") << "baS"
                                               << "bal" << 1 << vide << true;
    QTest::newRow("pâte pote: accent") << "pâte"
                                       << "pote" << 2 << vide << false;
    QTest::newRow("pote pâte: accent côté b") << "pote"
                                              << "pâte" << 2 << vide << false;
    QTest::newRow("pâte pâté: accent") << "pâte"
                                       << "pâté" << 2 << vide << false;
    QTest::newRow("leçon lecon: ç") << "leçon"
                                    << "lecon" << 2 << vide << false;
    QTest::newRow("accent ailleurs passe") << "pâte"
                                           << "pâle" << 2 << vide << true;
    QTest::newRow("bal bas: première lettre passe") << "bal"
                                                    << "bas" << 4 << vide << true;
    QTest::newRow("mal bal: première lettre") << "mal"
                                              << "bal" << 4 << vide << false;
    QTest::newRow("mal bal: dernière passe") << "mal"
                                             << "bal" << 3 << vide << true;
    QTest::newRow("chat chaux: plus court dehors") << "chat"
                                                   << "chaux" << 0 << vide << true;
    QTest::newRow("chats chat: lettre manquante") << "chats"
                                                  << "chat" << 0 << vide << true;
    QTest::newRow("chat chats: aucune différence") << "chat"
                                                   << "chats" << 0 << vide << false;
    QTest::newRow("chats cha: deux manquantes") << "chats"
                                                << "cha" << 0 << vide << false;
    QTest::newRow("deux différences") << "chat"
                                      << "chou" << 0 << vide << false;
    QTest::newRow("mots égaux") << "chat"
                                << "chat" << 0 << vide << false;
    QTest::newRow("mot vide dedans") << "a"
                                     << "" << 0 << vide << false;
    QTest::newRow("mot vide dehors") << ""
                                     << "a" << 0 << vide << false;
    QTest::newRow("casse différente") << "Chat"
                                      << "chat" << 0 << vide << true;
    const QStringList enfer{ "cle mot", "xyz lenferme autre" };
    QTest::newRow("enfant: enfer dans un mot") << "enfant"
                                               << "enfont" << 5 << enfer << false;
    QTest::newRow("enfant: enfer absent") << "enfant"
                                          << "enfont" << 5 << QStringList{ "cle enfe" } << true;
    QTest::newRow("participe côté b") << "enfont"
                                      << "enfant" << 5 << enfer << false;
    QTest::newRow("enfer dans une clé") << "enfant"
                                        << "enfont" << 5 << QStringList{ "enfers x" } << false;
    QTest::newRow("chantante: chanter") << "chantante"
                                        << "chantonte" << 5 << QStringList{ "c chanter" } << false;
    QTest::newRow("participe sans filtre") << "enfant"
                                           << "enfont" << 0 << enfer << true;
    QTest::newRow("ant seul: pas d'infinitif") << "ant"
                                               << "ont" << 5 << QStringList{ "er er" } << true;
}

void TestCoupleBase::couple()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, filtre);
    QFETCH(QStringList, base);
    QFETCH(bool, accepte);
    QCOMPARE(wordpairs::est_couple(a, b, seulement(filtre), dans(base)), accepte);
}

// The base scan is the dear one: it runs only for candidates every other checked
// filter let through.
void TestCoupleBase::participe_seulement_en_dernier()
{
    int questions = 0;
    const wordpairs::ContientTexte compte = [&questions](const QString &) {
        ++questions;
        return false;
    };
    wordpairs::Filtres tous;
    QVERIFY(!wordpairs::est_couple(u"enfant", u"enfans", tous, compte)); // S final
    QVERIFY(!wordpairs::est_couple(u"enfant", u"enfînt", tous, compte)); // accent
    QVERIFY(!wordpairs::est_couple(u"enfant", u"infant", tous, compte)); // first letter
    QVERIFY(!wordpairs::est_couple(u"enfant", u"enfanx", tous, compte)); // last letter
    QCOMPARE(questions, 0);
    QVERIFY(wordpairs::est_couple(u"enfant", u"enfont", tous, compte));
    QCOMPARE(questions, 1);
}

void TestCoupleBase::infinitif_data()
{
    QTest::addColumn<QString>("mot");
    QTest::addColumn<bool>("participe");
    QTest::addColumn<QString>("infinitif");
    QTest::newRow("chantant") << "chantant" << true << "chanter";
    QTest::newRow("chantante") << "chantante" << true << "chanter";
    QTest::newRow("enfant") << "enfant" << true << "enfer";
    QTest::newRow("ant") << "ant" << true << "";
    QTest::newRow("ante") << "ante" << true << "";
    QTest::newRow("chantants") << "chantants" << false << "";
    QTest::newRow("chat") << "chat" << false << "";
}

void TestCoupleBase::infinitif()
{
    QFETCH(QString, mot);
    QFETCH(bool, participe);
    QFETCH(QString, infinitif);
    QCOMPARE(wordpairs::ressemble_participe(mot), participe);
    QCOMPARE(wordpairs::infinitif_de(mot), infinitif);
}

// The index answers as the plain scan does, asked twice (the second answer comes
// from the cache), for texts of every length around the indexed letters.
void TestCoupleBase::index_participes_comme_un_parcours()
{
    std::mt19937 hasard(7);
    const QString lettres = QStringLiteral("aeérntœ"); // œ: beyond the flat table
    auto texte = [&](int longueur) {
        QString t;
        for (int k = 0; k < longueur; ++k)
            t += lettres[int(hasard() % lettres.size())];
        return t;
    };
    for (int graine = 0; graine < 40; ++graine) {
        QStringList lignes;
        const int nb = int(hasard() % 8);
        for (int k = 0; k < nb; ++k)
            lignes << texte(1 + int(hasard() % 4)) + ' ' + texte(int(hasard() % 12));
        wordpairs::IndexParticipes index(lignes);
        for (int q = 0; q < 60; ++q) {
            QString question = texte(int(hasard() % 5));
            if (hasard() % 3)
                question += "er";
            const bool attendu = wordpairs::base_contient_simple(lignes, question);
            QVERIFY2(index.contient(question) == attendu,
                     qPrintable(question + " dans " + lignes.join('|')));
            QCOMPARE(index.contient(question), attendu);
        }
    }
}

QTEST_APPLESS_MAIN(TestCoupleBase)
#include "test_couple_base.moc"
