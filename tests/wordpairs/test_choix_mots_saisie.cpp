// The word-pair window, the user's list typed into: the data follows the box line
// for line (typing, pasting, cutting, undoing, between double-click moves), typing
// counts as a change, and lines that hold a line break stand as the box shows them.
#include "fenetre_essai.h"
#include "platform/application.h"
#include <random>

using namespace fantrel;

namespace {

const QStringList trouves{ "chat  chas", "bal  bas", "pâte  pâle", "mot  mat", "sol  sel" };

} // namespace

class TestChoixMotsSaisie : public QObject
{
    Q_OBJECT
private slots:
    void saisie_dans_la_liste_utilisateur();
    void saisie_suivie_par_les_donnees();
    void lignes_coupees_comme_dans_la_boite();
};

// Typing into the user's list changes it as much as a double-click does: the
// closing question must not let it go unsaved.
void TestChoixMotsSaisie::saisie_dans_la_liste_utilisateur()
{
    FenetreEssai f;
    QVERIFY(!f->listes().liste_modifiee());
    f->Memo3->setFocus();
    QTest::keyClicks(f->Memo3, QStringLiteral("lac  lit"));
    QVERIFY(f->listes().liste_modifiee());
    QCOMPARE(f->Memo3->lignes(), QStringList{ "lac  lit" });
    QCOMPARE(f->listes().utilisateur(), QStringList{ "lac  lit" });
    QTest::keyClick(f->Memo3, Qt::Key_Return);
    QTest::keyClicks(f->Memo3, QStringLiteral("mot  mat"));
    QCOMPARE(f->listes().utilisateur(), QStringList({ "lac  lit", "mot  mat" }));
}

// Whatever the user types, pastes, cuts or undoes in his list, between moves made
// by double-clicks, the data follows line for line: the moves act on the lines
// the box shows, and a save writes them.
void TestChoixMotsSaisie::saisie_suivie_par_les_donnees()
{
    FenetreEssai f;
    Coutures seams;
    f->listes().remplace_logiciel(trouves);
    const QStringList morceaux{
        "a", "chat  chas", "\n", "mot  mat\nsol", "\n\n", "é", "bal  bas\n"
    };
    QTextDocument *doc = f->Memo3->document();
    std::mt19937 hasard(17);
    int deplacements = 0;
    for (int k = 0; k < 400; ++k) {
        const int bout = doc->characterCount() - 1;
        QTextCursor curseur(doc);
        curseur.setPosition(int(hasard() % unsigned(bout + 1)));
        curseur.setPosition(int(hasard() % unsigned(bout + 1)), QTextCursor::KeepAnchor);
        switch (hasard() % 6) {
        case 0:
            curseur.removeSelectedText();
            break;
        case 1:
        case 2:
            curseur.insertText(morceaux[int(hasard() % morceaux.size())]);
            break;
        case 3:
            f->Memo3->undo();
            break;
        case 4:
            FenetreEssai::double_clic(f->Memo1, int(hasard() % 5));
            ++deplacements;
            break;
        case 5:
            if (f->Memo3->nb_lignes() > 0 && f->Memo3->nb_lignes() < 12) {
                FenetreEssai::double_clic(f->Memo3,
                                          int(hasard() % unsigned(f->Memo3->nb_lignes())));
                ++deplacements;
            }
            break;
        }
        QVERIFY2(f->listes().utilisateur() == f->Memo3->lignes(),
                 qPrintable(QStringLiteral("après l'étape %1: %2 / %3")
                                    .arg(k)
                                    .arg(f->listes().utilisateur().join('|'),
                                         f->Memo3->lignes().join('|'))));
        QCOMPARE(f->listes().nb_utilisateur(), f->Memo3->nb_lignes());
    }
    QVERIFY(deplacements > 50);
    f.boites_a_jour();
    seams.fichier = f.repertoire + "/tape.liste_fantrel";
    f->Speed_sauve_selectClick();
    QCOMPARE(platform::lire_lignes(seams.fichier), f->Memo3->lignes());
}

// Lines that hold a line break, read from a file or given whole, stand in the data
// as the box shows them: as several lines.
void TestChoixMotsSaisie::lignes_coupees_comme_dans_la_boite()
{
    FenetreEssai f;
    const QStringList lignes{ "a\r\nb", "c\rd", "e\nf", QStringLiteral("g\u2029h"), "", "" };
    f->listes().remplace_utilisateur(lignes);
    f->listes().remplace_logiciel(lignes);
    f.boites_a_jour();
    QCOMPARE(f->listes().utilisateur(),
             QStringList({ "a", "b", "c", "d", "e", "f", "g", "h", "" }));
    f->listes().ajoute_trouves({ "i\nj" });
    f.boites_a_jour();
    FenetreEssai::double_clic(f->Memo1, 9);
    f.boites_a_jour();
    QCOMPARE(f->listes().utilisateur().last(), QStringLiteral("i"));
}

FANTREL_TEST_MAIN(TestChoixMotsSaisie)
#include "test_choix_mots_saisie.moc"
