// Word trials and melodies kept apart: the start and listen buttons, the answer
// buttons and their captions follow the test chosen in "Type de test", whatever the
// experimenter does meanwhile (opening a list, "Type d'exercice", switching tests
// while an answer is awaited or a melody plays). A word trial abandoned in either
// paradigm: tests/trials.
#include "banc.h"
#include "platform/application.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace fantrel;

namespace {

struct Seance : banc::Banc
{
    int notes_entendues = 0; // notes begun, by the output's marks (the last is the end)
    std::function<void()> pendant_une_note; // run at each note, once set

    Seance()
    {
        platform::ecrire_lignes(chemin("melodies.mus"), { "Gamme,20,ndo3 nré3 nmi3 nfa3" });
        platform::ecrire_lignes(chemin("seance.txt"), banc::liste_quatre());
        QObject::connect(sortie, &platform::SortieSon::repere_atteint, sortie, [this](int k) {
            if (k >= 4)
                return;
            ++notes_entendues;
            if (pendant_une_note)
                pendant_une_note();
        });
        seams->ouvrir_fichier = [this](const platform::OptionsDialogue &o) {
            return platform::ResultatDialogue{ true, chemin("seance.txt"), o.index_filtre };
        };
        demarre();
    }
    app::CommandesEssai &c() { return *form->commandes; }
    bool voit(QWidget *w) { return w->isVisibleTo(form); }
    // Answers still offered: any of the answer controls shown.
    bool reponses_offertes()
    {
        return voit(c().bit_rep1) || voit(c().bit_rep2) || voit(c().Bit_rep3)
                || voit(c().Edit_saisie_libre);
    }
    bool ecoute()
    {
        QTest::mouseClick(c().BitBtn_ecoute, Qt::LeftButton);
        return QTest::qWaitFor([this] { return voit(c().bit_rep1); }, 5000);
    }
    bool essai_mots()
    {
        QTest::mouseClick(c().BitBtn2, Qt::LeftButton);
        return QTest::qWaitFor([this] { return voit(c().bit_rep1) || voit(c().Edit_saisie_libre); },
                               3000);
    }
    // Answers counted in row 1: {word trials, melodies}.
    QPair<int, int> comptes()
    {
        const results::RangeeTableau &r = fenetres->tableau->rangee(1);
        int mots = 0, musique = 0;
        for (int k = 1; k <= 4; ++k) {
            mots += r.comptes_mots[k];
            musique += r.comptes_musique[k];
        }
        return { mots, musique };
    }
    bool legendes_musicales()
    {
        return c().bit_rep1->text() == QStringLiteral("C'était juste")
                && c().bit_rep2->text() == QStringLiteral("C'était faux");
    }
};

} // namespace

class TestMelangeEssais : public QObject
{
    Q_OBJECT
private slots:
    void ouvrir_un_exercice_en_musique();
    void type_d_exercice_en_musique_data();
    void type_d_exercice_en_musique();
    void changer_de_test_abandonne_la_reponse_data();
    void changer_de_test_abandonne_la_reponse();
    void changer_de_test_pendant_la_melodie();
};

void TestMelangeEssais::ouvrir_un_exercice_en_musique()
{
    Seance s;
    s.form->Incongruitmusicale1->trigger();
    s.form->Ouvrirunexercice1->trigger();
    QVERIFY2(!s.voit(s.c().BitBtn2), "the word trial's start button is back in the musical test");
    QVERIFY(s.voit(s.c().BitBtn_ecoute));
    QVERIFY(s.ecoute());
    QVERIFY(s.legendes_musicales());
    QTest::mouseClick(s.c().bit_rep2, Qt::LeftButton);
    QCOMPARE(s.comptes(), (QPair<int, int>{ 0, 1 }));
    // Back to the word test, the list opened meanwhile is there.
    s.form->Korvane1->trigger();
    QVERIFY(s.c().BitBtn2->isEnabled());
    QVERIFY(s.essai_mots());
}

void TestMelangeEssais::type_d_exercice_en_musique_data()
{
    QTest::addColumn<QString>("commande");
    QTest::newRow("Comparaison de mots") << "Comparaisondemots1";
    QTest::newRow("Saisie libre") << "Saisielibre1";
}

// "Type d'exercice" is the word tests' answer mode: in the musical test it changes
// nothing the subject sees, a melody's answer awaited included.
void TestMelangeEssais::type_d_exercice_en_musique()
{
    QFETCH(QString, commande);
    Seance s;
    s.form->Incongruitmusicale1->trigger();
    QVERIFY(s.ecoute());
    s.form->findChild<QAction *>(commande)->trigger();
    QVERIFY(s.form->findChild<QAction *>(commande)->isChecked());
    QVERIFY(s.legendes_musicales());
    QVERIFY(s.voit(s.c().bit_rep1) && s.voit(s.c().bit_rep2));
    QVERIFY(!s.voit(s.c().BitBtn2));
    QVERIFY(s.informations.isEmpty());
    QTest::mouseClick(s.c().bit_rep1, Qt::LeftButton);
    QCOMPARE(s.comptes(), (QPair<int, int>{ 0, 1 }));
    QVERIFY(s.ecoute());
    QVERIFY(s.legendes_musicales());
}

