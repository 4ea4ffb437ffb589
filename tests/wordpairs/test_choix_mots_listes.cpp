// The word-pair window, lists side: double-clicks both ways, the "Sélection"
// buttons, the three files and their round trips, the questions before unsaved
// work is lost (answered through the seams).
#include "fenetre_essai.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/interactions.h"
#include "trials/liste_exercice.h"
#include "wordpairs/listes_selection.h"
#include <QFile>
#include <QLabel>
#include <QToolButton>

using namespace fantrel;

namespace {

const QStringList trouves{ "chat  chas", "bal  bas", "pâte  pâle", "mot  mat", "sol  sel" };

} // namespace

class TestChoixMotsListes : public QObject
{
    Q_OBJECT
private slots:
    void double_clics_aller_retour();
    void clic_a_droite_de_la_ligne();
    void retour_ne_touche_pas_une_paire_plus_longue();
    void boutons_selection_data();
    void boutons_selection();
    void sauver_liste_utilisateur();
    void lire_liste_utilisateur_data();
    void lire_liste_utilisateur();
    void select_log_aller_retour();
    void lire_select_log_questions_data();
    void lire_select_log_questions();
    void sauver_mots_trouves();
    void fermeture_data();
    void fermeture();
    void ecriture_impossible();
};

void TestChoixMotsListes::double_clics_aller_retour()
{
    FenetreEssai f;
    f->listes().remplace_logiciel(trouves);
    FenetreEssai::double_clic(f->Memo1, 0);
    QCOMPARE(f->Memo1->ligne_retenue().debut, 0);
    QCOMPARE(f->Memo1->ligne_retenue().fin, 10);
    QCOMPARE(f->Memo3->lignes(), QStringList{ "chat  chas" });
    QCOMPARE(f->Label6->text(), QStringLiteral("1 couples"));
    QVERIFY(f->Label6->isVisible());
    QVERIFY(f->listes().liste_modifiee());
    QCOMPARE(f->Memo1->lignes().value(0), wordpairs::marque("chat  chas"));
    QCOMPARE(f->Memo1->textCursor().position(), 0);

    FenetreEssai::double_clic(f->Memo1, 2);
    QCOMPARE(f->Memo1->ligne_retenue().debut,
             33 + 9); // after "----chat  chas------------------\n" and "bal bas\n"
    QCOMPARE(f->Memo3->lignes(), QStringList({ "chat  chas", "pâte  pâle" }));
    QCOMPARE(f->Label6->text(), QStringLiteral("2 couples"));

    // A marked line is not moved again.
    FenetreEssai::double_clic(f->Memo1, 0);
    QCOMPARE(f->Memo3->nb_lignes(), 2);

    f->listes().definir_liste_modifiee(false);
    FenetreEssai::double_clic(f->Memo3, 0);
    QCOMPARE(f->Memo3->ligne_retenue().debut, 0);
    QCOMPARE(f->Memo3->ligne_retenue().fin, 10);
    QCOMPARE(f->Memo3->lignes(), QStringList{ "pâte  pâle" });
    QCOMPARE(f->Label6->text(), QStringLiteral("1 couples"));
    QVERIFY(f->listes().liste_modifiee());
    QCOMPARE(f->Memo1->lignes().value(0), QStringLiteral("chat  chas"));
    FenetreEssai::double_clic(f->Memo3, 0);
    QCOMPARE(f->Label6->text(), QStringLiteral("0 couples"));
    QCOMPARE(f->Memo1->lignes(), trouves);
    f.boites_a_jour();

    // On an empty list: nothing.
    QTest::mouseClick(f->Memo3->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(f->Memo3->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(f->Memo3->nb_lignes(), 0);
}

void TestChoixMotsListes::clic_a_droite_de_la_ligne()
{
    FenetreEssai f;
    f->listes().remplace_logiciel(trouves);
    QTest::mouseClick(f->Memo1->viewport(), Qt::LeftButton, {},
                      FenetreEssai::point_ligne(f->Memo1, 1, true));
    QCOMPARE(f->Memo1->ligne_retenue().debut, 11);
    QCOMPARE(f->Memo1->ligne_retenue().fin, 19);
    QCOMPARE(f->Memo1->textCursor().selectedText(), QStringLiteral("bal  bas"));
}

// Taking "chat  chas" back restores its own line, not the marked line of a pair
// that merely begins with it.
void TestChoixMotsListes::retour_ne_touche_pas_une_paire_plus_longue()
{
    FenetreEssai f;
    f->listes().remplace_logiciel(
            { wordpairs::marque("chat  chas"), wordpairs::marque("chat  chasse") });
    f->listes().remplace_utilisateur({ "chat  chas", "chat  chasse" });
    FenetreEssai::double_clic(f->Memo3, 0);
    QCOMPARE(f->Memo1->lignes(), QStringList({ "chat  chas", wordpairs::marque("chat  chasse") }));
    QCOMPARE(f->Memo3->lignes(), QStringList{ "chat  chasse" });
    f.boites_a_jour();
}

void TestChoixMotsListes::boutons_selection_data()
{
    QTest::addColumn<int>("debut"); // selection in the software's list
    QTest::addColumn<int>("fin");
    QTest::addColumn<QStringList>("choisis");
    // trouves with "pâte  pâle" already chosen; lines start at 0, 11, 20, 31, 40.
    QTest::newRow("milieu de la première au milieu de la quatrième")
            << 3 << 36 << QStringList{ "pâte  pâle", "chat  chas", "bal  bas", "mot  mat" };
    QTest::newRow("curseur seul") << 14 << 14 << QStringList{ "pâte  pâle", "bal  bas" };
    QTest::newRow("ligne marquée seule") << 22 << 24 << QStringList{ "pâte  pâle" };
    QTest::newRow("tout") << 0 << 48
                          << QStringList{ "pâte  pâle", "chat  chas", "bal  bas", "mot  mat",
                                          "sol  sel" };
}

void TestChoixMotsListes::boutons_selection()
{
    QFETCH(int, debut);
    QFETCH(int, fin);
    QFETCH(QStringList, choisis);
    FenetreEssai f;
    QStringList logiciel = trouves;
    logiciel[2] = wordpairs::marque(logiciel[2]);
    f->listes().remplace_logiciel(logiciel);
    f->listes().remplace_utilisateur({ "pâte  pâle" });
    f->listes().definir_liste_modifiee(false);
    QStringList lignes_logiciel = trouves;
    for (int k = 0; k < 5; ++k)
        if (choisis.contains(trouves[k]))
            lignes_logiciel[k] = wordpairs::marque(trouves[k]);
    // Offsets count the marked third line's 22 extra characters.
    const auto decale = [](int place) { return place < 20 ? place : place + 22; };
    f->Memo1->selectionne(decale(debut), decale(fin));
    QTest::mouseClick(f->SpeedButton3, Qt::LeftButton);
    QCOMPARE(f->Memo3->lignes(), choisis);
    QCOMPARE(f->Memo1->lignes(), lignes_logiciel);
    QCOMPARE(f->listes().liste_modifiee(), choisis.size() > 1);
    if (choisis.size() > 1)
        QCOMPARE(f->Label6->text(), QString::number(choisis.size()) + " couples");

    if (choisis.size() < 2)
        return;
    // And back: the lines touched in the user's list, from the second one on.
    const int debut3 = f->Memo3->document()->findBlockByNumber(1).position() + 2;
    f->Memo3->selectionne(debut3, f->Memo3->document()->characterCount() - 1);
    QTest::mouseClick(f->SpeedButton4, Qt::LeftButton);
    QCOMPARE(f->Memo3->lignes(), QStringList{ "pâte  pâle" });
    QCOMPARE(f->Memo1->lignes(), logiciel);
    f.boites_a_jour();
}

// Saved here, the user's list is an exercise list the main window reads:
// word, two spaces, word, CR LF, Windows-1252.
void TestChoixMotsListes::sauver_liste_utilisateur()
{
    FenetreEssai f;
    Coutures seams;
    f->listes().remplace_utilisateur({ "pâte  pâle", "chat  chas$" });
    f->listes().definir_liste_modifiee(true);
    f->Speed_sauve_selectClick();
    QVERIFY(!f->dialogues().sauvegarde_faite());
    QVERIFY(f->listes().liste_modifiee());
    QCOMPARE(seams.enregistrements.size(), 1);
    const platform::OptionsDialogue &o = seams.enregistrements[0];
    QCOMPARE(o.filtre, QStringLiteral("Exercices subliminaux|*.liste_fantrel"));
    QCOMPARE(o.extension_defaut, QStringLiteral("liste_fantrel"));
    QCOMPARE(o.repertoire_initial, f.repertoire);
    QCOMPARE(o.nom_fichier, QStringLiteral("*.liste_fantrel"));
    QVERIFY(o.confirmer_ecrasement);

    seams.fichier = f.repertoire + "/choix.liste_fantrel";
    f->Speed_sauve_selectClick();
    QVERIFY(f->dialogues().sauvegarde_faite());
    QVERIFY(!f->listes().liste_modifiee());
    QCOMPARE(contenu(seams.fichier), QByteArray("p\xE2te  p\xE2le\r\nchat  chas$\r\n"));
    const QStringList relues = platform::lire_lignes(seams.fichier);
    QCOMPARE(relues.size(), 2);
    const trials::Couple premier = fantrel::trials::decoupe_ligne_exercice(relues[0]);
    QCOMPARE(premier.mot1, QStringLiteral("pâte"));
    QCOMPARE(premier.mot2, QStringLiteral("pâle"));
    const trials::Couple second = fantrel::trials::decoupe_ligne_exercice(relues[1]);
    QCOMPARE(second.mot1, QStringLiteral("chas"));
    QCOMPARE(second.mot2, QStringLiteral("chat"));
}

void TestChoixMotsListes::lire_liste_utilisateur_data()
{
    QTest::addColumn<bool>("modifiee");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<bool>("lue");
    QTest::addColumn<int>("nb_enregistrements");
    QTest::newRow("rien à sauver") << false << int(platform::Reponse::Non) << true << 0;
    QTest::newRow("oui: sauve et s'arrête") << true << int(platform::Reponse::Oui) << false << 1;
    QTest::newRow("non: lit") << true << int(platform::Reponse::Non) << true << 0;
    QTest::newRow("boîte fermée: rien") << true << int(platform::Reponse::Annuler) << false << 0;
}

void TestChoixMotsListes::lire_liste_utilisateur()
{
    QFETCH(bool, modifiee);
    QFETCH(int, reponse);
    QFETCH(bool, lue);
    QFETCH(int, nb_enregistrements);
    FenetreEssai f;
    Coutures seams;
    const QString liste = f.repertoire + "/lue.liste_fantrel";
    platform::ecrire_lignes(liste, { "bal  bas", "mot  mat", "zut  zit" });
    f->listes().remplace_logiciel(trouves);
    f->listes().remplace_utilisateur({ "avant  apres" });
    f->Label6->setText(QStringLiteral("1 couples"));
    f->listes().definir_liste_modifiee(modifiee);
    seams.reponse = platform::Reponse(reponse);
    seams.fichier = liste;
    f->Speed_charge_selectClick();
    QCOMPARE(seams.questions,
             modifiee ? QStringList{ "Sauver la liste des mots choisis ?" } : QStringList{});
    QCOMPARE(seams.enregistrements.size(), nb_enregistrements);
    QCOMPARE(seams.ouvertures.size(), lue ? 1 : 0);
    if (lue) {
        QCOMPARE(seams.ouvertures[0].repertoire_initial, f.repertoire);
        QCOMPARE(seams.ouvertures[0].nom_fichier, QStringLiteral("*.liste_fantrel"));
        QCOMPARE(f->Memo3->lignes(), QStringList({ "bal  bas", "mot  mat", "zut  zit" }));
        QCOMPARE(f->Lab_fic_mots_choisis->text(), liste);
        QVERIFY(f->Lab_fic_mots_choisis->isVisible());
        QCOMPARE(f->Memo1->lignes(),
                 QStringList({ "chat  chas", wordpairs::marque("bal  bas"), "pâte  pâle",
                               wordpairs::marque("mot  mat"), "sol  sel" }));
        QCOMPARE(f->listes().liste_modifiee(), modifiee); // a load leaves the flag
        QCOMPARE(f->Label6->text(), QStringLiteral("1 couples"));
        f.boites_a_jour();
    } else {
        QCOMPARE(f->Memo3->lignes(), QStringList{ "avant  apres" });
        QCOMPARE(f->Memo1->lignes(), trouves);
    }
}

// Marks are left out of the ".select_log" file and do not come back with it.
void TestChoixMotsListes::select_log_aller_retour()
{
    FenetreEssai f;
    Coutures seams;
    QStringList logiciel = trouves;
    logiciel[1] = wordpairs::marque(logiciel[1]);
    logiciel << "a--b  c"; // a pair holding "--" is written whole
    f->listes().remplace_logiciel(logiciel);
    f->listes().definir_liste_logiciel_a_sauver(true);
    seams.fichier = f.repertoire + "/trouves.select_log";
    f->SpeedButton1Click();
    QVERIFY(!f->listes().liste_logiciel_a_sauver());
    const platform::OptionsDialogue &o = seams.enregistrements.value(0);
    QCOMPARE(o.filtre, QStringLiteral("Exercices subliminaux|*.select_log"));
    QCOMPARE(o.extension_defaut, QStringLiteral("select_log"));
    QCOMPARE(o.nom_fichier, QStringLiteral("*.select_log"));
    QVERIFY(o.confirmer_ecrasement);
    QCOMPARE(platform::lire_lignes(seams.fichier), trouves + QStringList{ "a--b  c" });
    QVERIFY(contenu(seams.fichier).endsWith("sol  sel\r\na--b  c\r\n"));

    f->listes().remplace_logiciel({});
    f->SpeedButton2Click();
    QCOMPARE(seams.ouvertures.value(0).filtre,
             QStringLiteral("Mots sélectionnés logiciel|*.select_log"));
    QCOMPARE(f->Memo1->lignes(), trouves + QStringList{ "a--b  c" });
    QCOMPARE(f->Lab_fic_mots_selectionnes->text(), seams.fichier);
    QVERIFY(f->Lab_fic_mots_selectionnes->isVisible());
    QVERIFY(seams.questions.isEmpty());
}

void TestChoixMotsListes::lire_select_log_questions_data()
{
    QTest::addColumn<int>("reponse");
    QTest::addColumn<bool>("sauvegarde_acceptee");
    QTest::addColumn<bool>("lue");
    QTest::newRow("oui, sauvegarde faite: lit") << int(platform::Reponse::Oui) << true << true;
    QTest::newRow("oui, sauvegarde annulée: s'arrête")
            << int(platform::Reponse::Oui) << false << false;
    QTest::newRow("non: lit") << int(platform::Reponse::Non) << false << true;
    QTest::newRow("boîte fermée: rien") << int(platform::Reponse::Annuler) << false << false;
}

void TestChoixMotsListes::lire_select_log_questions()
{
    QFETCH(int, reponse);
    QFETCH(bool, sauvegarde_acceptee);
    QFETCH(bool, lue);
    FenetreEssai f;
    Coutures seams;
    const QString a_lire = f.repertoire + "/autre.select_log";
    platform::ecrire_lignes(a_lire, { "lu  la" });
    f->listes().remplace_logiciel(trouves);
    f->listes().definir_liste_logiciel_a_sauver(true);
    seams.reponse = platform::Reponse(reponse);
    // The save dialog, when shown, gets a file or is cancelled; the open dialog gets a_lire.
    seams.remplacement->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
        platform::ResultatDialogue r;
        r.accepte = sauvegarde_acceptee;
        r.nom_fichier = f.repertoire + "/sauve.select_log";
        return r;
    };
    seams.fichier = a_lire;
    f->SpeedButton2Click();
    QCOMPARE(seams.questions, QStringList{ "Sauver la liste logiciel ?" });
    QCOMPARE(QFile::exists(f.repertoire + "/sauve.select_log"), sauvegarde_acceptee);
    QCOMPARE(f->Memo1->lignes(), lue ? QStringList{ "lu  la" } : trouves);
    QCOMPARE(f->listes().liste_logiciel_a_sauver(), !sauvegarde_acceptee);
}

void TestChoixMotsListes::sauver_mots_trouves()
{
    FenetreEssai f;
    Coutures seams;
    QStringList logiciel = trouves;
    logiciel[0] = wordpairs::marque(logiciel[0]);
    f->listes().remplace_logiciel(logiciel);
    f->listes().definir_liste_logiciel_a_sauver(true);
    seams.fichier = f.repertoire + "/trouves.txt";
    QVERIFY(f->Sauver1->isEnabled());
    f->Sauver1->trigger();
    QCOMPARE(seams.enregistrements.value(0).nom_fichier, f.repertoire + "/*.txt");
    QCOMPARE(seams.enregistrements.value(0).repertoire_initial, f.repertoire);
    QCOMPARE(platform::lire_lignes(seams.fichier), logiciel);
    QVERIFY(contenu(seams.fichier).startsWith("----chat  chas------------------\r\n"));
    QVERIFY(f->listes().liste_logiciel_a_sauver());
}

void TestChoixMotsListes::fermeture_data()
{
    QTest::addColumn<bool>("modifiee");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<bool>("sauvegarde_acceptee");
    QTest::addColumn<bool>("fermee");
    QTest::addColumn<bool>("question_posee");
    QTest::newRow("rien à sauver")
            << false << int(platform::Reponse::Oui) << false << true << false;
    QTest::newRow("oui, sauvée") << true << int(platform::Reponse::Oui) << true << true << true;
    QTest::newRow("oui, dialogue annulé")
            << true << int(platform::Reponse::Oui) << false << false << true;
    QTest::newRow("non") << true << int(platform::Reponse::Non) << false << true << true;
    QTest::newRow("boîte fermée") << true << int(platform::Reponse::Annuler) << false << false
                                  << true;
}

void TestChoixMotsListes::fermeture()
{
    QFETCH(bool, modifiee);
    QFETCH(int, reponse);
    QFETCH(bool, sauvegarde_acceptee);
    QFETCH(bool, fermee);
    QFETCH(bool, question_posee);
    FenetreEssai f;
    Coutures seams;
    f->listes().remplace_utilisateur({ "chat  chas" });
    f->listes().definir_liste_modifiee(modifiee);
    seams.reponse = platform::Reponse(reponse);
    if (sauvegarde_acceptee)
        seams.fichier = f.repertoire + "/fin.liste_fantrel";
    f->close();
    QCOMPARE(!f->isVisible(), fermee);
    QCOMPARE(seams.questions,
             question_posee ? QStringList{ "Sauver la liste des mots choisis par l'utilisateur ?" }
                            : QStringList{});
    QCOMPARE(QFile::exists(f.repertoire + "/fin.liste_fantrel"), sauvegarde_acceptee);
    QCOMPARE(f->Memo3->lignes(), QStringList{ "chat  chas" }); // hidden only: the list stays
    QCOMPARE(f->listes().liste_modifiee(), modifiee && !sauvegarde_acceptee);
}

void TestChoixMotsListes::ecriture_impossible()
{
    FenetreEssai f;
    Coutures seams;
    f->listes().remplace_utilisateur({ "chat  chas" });
    f->listes().remplace_logiciel(trouves);
    f->listes().definir_liste_modifiee(true);
    f->listes().definir_liste_logiciel_a_sauver(true);
    seams.fichier = f.repertoire + "/absent/x.liste_fantrel";
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, f->Speed_sauve_selectClick());
    QVERIFY(f->listes().liste_modifiee());
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, f->SpeedButton1Click());
    QVERIFY(f->listes().liste_logiciel_a_sauver());
    seams.fichier = f.repertoire + "/absent.liste_fantrel";
    f->listes().definir_liste_modifiee(false);
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, f->Speed_charge_selectClick());
    QCOMPARE(f->Memo3->lignes(), QStringList{ "chat  chas" });
}

FANTREL_TEST_MAIN(TestChoixMotsListes)
#include "test_choix_mots_listes.moc"
