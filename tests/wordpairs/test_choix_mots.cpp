// The word-pair window, search side: its controls, the class search and the
// single-word search through the window, STOP / REPRENDRE, the errors.
#include "fenetre_essai.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "wordpairs/recherche_simple.h"
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <random>

using namespace fantrel;

namespace {

// A class of many lines over few letters, so that a search takes many slices.
QStringList base_dense(int nb_lignes, unsigned graine)
{
    std::mt19937 hasard(graine);
    QStringList lignes{ "ab ab", "abc abc" };
    for (int k = 0; k < nb_lignes; ++k) {
        QStringList mots;
        for (int m = 0; m < 3; ++m) {
            QString mot;
            for (int l = 0; l < 4; ++l)
                mot += QChar(u'a' + int(hasard() % 3));
            mots << mot;
        }
        lignes << "cles " + mots.join(' ');
    }
    lignes << "ab ab";
    return lignes;
}

QStringList reference(const QStringList &base, int longueur, const wordpairs::Filtres &filtres)
{
    wordpairs::RechercheSimple simple(wordpairs::BaseMots(base), { false, longueur, {} });
    simple.definir_filtres(filtres);
    while (!simple.avance(1'000'000)) { }
    return simple.prend_couples();
}

constexpr wordpairs::Filtres aucun{ false, false, false, false, false };

} // namespace

class TestChoixMots : public QObject
{
    Q_OBJECT
private slots:
    void etat_initial();
    void boutons_longueur_au_premier_top();
    void recherche_classe_data();
    void recherche_classe();
    void progression_m_moins_un_sur_m();
    void aucun_bouton_coche();
    void couple_deja_choisi_marque();
    void mot_seul_par_entree();
    void mot_plus_long_que_quinze();
    void stop_et_reprendre();
    void stop_mot_seul_termine();
    void nouvelle_recherche_apres_pause();
    void bitbtn2_suit_le_champ_et_la_recherche();
    void base_introuvable();
};

void TestChoixMots::etat_initial()
{
    FenetreEssai f;
    QCOMPARE(f->windowTitle(), QStringLiteral("Choix des couples de mots"));
    QVERIFY(f->BitBtn1->isEnabled());
    QVERIFY(f->BitBtn1->isDefault());
    QVERIFY(!f->BitBtn2->isEnabled());
    QVERIFY(!f->STOP->isEnabled());
    QCOMPARE(f->STOP->text(), QStringLiteral("STOP"));
    QCOMPARE(f->Check_s->text(), QStringLiteral("Sans les mots avec S final  différents"));
    for (QCheckBox *c :
         { f->Check_s, f->Check_accent, f->check_non_der, f->check_non_prem, f->Check_participes })
        QVERIFY2(c->isChecked(), qPrintable(c->objectName()));
    QCOMPARE(f->ProgressBar1->maximum(), 100);
    QCOMPARE(f->ProgressBar1->value(), 0);
    QVERIFY(!f->Label4->isVisible());
    QVERIFY(!f->Label6->isVisible());
    QCOMPARE(f->Lab_prem_mot->text(), QStringLiteral("Début"));
    QVERIFY(f->Memo1->isReadOnly());
    QVERIFY(!f->Memo3->isReadOnly());
    QVERIFY(f->findChild<QAction *>("Sauver1"));
    QCOMPARE(f->Sauver1->text(), QStringLiteral("Sauver les mots trouvés"));
}

// Made by the timer's first tick, about a second after the window is created.
void TestChoixMots::boutons_longueur_au_premier_top()
{
    wordpairs::TForm_choix_mots fenetre(QStringLiteral("."));
    QVERIFY(fenetre.Timer_debut->isActive());
    QCOMPARE(fenetre.Timer_debut->interval(), 1000);
    QVERIFY(!fenetre.boutons_longueur[1]);
    QTRY_VERIFY_WITH_TIMEOUT(fenetre.boutons_longueur[15] != nullptr, 3000);
    QVERIFY(!fenetre.Timer_debut->isActive());
    for (int n = 1; n <= 15; ++n) {
        QRadioButton *b = fenetre.boutons_longueur[std::size_t(n)];
        QCOMPARE(b->parent(), fenetre.Group_radio);
        QCOMPARE(b->text(), QString::number(n) + " lettre(s)");
        QCOMPARE(b->geometry().topLeft(), QPoint(5, 20 * n));
        QVERIFY2(b->width() >= b->sizeHint().width(), "the caption should not be cut");
        QCOMPARE(b->property("tag").toInt(), n);
        QCOMPARE(b->isEnabled(), n >= 4);
        QVERIFY(!b->isChecked());
    }
}