void TestMelangeEssais::changer_de_test_abandonne_la_reponse_data()
{
    QTest::addColumn<QString>("depart"); // the test whose answer is awaited
    QTest::addColumn<QString>("arrivee");
    QTest::addColumn<bool>("saisie_libre");
    QTest::newRow("Korvane vers musique") << "Korvane1"
                                          << "Incongruitmusicale1" << false;
    QTest::newRow("saisie libre vers musique") << "Korvane1"
                                               << "Incongruitmusicale1" << true;
    QTest::newRow("musique vers Korvane") << "Incongruitmusicale1"
                                          << "Korvane1" << false;
}

// The answer awaited by one test is dropped when another is chosen: nothing counted,
// nothing recorded, and the next trial of the new test is whole.
void TestMelangeEssais::changer_de_test_abandonne_la_reponse()
{
    QFETCH(QString, depart);
    QFETCH(QString, arrivee);
    QFETCH(bool, saisie_libre);
    Seance s;
    if (saisie_libre)
        s.form->Saisielibre1->trigger();
    s.form->findChild<QAction *>(depart)->trigger();
    const bool musique_avant = depart == "Incongruitmusicale1";
    QVERIFY(musique_avant ? s.ecoute() : s.essai_mots());
    s.form->findChild<QAction *>(arrivee)->trigger();
    QVERIFY2(!s.reponses_offertes(), "the previous test's answer is still offered");
    QCOMPARE(s.comptes(), (QPair<int, int>{ 0, 0 }));
    QCOMPARE(s.form->groupe_resultats->lignes(), QStringList{ "Essai1" });

    const bool musique_apres = arrivee == "Incongruitmusicale1";
    QCOMPARE(s.voit(s.c().BitBtn_ecoute), musique_apres);
    QCOMPARE(s.voit(s.c().BitBtn2), !musique_apres);
    QVERIFY(musique_apres ? s.ecoute() : s.essai_mots());
    if (musique_apres) {
        QVERIFY(s.legendes_musicales());
        QTest::mouseClick(s.c().bit_rep1, Qt::LeftButton);
    } else if (saisie_libre) {
        QTest::keyClicks(s.c().Edit_saisie_libre, QStringLiteral("mot"));
        QTest::keyClick(s.c().Edit_saisie_libre, Qt::Key_Return);
    } else {
        const QStringList legendes{ s.c().bit_rep1->text(), s.c().bit_rep2->text() };
        const auto &mots = s.form->etat.mots;
        QVERIFY2(legendes == QStringList({ mots[1], mots[2] })
                         || legendes == QStringList({ mots[2], mots[1] }),
                 qPrintable(legendes.join(u'/')));
        QTest::mouseClick(s.c().bit_rep1, Qt::LeftButton);
    }
    QCOMPARE(s.comptes(), (musique_apres ? QPair<int, int>{ 0, 1 } : QPair<int, int>{ 1, 0 }));
    QCOMPARE(s.form->groupe_resultats->lignes().size(), musique_apres ? 1 : 2);

    // And back: the first test starts afresh.
    s.form->findChild<QAction *>(depart)->trigger();
    QVERIFY(!s.reponses_offertes());
    QVERIFY(musique_avant ? s.c().BitBtn_ecoute->isEnabled() : s.c().BitBtn2->isEnabled());
}

// A melody still playing when the word test is chosen stops there, and its answer
// buttons never come up in the word test.
void TestMelangeEssais::changer_de_test_pendant_la_melodie()
{
    Seance s;
    s.form->Incongruitmusicale1->trigger();
    s.pendant_une_note = [&] {
        if (s.notes_entendues == 2)
            s.form->Korvane1->trigger();
    };
    QTest::mouseClick(s.c().BitBtn_ecoute, Qt::LeftButton);
    QTRY_COMPARE(s.notes_entendues, 2);
    QTest::qWait(300); // the rest of the melody, had it gone on
    QCOMPARE(s.notes_entendues, 2);
    QVERIFY(!s.reponses_offertes());
    QVERIFY(!s.sortie->en_lecture());
    QVERIFY(s.essai_mots());
    QVERIFY(!s.legendes_musicales());
}

FANTREL_TEST_MAIN(TestMelangeEssais)
#include "test_melange_essais.moc"
