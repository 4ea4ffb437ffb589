// What the fuzz targets and the bad-input matrix found, each held by a test that
// names the fault and where it was mended.
#include "banc_matrice.h"
#include "music/groupe_musical.h"
#include "music/incongruite.h"
#include "music/melodie.h"
#include "platform/application.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "platform/hasard.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#if defined(__SANITIZE_ADDRESS__)
#  include <sanitizer/lsan_interface.h>
#endif

using namespace fantrel;
using namespace matrice;

class TestTrouvailles : public QObject
{
    Q_OBJECT
private slots:
    // Mended in platform/.
    void reels_hors_de_portee_data();
    void reels_hors_de_portee();
    void second_bom_garde();
    // Mended in app/, wordpairs/ and music/.
    void reglage_hors_simple_precision_se_relit_data();
    void reglage_hors_simple_precision_se_relit();
    void liste_illisible_garde_les_paires();
    void base_illisible_garde_la_liste_logiciel();
    void erreur_d_un_bouton_sans_fuite();
    void decalage_au_hasard_hors_d_un_decalage_data();
    void decalage_au_hasard_hors_d_un_decalage();
    void melodies_enregistrees_telles_quelles();
};

// The order of magnitude, not the exponent's sign, tells a real too small for a
// double (read as 0) from one too large (refused).
void TestTrouvailles::reels_hors_de_portee_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("valide");
    QTest::newRow("400 zéros après la virgule") << "0," + QString(400, u'0') + "1" << true;
    QTest::newRow("400 zéros, négatif") << "-0," + QString(400, u'0') + "1" << true;
    QTest::newRow("très petit avec exposant positif") << "0," + QString(400, u'0') + "1E10" << true;
    QTest::newRow("400 chiffres et un exposant négatif")
            << "1" + QString(400, u'0') + "E-5" << false;
    QTest::newRow("400 chiffres") << "1" + QString(400, u'0') << false;
    QTest::newRow("exposant énorme négatif") << "5E-99999999999999999999" << true;
}

void TestTrouvailles::reels_hors_de_portee()
{
    QFETCH(QString, texte);
    QFETCH(bool, valide);
    try {
        QCOMPARE(platform::vers_reel(texte, u','), 0.0);
        QVERIFY2(valide, "a real beyond a double's range was read");
    } catch (const platform::ErreurExecution &e) {
        QVERIFY2(!valide, qPrintable(e.message().left(80)));
    }
}

void TestTrouvailles::second_bom_garde()
{
    QCOMPARE(platform::decode_texte("\xEF\xBB\xBF\xEF\xBB\xBFp\xC3\xA9"),
             QString(QChar(0xFEFF)) + QStringLiteral("pé"));
    QCOMPARE(platform::decode_texte("\xEF\xBB\xBFp\xC3\xA9"), QStringLiteral("pé"));
}

// app/param_lignes.cpp: a colour component beyond single precision ("1E39") read as
// an infinite value, which the settings file then stored as "INF" and refused at the
// next reading (the lines after it lost). LignesParam::reel now refuses a real whose
// single-precision value would be infinite, with the usual box; the largest float,
// as the file writes it, still reads.
void TestTrouvailles::reglage_hors_simple_precision_se_relit_data()
{
    QTest::addColumn<QString>("rouge");
    QTest::addColumn<bool>("refuse");
    QTest::newRow("1E39") << "1E39" << true;
    QTest::newRow("-1E39") << "-1E39" << true;
    QTest::newRow("à mi-chemin de l'infini") << "3,4028235678E38" << true;
    QTest::newRow("le plus grand float écrit") << "3,40282346638529E38" << false;
    QTest::newRow("le plus grand float, point") << "-3.40282346638529E38" << false;
}

void TestTrouvailles::reglage_hors_simple_precision_se_relit()
{
    QFETCH(QString, rouge);
    QFETCH(bool, refuse);
    Banc b;
    platform::ecrire_lignes(b.chemin(QStringLiteral("param.ini")),
                            { ".\\machin.liste_fantrel", "30 ms", "#####", "64", "64", rouge, "0",
                              "0,5", "15780518", "&&&&&&&&&&&", "67", "33", "33", "############",
                              "67", "2", "+1/2" });
    b.erreurs.clear();
    b.form->reglages->BitBtn3->click(); // Cancel reads the file
    if (refuse)
        QCOMPARE(b.erreurs, QStringList{ platform::erreur_reel(rouge).message() });
    else
        QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join(u'\n')));
    b.erreurs.clear();
    b.form->Sauverlesparamtres1->trigger();
    b.form->reglages->BitBtn3->click();
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join(u'\n')));
}

// app/demarrage.cpp, TForm1::ouvrir: the counters and the pair table were emptied
// before the file was read, so a list that could not be opened left the previous
// list shown but every trial of the run empty. The file is now read first.
void TestTrouvailles::liste_illisible_garde_les_paires()
{
    Banc b;
    const QVector<trials::Couple> avant = b.form->etat.liste_mots;
    b.fichier_dialogue = b.chemin(QStringLiteral("absente.liste_fantrel"));
    b.form->Ouvrirunexercice1->trigger();
    QCOMPARE(b.erreurs.size(), 1);
    QVERIFY2(!b.form->etat.liste_mots.isEmpty() && !b.form->etat.liste_mots[0].mot1.isEmpty(),
             "a list that could not be opened emptied the pairs of the loaded one");
    QCOMPARE(b.form->etat.liste_mots.size(), avant.size());
}

