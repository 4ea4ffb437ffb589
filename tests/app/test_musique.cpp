// A series of melodies played and answered in the main window, the tallies growing
// in the 3D results window's current row and sum row.
#include "banc.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "music/melodie.h"
#include "platform/application.h"
#include "results/fenetre_resultats_3d.h"
#include "results/tableau_resultats.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace fantrel;

class TestMusique : public QObject
{
    Q_OBJECT
private slots:
    void serie_de_dix();
    void lignes_vides_jamais_tirees();
};

void TestMusique::serie_de_dix()
{
    banc::Banc b;
    platform::ecrire_lignes(b.chemin("melodies.mus"),
                            { "Courte,20,ndo3 nré3 nmi3 nfa3", "Autre,20,nso3 - nla3 nsi3" });
    b.demarre();
    auto &f = *b.form;
    f.Incongruitmusicale1->trigger();
    QVERIFY(f.commandes->BitBtn_ecoute->isVisibleTo(&f));
    QCOMPARE(f.groupe_musical->Memo_music->toPlainText().split(u'\n').size(), 2);
    QCOMPARE(f.reglages->Edit3->text(), QStringLiteral("10"));

    // The two melodies as heard plain (rests are silence): a melody heard otherwise
    // carried the incongruous note.
    QList<QVector<int>> justes_entendues;
    for (const char *notes : { "ndo3 nré3 nmi3 nfa3 ", "nso3 - nla3 nsi3 " }) {
        QVector<int> tons;
        for (const music::Note &n : music::analyse_notes(QString::fromUtf8(notes)))
            if (n.frequence != 0)
                tons << n.frequence;
        justes_entendues << tons;
    }
    int justes = 0, incongrues = 0;
    for (int essai = 1; essai <= 10; ++essai) {
        QTest::mouseClick(f.commandes->BitBtn_ecoute, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.commandes->bit_rep1->isVisibleTo(&f), 5000);
        QCOMPARE(b.sortie->flux.size(), essai);
        QVector<int> frequences;
        for (const SonEntendu &son : sons_entendus(b.sortie->flux.last()))
            frequences << son.frequence;
        QCOMPARE(f.commandes->bit_rep1->text(), QStringLiteral("C'était juste"));
        QCOMPARE(f.commandes->bit_rep2->text(), QStringLiteral("C'était faux"));
        QVERIFY2(frequences.size() == 4 || frequences.size() == 3, "a melody not heard whole");
        const bool incongru = !justes_entendues.contains(frequences);
        incongrues += incongru;
        // Answer right on even tests, wrong on odd ones.
        const bool juste = essai % 2 == 0;
        justes += juste;
        QTest::mouseClick(incongru == juste ? f.commandes->bit_rep2 : f.commandes->bit_rep1,
                          Qt::LeftButton);
        QCOMPARE(f.commandes->Lab_bid->text(),
                 juste ? QStringLiteral("Bonne réponse") : QStringLiteral("Pas bon"));
    }
    const results::TableauResultats &tableau = *b.fenetres->tableau;
    const results::Comptes rangee = tableau.rangee(1).comptes_musique;
    const results::Comptes somme = tableau.rangee(0).comptes_musique;
    QCOMPARE(tableau.rangee(1).comptes(), rangee); // no word trial counted
    QCOMPARE(rangee[1] + rangee[2], incongrues);
    QCOMPARE(rangee[1] + rangee[3], justes);
    QCOMPARE(rangee[1] + rangee[2] + rangee[3] + rangee[4], 10);
    for (int c = 1; c <= 4; ++c)
        QCOMPARE(somme[c], rangee[c]);
    QVERIFY(b.informations.isEmpty());
    QTest::mouseClick(f.commandes->BitBtn_ecoute, Qt::LeftButton);
    QCOMPARE(b.informations, QStringList{ "Plus de tests" });
}

// Blank lines of the melody list are no melodies: never drawn, never an error box.
void TestMusique::lignes_vides_jamais_tirees()
{
    banc::Banc b;
    platform::ecrire_lignes(b.chemin("melodies.mus"),
                            { "", "Courte,20,ndo3 nré3", "   ", "", "Autre,20,nso3 nla3", "" });
    b.demarre();
    auto &f = *b.form;
    f.Incongruitmusicale1->trigger();
    for (int essai = 1; essai <= 10; ++essai) {
        QTest::mouseClick(f.commandes->BitBtn_ecoute, Qt::LeftButton);
        QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join(u'\n')));
        QTRY_VERIFY_WITH_TIMEOUT(f.commandes->bit_rep1->isVisibleTo(&f), 5000);
        QTest::mouseClick(f.commandes->bit_rep1, Qt::LeftButton);
    }
    const results::Comptes rangee = b.fenetres->tableau->rangee(1).comptes_musique;
    QCOMPARE(rangee[1] + rangee[2] + rangee[3] + rangee[4], 10);
}

FANTREL_TEST_MAIN(TestMusique)
#include "test_musique.moc"