void TestChoixMots::recherche_classe_data()
{
    QTest::addColumn<int>("filtre"); // 0: none; 1: Check_s; 3: check_non_der
    QTest::addColumn<QStringList>("couples");
    QTest::newRow("sans filtre") << 0 << QStringList{ "chat  chas" };
    QTest::newRow("S final") << 1 << QStringList{};
    QTest::newRow("dernière lettre") << 3 << QStringList{};
}

void TestChoixMots::recherche_classe()
{
    QFETCH(int, filtre);
    QFETCH(QStringList, couples);
    FenetreEssai f({ "abc abc", "chat chat", "chas chas" });
    f.filtres(false);
    f->Check_s->setChecked(filtre == 1);
    f->check_non_der->setChecked(filtre == 3);
    QSignalSpy fin(&f->recherche(), &wordpairs::RechercheEnTranches::terminee);
    f.cherche_classe(4);
    QTRY_COMPARE(fin.count(), 1);
    QCOMPARE(f->Memo1->lignes(), couples);
    QCOMPARE(f->Lab_prem_mot->text(), QStringLiteral("1"));
    QCOMPARE(f->Lab_fin_mot->text(), QStringLiteral("3")); // the class runs to the end of the base
    QCOMPARE(f->Label4->text(), QString::number(couples.size()) + " couples");
    QVERIFY(f->Label4->isVisible());
    QCOMPARE(f->Lab_fic_tous_les_mots->text(), f.repertoire + "/tout.txt");
    QVERIFY(f->Lab_fic_tous_les_mots->isVisible());
    QCOMPARE(static_cast<QStringListModel *>(f->Memo2->model())->stringList(),
             QStringList({ "abc abc", "chat chat", "chas chas" }));
    QVERIFY(!f->STOP->isEnabled());
    QVERIFY(f->BitBtn1->isEnabled());
    QVERIFY(f->listes().liste_logiciel_a_sauver());
    f.boites_a_jour();
}

void TestChoixMots::progression_m_moins_un_sur_m()
{
    FenetreEssai f(
            { "ab ab", "chat chat", "chas chas", "char char", "chou chou", "ab ab", "chut chut" });
    f.cherche_classe(4);
    QTRY_VERIFY(!f->recherche().en_cours());
    QCOMPARE(f->ProgressBar1->maximum(), 5); // the whole base's lines of class 4, both runs
    QCOMPARE(f->ProgressBar1->value(), 3); // m - 1 outer lines of the first run of m = 4
}

void TestChoixMots::aucun_bouton_coche()
{
    FenetreEssai f({ "chat chat", "chas chas" });
    f->BitBtn1Click();
    QTRY_VERIFY(!f->recherche().en_cours());
    QCOMPARE(f->Lab_prem_mot->text(), QStringLiteral("-1"));
    QCOMPARE(f->Lab_fin_mot->text(), QStringLiteral("-1"));
    QCOMPARE(f->Label4->text(), QStringLiteral("0 couples"));
    QVERIFY(!f->STOP->isEnabled());
}

void TestChoixMots::couple_deja_choisi_marque()
{
    FenetreEssai f({ "chat chat", "chas chas", "char char" });
    f.filtres(false);
    f->listes().remplace_utilisateur({ "chat  char" });
    f.cherche_classe(4);
    QTRY_VERIFY(!f->recherche().en_cours());
    QCOMPARE(f->Memo1->lignes(),
             QStringList({ "chat  chas", "----chat  char------------------", "chas  char" }));
    f.boites_a_jour();
}