// wordpairs/fenetre_couples_recherche.cpp, BitBtn1Click: the software's list was
// emptied before the base was read, so a missing tout.txt lost the pairs found (and
// not saved). The base is now read first.
void TestTrouvailles::base_illisible_garde_la_liste_logiciel()
{
    Banc b;
    wordpairs::TForm_choix_mots &f = *b.fenetres->Form_choix_mots;
    f.Memo1->remplace_tout({ QStringLiteral("chat  chas"), QStringLiteral("fier  fiel") });
    f.liste_logiciel_a_sauver = true;
    QFile::remove(b.chemin(QStringLiteral("tout.txt")));
    f.BitBtn1->setFocus();
    platform::proteger([&] { f.BitBtn1Click(); });
    QCOMPARE(b.erreurs.size(), 1);
    QCOMPARE(f.Memo1->lignes(), QStringList({ "chat  chas", "fier  fiel" }));
}

// wordpairs/fenetre_couples.cpp: the window's buttons were connected with connect(),
// not relie(): an error of their handler (a file that cannot be read or written)
// unwound through Qt's widget code, which is built without exceptions, and what its
// frames held leaked at every such click. They are now connected through relie().
void TestTrouvailles::erreur_d_un_bouton_sans_fuite()
{
#if defined(__SANITIZE_ADDRESS__)
    Banc b;
    wordpairs::TForm_choix_mots &f = *b.fenetres->Form_choix_mots;
    Banc::montre(&f);
    if (__lsan_do_recoverable_leak_check() != 0)
        QSKIP("leaks before the click (run with the leak suppressions of scripts/lsan.supp)");
    b.fichier_dialogue = b.chemin(QStringLiteral("absent.select_log"));
    QTest::mouseClick(f.SpeedButton2, Qt::LeftButton);
    QCOMPARE(b.erreurs.size(), 1);
    QVERIFY2(__lsan_do_recoverable_leak_check() == 0,
             "an error box after a click leaked (see the report above)");
#else
    QSKIP("needs the leak checker (AddressSanitizer build)");
#endif
}

// music/incongruite.cpp, insere_au_hasard: a draw that landed on the "-" of a
// descending shift whose ")" stands more than five characters on, or after a shift
// left open, was kept, and the inserted shift broke the melody ("'(+1' n'est pas une
// valeur entière correcte" ended the test). position_tiree now draws again unless
// the token that ends at the landing place is a note without shift.
void TestTrouvailles::decalage_au_hasard_hors_d_un_decalage_data()
{
    QTest::addColumn<QString>("notes");
    QTest::newRow("décalage descendant écrit long")
            << "cdo2 cré2 nmi3(-10/12) cfa2 cso2 cla2 csi2 ";
    QTest::newRow("décalage ouvert") << "cdo2 cré2 cla2(+1/2 cfa2 cso2 cla2 csi2 ";
}

void TestTrouvailles::decalage_au_hasard_hors_d_un_decalage()
{
    QFETCH(QString, notes);
    QVERIFY(music::analyse_notes(notes).size() == 7);
    for (std::uint64_t graine = 0; graine < 200; ++graine) {
        platform::Hasard hasard;
        hasard.graine(graine);
        const QString joue = music::insere_au_hasard(notes, QStringLiteral("(+1/2)"), hasard);
        try {
            QCOMPARE(music::analyse_notes(joue).size(), 7);
        } catch (const platform::ErreurExecution &e) {
            QFAIL(qPrintable(joue + QStringLiteral(" → ") + e.message()));
        }
    }
}

// music/groupe_musical.cpp, GroupeMusical::sauve: the editor's text was taken with
// toPlainText(), which turns no-break spaces into spaces: opening and saving a melody
// file changed its bytes. The raw text is saved now.
void TestTrouvailles::melodies_enregistrees_telles_quelles()
{
    Banc b;
    // No line end after the last line: the editor keeps none either.
    const QByteArray octets = "Au clair\xA0"
                              "de la lune,320,ndo3 nr\xE9"
                              "3\r\nFr\xE8re\xA0Jacques,160,ndo3";
    QFile f(b.chemin(QStringLiteral("airs.mus")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
    f.close();
    b.fichier_dialogue = f.fileName();
    b.form->groupe_musical->SpeedButton7->click();
    b.fichier_dialogue = b.chemin(QStringLiteral("copie.mus"));
    b.form->groupe_musical->SpeedButton8->click();
    QVERIFY(b.erreurs.isEmpty());
    QFile copie(b.fichier_dialogue);
    QVERIFY(copie.open(QIODevice::ReadOnly));
    QCOMPARE(copie.readAll(), octets);
}

FANTREL_TEST_MAIN(TestTrouvailles)
#include "test_trouvailles.moc"
