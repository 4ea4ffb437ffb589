// The reading matrix of the word-pair window's files: the word base tout.txt (read
// by a class search), a software list (".select_log", "Lire" beside the software's
// list) and a user's list ("Lire" beside the user's list), each in every bad case,
// with the window shown, each command run from its button.
#include "lecture.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include "wordpairs/listes_selection.h"
#include "wordpairs/recherche_simple.h"
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QToolButton>
#include <QtTest>

using namespace fantrel;
using namespace matrice;

namespace {

wordpairs::TForm_choix_mots &fenetre(Banc &b)
{
    return *b.fenetres->Form_choix_mots;
}

void attend_fin_recherche(wordpairs::TForm_choix_mots &f)
{
    QElapsedTimer chrono;
    chrono.start();
    while (f.recherche().en_cours() && chrono.elapsed() < 120'000)
        QTest::qWait(10);
}

QStringList paires_classe_4(const QStringList &base)
{
    wordpairs::RechercheSimple r(wordpairs::BaseMots(base), wordpairs::Demande{ false, 4, {} });
    r.definir_filtres({ false, false, false, false, false });
    while (!r.avance(1'000'000)) { }
    return r.prend_couples();
}

// The window shown, every filter off, "4 lettre(s)" checked and searched, so that
// the software's list holds the pairs of the bench's base.
void cherche_sur_la_base_du_banc(Banc &b)
{
    wordpairs::TForm_choix_mots &f = fenetre(b);
    Banc::montre(&f);
    for (QCheckBox *c :
         { f.Check_s, f.Check_accent, f.check_non_der, f.check_non_prem, f.Check_participes })
        c->setChecked(false);
    f.boutons_longueur[4]->setChecked(true);
    f.BitBtn1->setFocus();
    f.BitBtn1->click();
    attend_fin_recherche(f);
}

QString impossible_d_ouvrir(const QString &chemin, Cas)
{
    return platform::erreur_ouverture(chemin).message();
}

QString etiquette(const QLabel *l)
{
    return l->text()
            + (l->isVisibleTo(l->parentWidget()) ? QStringLiteral(" (visible)") : QString());
}

// --- the word base -------------------------------------------------------------

Lecteur lecteur_base()
{
    Lecteur l;
    l.fichier = QStringLiteral("tout.txt");
    l.contenu.lignes = { "pâte pâte pâtes", "pâté pâté pâtés", "écho écho échos",
                         "éché éché",       "ça ça",           "çà çà" };
    l.contenu.lignes_nul = { "ch" + QString(QChar(0)) + "t ch" + QString(QChar(0)) + "t",
                             "chat chat" };
    // Words of seven letters: the search of class 4 has nothing to compare.
    l.contenu.gros = [] {
        return lignes_repetees({ "abaisser abaisse abaissé abaissée", "abandon abandons" });
    };
    l.avant = cherche_sur_la_base_du_banc;
    l.lit = [](Banc &b, const QString &) {
        fenetre(b).BitBtn1->setFocus(); // as the click on it gives
        fenetre(b).BitBtn1->click();
        attend_fin_recherche(fenetre(b));
    };
    l.etat = [](Banc &b) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        const QStringList base = static_cast<QStringListModel *>(f.Memo2->model())->stringList();
        return QStringList{ f.Memo1->lignes().join(u'\n'),
                            base.join(u'\n'),
                            etiquette(f.Lab_fic_tous_les_mots),
                            f.STOP->text() + QString::number(f.STOP->isEnabled()),
                            QString::number(f.BitBtn1->isEnabled()),
                            etiquette(f.Label4),
                            f.Lab_prem_mot->text(),
                            f.Lab_fin_mot->text() };
    };
    l.erreur_ouverture = impossible_d_ouvrir;
    l.verifie = [](Banc &b, const QString &chemin, const QStringList &lignes) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        QVERIFY2(!f.recherche().en_cours(), "the search did not end");
        QCOMPARE(static_cast<QStringListModel *>(f.Memo2->model())->stringList(), lignes);
        QCOMPARE(f.Lab_fic_tous_les_mots->text(), chemin);
        const QStringList paires = paires_classe_4(lignes);
        QCOMPARE(f.Memo1->lignes(), paires);
        QCOMPARE(f.Label4->text(), QString::number(paires.size()) + QStringLiteral(" couples"));
        QVERIFY(f.BitBtn1->isEnabled() && !f.STOP->isEnabled());
    };
    return l;
}