// Enter in the word field reaches the default "OK", which hands over to the
// single-word search: lower case A to Z only, its length checked, the whole
// base searched, the caret back after the word.
void TestChoixMots::mot_seul_par_entree()
{
    FenetreEssai f({ "chas chas", "ab ab", "chou chats chaT", "cha chas", "char char chut" });
    f.filtres(false);
    f->boutons_longueur[5]->setChecked(true);
    f->Edit_mot->setFocus();
    QTest::keyClicks(f->Edit_mot, QStringLiteral("CHAT"));
    QVERIFY(f->BitBtn2->isEnabled());
    QTest::keyClick(f->Edit_mot, Qt::Key_Return);
    QTRY_VERIFY(!f->recherche().en_cours());
    QCOMPARE(f->Edit_mot->text(), QStringLiteral("chat"));
    QVERIFY(f->boutons_longueur[4]->isChecked());
    QVERIFY(!f->boutons_longueur[5]->isChecked());
    QCOMPARE(f->Memo1->lignes(),
             QStringList({ "chat  chas", "chat  chaT", "chat  char", "chat  chut" }));
    QCOMPARE(f->ProgressBar1->maximum(), 5);
    QCOMPARE(f->ProgressBar1->value(), 5);
    QCOMPARE(f->focusWidget(), f->Edit_mot);
    QCOMPARE(f->Edit_mot->cursorPosition(), 4);
    QVERIFY(!f->Edit_mot->hasSelectedText());
    QVERIFY(!f->STOP->isEnabled());

    f->Edit_mot->setText(QStringLiteral("ÉTÉ"));
    f->BitBtn2Click();
    QCOMPARE(f->Edit_mot->text(), QStringLiteral("ÉtÉ")); // accented capitals stay
}

void TestChoixMots::mot_plus_long_que_quinze()
{
    const QString mot = QStringLiteral("anticonstitutionnel"); // 19 letters
    FenetreEssai f({ "anticonstitutionnel anticonstitutionnels", "x y",
                     "abcdefghijklmnopqrs anticonstitutionnal" });
    f.filtres(false);
    f->Edit_mot->setText(mot);
    f->BitBtn2Click();
    QTRY_VERIFY(!f->recherche().en_cours());
    for (int n = 1; n <= 15; ++n)
        QVERIFY(!f->boutons_longueur[std::size_t(n)]->isChecked());
    QCOMPARE(f->Memo1->lignes(), QStringList{ "anticonstitutionnel  anticonstitutionnal" });
}

// Paused and taken up again several times at arbitrary places, the search lists
// exactly what it lists in one go, and the bar ends at m - 1 of m.
void TestChoixMots::stop_et_reprendre()
{
    const QStringList base = base_dense(120, 5);
    FenetreEssai f(base);
    f.filtres(false);
    f->recherche().definir_budget_tranche(3);
    f.cherche_classe(4);
    QVERIFY(f->recherche().en_cours());
    QVERIFY(f->STOP->isEnabled());
    QVERIFY(!f->BitBtn1->isEnabled());
    std::mt19937 hasard(11);
    int pauses = 0;
    while (f->recherche().en_cours()) {
        for (int k = int(hasard() % 6); k > 0 && f->recherche().en_cours(); --k)
            QTest::qWait(1);
        if (!f->recherche().en_cours())
            break;
        QTest::mouseClick(f->STOP, Qt::LeftButton);
        if (!f->recherche().en_pause())
            break; // the pause found the search at its end
        ++pauses;
        QCOMPARE(f->STOP->text(), QStringLiteral("REPRENDRE"));
        QVERIFY(f->STOP->isEnabled());
        QVERIFY(f->BitBtn1->isEnabled());
        QCOMPARE(f->Label4->text(), QString::number(f->Memo1->nb_lignes()) + " couples");
        const int avant = f->Memo1->nb_lignes();
        QTest::qWait(20);
        QCOMPARE(f->Memo1->nb_lignes(), avant); // nothing moves while paused
        QTest::mouseClick(f->STOP, Qt::LeftButton);
        QCOMPARE(f->STOP->text(), QStringLiteral("STOP"));
        QVERIFY(!f->BitBtn1->isEnabled());
    }
    QTRY_VERIFY_WITH_TIMEOUT(!f->recherche().en_cours(), 60000);
    QVERIFY2(pauses >= 3, "the search should have been paused several times");
    QCOMPARE(f->Memo1->lignes(), reference(base, 4, aucun));
    f.boites_a_jour();
    QCOMPARE(f->ProgressBar1->maximum(), 120);
    QCOMPARE(f->ProgressBar1->value(), 119);
    QVERIFY(!f->STOP->isEnabled());
    QCOMPARE(f->STOP->text(), QStringLiteral("STOP"));
}

