// Word trials played as a subject would through the main window: the start button,
// the flash through the real timer and view, the answer controls and where they
// stand, the record line and the verdict, a list opened mid-run, the duration bars.
// The trials' own logic, without the window: tests/trials.
#include "banc.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "platform/application.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace fantrel;

namespace {
QStringList lignes_memo(const QPlainTextEdit *memo)
{
    return memo->toPlainText().split(u'\n', Qt::SkipEmptyParts);
}

// Starts a trial and waits for the answer buttons.
void lance_essai(app::TForm1 &f)
{
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(f.commandes->bit_rep1->isVisibleTo(&f)
                                     || f.commandes->Edit_saisie_libre->isVisibleTo(&f),
                             3000);
}

QPushButton *bouton_du_mot(app::TForm1 &f, const QString &mot, bool juste)
{
    const bool gauche = (f.commandes->bit_rep1->text() == mot) == juste;
    return gauche ? f.commandes->bit_rep1 : f.commandes->bit_rep2;
}
} // namespace

class TestEssais : public QObject
{
    Q_OBJECT
private slots:
    void liste_entiere_jusqu_a_plus_de_mots();
    void saisie_libre_enregistree();
    void ouvrir_liste_plus_courte_en_cours();
    void barres_de_duree();
};

void TestEssais::liste_entiere_jusqu_a_plus_de_mots()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    QVERIFY(f.commandes->BitBtn2->isEnabled());
    // The frames presented: with frames drawn ahead, the scene already holds the mask
    // while the word is on screen, so only what was presented tells.
    QStringList presentes;
    f.affichage->observateur_affichage = [&](const QString &t) { presentes << t; };
    for (int essai = 1; essai <= 4; ++essai) {
        presentes.clear();
        lance_essai(f);
        const trials::Couple c = f.etat.couple(essai);
        const QString montre = essai % 2 ? c.mot2 : c.mot1;
        QCOMPARE(f.commandes->lab_mot_aff->text(), montre);
        QCOMPARE(presentes, (QStringList{ montre, f.etat.masque }));
        QTest::mouseClick(bouton_du_mot(f, montre, true), Qt::LeftButton);
        QCOMPARE(f.commandes->Lab_bid->text(), QStringLiteral("Bonne réponse"));
    }
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QVERIFY(!f.commandes->BitBtn2->isEnabled());
    QCOMPARE(lignes_memo(f.groupe_resultats->Memo_enreg_test)
                     .filter(QStringLiteral("Mot affiché="))
                     .size(),
             4);
}

void TestEssais::saisie_libre_enregistree()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.Saisielibre1Click();
    lance_essai(f);
    QVERIFY(f.commandes->Edit_saisie_libre->isVisibleTo(&f));
    QVERIFY(f.commandes->Edit_saisie_libre->text().isEmpty());
    QCOMPARE(f.commandes->Bit_rep3->pos(), QPoint(629, 499));
    const QString montre = f.etat.mots[2];
    // Same word with a capital: wrong, byte for byte.
    QTest::keyClicks(f.commandes->Edit_saisie_libre, montre.left(1).toUpper() + montre.mid(1));
    QTest::keyClick(f.commandes->Edit_saisie_libre, Qt::Key_Return);
    QCOMPARE(f.commandes->Lab_bid->text(), QStringLiteral("Pas bon"));
    QVERIFY(lignes_memo(f.groupe_resultats->Memo_enreg_test)
                    .last()
                    .startsWith(QStringLiteral("Mot affiché=") + montre + " prop=$"));
    QVERIFY(lignes_memo(f.groupe_resultats->Memo_enreg_test)
                    .last()
                    .endsWith(QStringLiteral(" répondu=") + montre.left(1).toUpper()
                              + montre.mid(1)));
    f.Comparaisondemots1Click();
    lance_essai(f);
    QCOMPARE(f.commandes->Bit_rep3->pos(), QPoint(709, 485));
}

void TestEssais::ouvrir_liste_plus_courte_en_cours()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.etat.num_essai = 6;
    platform::ecrire_lignes(b.chemin("courte.txt"), { "$chat  chas", "bus  $bas" });
    b.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &o) {
        [&] { QCOMPARE(o.index_filtre, 1); }();
        return platform::ResultatDialogue{ true, b.chemin("courte.txt"), 1 };
    };
    f.Ouvrirunexercice1Click();
    QCOMPARE(f.etat.nb_couples, 2);
    QCOMPARE(f.reglages->Edit1->text(), QStringLiteral("courte.txt"));
    QCOMPARE(f.etat.num_essai, 6);
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
}

void TestEssais::barres_de_duree()
{
    banc::Banc b;
    auto &f = *b.form;
    f.reglages->Scroll_mot->setValue(50);
    QCOMPARE(f.reglages->Lab_interv_figure->text(), QStringLiteral("50 ms"));
    QCOMPARE(f.morbelle->Async_mot->intervalle(), quint16(50));
    f.reglages->Scroll_timer->setValue(45);
    QCOMPARE(f.reglages->Lab_intervalle_timer->text(), QStringLiteral("45 ms"));
    QCOMPARE(f.korvane->AsyncTimer2->intervalle(), quint16(45));
}

FANTREL_TEST_MAIN(TestEssais)
#include "test_essais.moc"
