// Word trials played as a subject would: the start button, the flash through the
// real timer and view, the answer controls, the record line and the verdict.
#include "banc.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "platform/application.h"
#include <QAction>
#include <QElapsedTimer>
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
    void liste_entiere_morbelle();
    void ligne_resultat_et_verdict_data();
    void ligne_resultat_et_verdict();
    void saisie_libre_enregistree();
    void point_d_interrogation_n_ecrit_rien();
    void bouton_test_n_ecrit_rien();
    void exposition_nulle_une_image();
    void ouvrir_liste_plus_courte_en_cours();
    void masques_morbelle_data();
    void masques_morbelle();
    void chaine_morbelle_data();
    void chaine_morbelle();
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

// A whole list in the second paradigm, each chain seen to its end before answering.
void TestEssais::liste_entiere_morbelle()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.Morbelle1Click();
    for (QScrollBar *barre : { f.reglages->Scroll_masque1, f.reglages->Scroll_mot,
                               f.reglages->Scroll_blanc, f.reglages->Scroll_masque2 })
        barre->setValue(10);
    QStringList montres;
    f.affichage->observateur_affichage = [&](const QString &t) { montres << t; };
    for (int essai = 1; essai <= 4; ++essai) {
        montres.clear();
        lance_essai(f);
        QTRY_COMPARE(montres.size(), 5);
        const QString montre = f.commandes->lab_mot_aff->text();
        QCOMPARE(montres,
                 QStringList({ f.etat.masque1, montre, QString(), f.etat.masque2, QString() }));
        for (auto *m : { f.morbelle->Async_masque1, f.morbelle->Async_mot, f.morbelle->Async_blanc,
                         f.morbelle->Async_masque2 })
            QVERIFY(!m->actif());
        QTest::mouseClick(bouton_du_mot(f, montre, true), Qt::LeftButton);
        QCOMPARE(f.commandes->Lab_bid->text(), QStringLiteral("Bonne réponse"));
    }
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
    QCOMPARE(lignes_memo(f.groupe_resultats->Memo_enreg_test)
                     .filter(QStringLiteral("Mot affiché="))
                     .size(),
             4);
}

void TestEssais::ligne_resultat_et_verdict_data()
{
    QTest::addColumn<bool>("juste");
    QTest::newRow("bonne réponse") << true;
    QTest::newRow("mauvaise réponse") << false;
}

void TestEssais::ligne_resultat_et_verdict()
{
    QFETCH(bool, juste);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    for (int essai = 1; essai <= 2; ++essai) {
        lance_essai(f);
        const QString m1 = f.etat.mots[1], m2 = f.etat.mots[2];
        const QString montre = essai == 1 ? m2 : m1;
        const QString prop =
                f.commandes->bit_rep1->text() == m1 ? "$" + m1 + " " + m2 : m2 + " $" + m1;
        QPushButton *clic = bouton_du_mot(f, montre, juste);
        const QString repondu = clic->text();
        QTest::mouseClick(clic, Qt::LeftButton);
        QCOMPARE(lignes_memo(f.groupe_resultats->Memo_enreg_test).last(),
                 QStringLiteral("Mot affiché=") + montre + " prop=" + prop
                         + QStringLiteral(" répondu=") + repondu);
        QCOMPARE(f.etat.bonne_reponse, juste);
        QCOMPARE(f.commandes->Lab_bid->text(),
                 juste ? QStringLiteral("Bonne réponse") : QStringLiteral("Pas bon"));
        QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
        QVERIFY(f.commandes->BitBtn2->isVisibleTo(&f));
    }
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

void TestEssais::point_d_interrogation_n_ecrit_rien()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    const QString avant = f.groupe_resultats->Memo_enreg_test->toPlainText();
    const results::TableauResultats &tableau = *b.fenetres->tableau;
    const auto comptes = tableau.compte_test();
    const auto rangee = tableau.rangee(1).comptes();
    for (int essai = 1; essai <= 4; ++essai) {
        lance_essai(f);
        QTest::mouseClick(f.commandes->Bit_rep3, Qt::LeftButton);
    }
    QCOMPARE(f.groupe_resultats->Memo_enreg_test->toPlainText(), avant);
    QCOMPARE(tableau.compte_test(), comptes);
    QCOMPARE(tableau.rangee(1).comptes(), rangee);
    QCOMPARE(b.informations, QStringList{ "Plus de mots" });
}