void TestChoixMots::stop_mot_seul_termine()
{
    FenetreEssai f(base_dense(300, 6));
    f.filtres(false);
    f->recherche().definir_budget_tranche(1);
    f->Edit_mot->setText(QStringLiteral("abca"));
    f->BitBtn2Click();
    QVERIFY(f->recherche().en_cours());
    QTest::mouseClick(f->STOP, Qt::LeftButton);
    QVERIFY(!f->recherche().en_cours());
    QVERIFY(!f->STOP->isEnabled());
    QCOMPARE(f->STOP->text(), QStringLiteral("STOP"));
    QVERIFY(f->BitBtn1->isEnabled());
    QVERIFY(f->ProgressBar1->value() < f->ProgressBar1->maximum());
}

void TestChoixMots::nouvelle_recherche_apres_pause()
{
    const QStringList base = base_dense(60, 7);
    FenetreEssai f(base);
    f.filtres(false);
    f->recherche().definir_budget_tranche(1);
    f.cherche_classe(4);
    QTest::qWait(5);
    f->STOPClick();
    QVERIFY(f->recherche().en_pause());
    f->recherche().definir_budget_tranche(0);
    f->BitBtn1->setFocus();
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QTRY_VERIFY(!f->recherche().en_cours());
    QCOMPARE(f->Memo1->lignes(), reference(base, 4, aucun));
    QVERIFY(!f->STOP->isEnabled());
}

// Any key or press in the word field enables its "OK", a press on a length
// button disables it, and a running search keeps it disabled.
void TestChoixMots::bitbtn2_suit_le_champ_et_la_recherche()
{
    FenetreEssai f(base_dense(60, 8));
    QTest::mouseClick(f->Edit_mot, Qt::LeftButton);
    QVERIFY(f->BitBtn2->isEnabled());
    QTest::mouseClick(f->boutons_longueur[4], Qt::LeftButton);
    QVERIFY(!f->BitBtn2->isEnabled());
    QVERIFY(f->boutons_longueur[4]->isChecked());
    f->recherche().definir_budget_tranche(1);
    f->BitBtn1->setFocus();
    f->BitBtn1Click();
    QVERIFY(f->recherche().en_cours());
    QTest::keyClick(f->Edit_mot, Qt::Key_A);
    QVERIFY(!f->BitBtn2->isEnabled());
    f->recherche().definir_budget_tranche(0);
    QTRY_VERIFY(!f->recherche().en_cours());
    QVERIFY(f->BitBtn2->isEnabled());
}

void TestChoixMots::base_introuvable()
{
    FenetreEssai f;
    f->listes().remplace_logiciel({ "chat  chas" });
    f->boutons_longueur[4]->setChecked(true);
    f->BitBtn1->setFocus();
    try {
        f->BitBtn1Click();
        QFAIL("a missing word base should raise the file error");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), platform::erreur_ouverture(f.repertoire + "/tout.txt").message());
    }
    QCOMPARE(f->Memo1->lignes(), QStringList{ "chat  chas" }); // the pairs found before stay
    QVERIFY(f->BitBtn1->isEnabled());
    QVERIFY(!f->STOP->isEnabled());
    f->Edit_mot->setText(QStringLiteral("CHAT"));
    QVERIFY_THROWS_EXCEPTION(platform::ErreurExecution, f->BitBtn2Click());
    QCOMPARE(f->Edit_mot->text(), QStringLiteral("CHAT"));
}

FANTREL_TEST_MAIN(TestChoixMots)
#include "test_choix_mots.moc"