// --- the software's list (".select_log") -----------------------------------------

Lecteur lecteur_select_log()
{
    Lecteur l;
    l.fichier = QStringLiteral("choix.select_log");
    l.contenu.lignes = { "pâte  pâté", "écho  éché", "ça  çà", "----œuf  œil------------------" };
    l.contenu.lignes_nul = { "ch" + QString(QChar(0)) + "t  chat", "fier  fiel" };
    l.contenu.gros = [] { return lignes_repetees({ "pâte  pâté", "écho  éché" }); };
    l.avant = cherche_sur_la_base_du_banc;
    l.lit = [](Banc &b, const QString &chemin) {
        b.fichier_dialogue = chemin;
        fenetre(b).SpeedButton2->click();
    };
    l.etat = [](Banc &b) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        return QStringList{ f.Memo1->lignes().join(u'\n'), etiquette(f.Lab_fic_mots_selectionnes),
                            QString::number(f.listes().liste_logiciel_a_sauver()) };
    };
    l.erreur_ouverture = impossible_d_ouvrir;
    l.erreur_contenu = refus_capacite;
    l.verifie = [](Banc &b, const QString &chemin, const QStringList &lignes) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        QCOMPARE(f.Memo1->lignes(), lignes);
        QCOMPARE(etiquette(f.Lab_fic_mots_selectionnes), chemin + QStringLiteral(" (visible)"));
    };
    return l;
}

// --- the user's list (an exercise list) ----------------------------------------

Lecteur lecteur_liste_utilisateur()
{
    Lecteur l;
    l.fichier = QStringLiteral("mes_mots.liste_fantrel");
    l.contenu.lignes = { "chat  chas", "pâte  pâté", "$été  ôté", "fier  fiel" };
    l.contenu.lignes_nul = { "ch" + QString(QChar(0)) + "t  chat", "chat  chas" };
    l.contenu.gros = [] { return lignes_repetees({ "chat  chas", "pâte  $pâté" }); };
    l.avant = [](Banc &b) {
        cherche_sur_la_base_du_banc(b);
        wordpairs::TForm_choix_mots &f = fenetre(b);
        f.listes().remplace_utilisateur({ QStringLiteral("lac  lit") });
        f.listes().definir_liste_modifiee(false); // as after a save
    };
    l.lit = [](Banc &b, const QString &chemin) {
        b.fichier_dialogue = chemin;
        fenetre(b).Speed_charge_select->click();
    };
    l.etat = [](Banc &b) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        return QStringList{ f.Memo3->lignes().join(u'\n'), f.Memo1->lignes().join(u'\n'),
                            etiquette(f.Lab_fic_mots_choisis), QString::number(f.listes().liste_modifiee()),
                            etiquette(f.Label6) };
    };
    l.erreur_ouverture = impossible_d_ouvrir;
    l.erreur_contenu = refus_capacite;
    l.verifie = [](Banc &b, const QString &chemin, const QStringList &lignes) {
        wordpairs::TForm_choix_mots &f = fenetre(b);
        QCOMPARE(f.Memo3->lignes(), lignes);
        QCOMPARE(etiquette(f.Lab_fic_mots_choisis), chemin + QStringLiteral(" (visible)"));
        QCOMPARE(f.Memo1->lignes(),
                 wordpairs::marque_choisis(paires_classe_4(base_du_banc()), lignes));
    };
    return l;
}

} // namespace

class TestLecturesMots : public QObject
{
    Q_OBJECT
private slots:
    void base_de_mots_data() { lignes_des_cas(); }
    void base_de_mots() { cellule(lecteur_base()); }
    void liste_logiciel_data() { lignes_des_cas(); }
    void liste_logiciel() { cellule(lecteur_select_log()); }
    void liste_utilisateur_data() { lignes_des_cas(); }
    void liste_utilisateur() { cellule(lecteur_liste_utilisateur()); }
};

FANTREL_TEST_MAIN(TestLecturesMots)
#include "test_lectures_mots.moc"