void TestEssais::bouton_test_n_ecrit_rien()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    const QString avant = f.groupe_resultats->Memo_enreg_test->toPlainText();
    QStringList montres;
    f.affichage->observateur_affichage = [&](const QString &t) { montres << t; };
    f.SpeedButton2Click();
    QTRY_COMPARE(montres.size(), 2);
    bool ok = false;
    const int nombre = montres[0].toInt(&ok);
    QVERIFY(ok && nombre >= 100 && nombre <= 1099);
    QCOMPARE(montres[1], f.etat.masque);
    QTest::qWait(50);
    QVERIFY(!f.commandes->bit_rep1->isVisibleTo(&f));
    QVERIFY(!f.etat.essai_mire);
    QCOMPARE(f.groupe_resultats->Memo_enreg_test->toPlainText(), avant);
}

void TestEssais::exposition_nulle_une_image()
{
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.reglages->Scroll_timer->setValue(0);
    QCOMPARE(f.korvane->AsyncTimer2->intervalle(), quint16(0));
    QStringList presentes;
    f.affichage->observateur_affichage = [&](const QString &t) { presentes << t; };
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    // The word was presented, for one frame: the mask followed at once, and the
    // answer was asked for.
    QCOMPARE(presentes, (QStringList{ f.commandes->lab_mot_aff->text(), f.etat.masque }));
    QVERIFY(!f.etat.masque.isEmpty());
    QVERIFY(f.commandes->bit_rep1->isVisibleTo(&f));
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

void TestEssais::masques_morbelle_data()
{
    QTest::addColumn<int>("longueur");
    QTest::addColumn<int>("l1");
    QTest::addColumn<int>("l2");
    QTest::newRow("10 signes") << 10 << 10 << 10;
    QTest::newRow("14 signes") << 14 << 11 << 12;
}

void TestEssais::masques_morbelle()
{
    QFETCH(int, longueur);
    QFETCH(int, l1);
    QFETCH(int, l2);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.reglages->Edit_masque->setText(QString(longueur, u'*'));
    f.etat.mots = { QString(), QStringLiteral("fiel"), QStringLiteral("fier") };
    f.etat.rang_mot = 2;
    QStringList montres;
    f.affichage->observateur_affichage = [&](const QString &t) { montres << t; };
    f.morbelle->BitBtn5Click();
    QCOMPARE(f.etat.masque1, QString(l1, u'&'));
    QCOMPARE(f.etat.masque2, QString(l2, u'#'));
    QCOMPARE(f.etat.mot_morbelle, QStringLiteral("fier"));
    QCOMPARE(montres, QStringList{ f.etat.masque1 });
    f.morbelle->Async_masque1->definir_actif(false);
}

void TestEssais::chaine_morbelle_data()
{
    QTest::addColumn<QList<int>>("durees");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("quatre phases")
            << QList<int>{ 20, 15, 15, 20 } << QStringList{ "M1", "MOT", "", "M2", "" };
    QTest::newRow("mot nul sauté")
            << QList<int>{ 20, 0, 15, 20 } << QStringList{ "M1", "", "M2", "" };
    // The blank and the end are both an empty text: two frames.
    QTest::newRow("masques nuls") << QList<int>{ 0, 15, 15, 0 } << QStringList{ "MOT", "", "" };
}

void TestEssais::chaine_morbelle()
{
    QFETCH(QList<int>, durees);
    QFETCH(QStringList, attendu);
    banc::Banc b;
    b.demarre();
    auto &f = *b.form;
    f.Morbelle1Click();
    f.reglages->Scroll_masque1->setValue(durees[0]);
    f.reglages->Scroll_mot->setValue(durees[1]);
    f.reglages->Scroll_blanc->setValue(durees[2]);
    f.reglages->Scroll_masque2->setValue(durees[3]);
    // The chain runs during the wait before the answer: every presented frame is
    // recorded, and the timers sampled.
    QStringList vus;
    f.affichage->observateur_affichage = [&](const QString &t) { vus << t; };
    int actifs_max = 0;
    b.seams->attente = [&](int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 1);
            int actifs = 0;
            for (auto *m : { f.morbelle->Async_masque1, f.morbelle->Async_mot,
                             f.morbelle->Async_blanc, f.morbelle->Async_masque2 })
                actifs += m->actif();
            actifs_max = std::max(actifs_max, actifs);
        }
    };
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    QVERIFY(f.commandes->bit_rep1->isVisibleTo(&f));
    const QString mot = f.etat.mot_morbelle;
    QStringList attendu_textes;
    for (const QString &a : attendu)
        attendu_textes << (a == "M1"            ? f.etat.masque1
                                   : a == "M2"  ? f.etat.masque2
                                   : a == "MOT" ? mot
                                                : QString());
    QCOMPARE(vus, attendu_textes);
    QCOMPARE(actifs_max, 1);
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
