// A start-up that fails (settings file or its list missing or bad) shows its error,
// and the session stays sound: result rows 0 and 1, the mask and timings the
// controls hold, labels in step with their bars; the next trials are masked and
// counted, and OK saves settings the next start reads.
#include "banc.h"
#include "platform/application.h"
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace fantrel;

class TestDemarrage : public QObject
{
    Q_OBJECT
private slots:
    void echec_au_demarrage_data();
    void echec_au_demarrage();
};

void TestDemarrage::echec_au_demarrage_data()
{
    QTest::addColumn<QStringList>("param");
    QTest::addColumn<bool>("liste_dossier"); // the list's name is a folder
    QTest::addColumn<QString>("erreur"); // its start
    QStringList ligne2 = banc::param_formulaire();
    ligne2[1] = QStringLiteral("trente");
    QStringList ligne9 = banc::param_formulaire();
    ligne9[8] = QStringLiteral("bleu");
    QStringList sans_liste = banc::param_formulaire();
    sans_liste[0] = QStringLiteral(".\\absente.liste_fantrel");
    QTest::newRow("réglages absents") << QStringList{} << false << "Fichier introuvable";
    QTest::newRow("ligne 2 illisible") << ligne2 << false << "'' n'est pas";
    QTest::newRow("ligne 9 illisible") << ligne9 << false << "'bleu' n'est pas";
    QTest::newRow("liste absente") << sans_liste << false << "Impossible d'ouvrir";
    QTest::newRow("liste illisible") << banc::param_formulaire() << true << "Impossible d'ouvrir";
}

void TestDemarrage::echec_au_demarrage()
{
    QFETCH(QStringList, param);
    QFETCH(bool, liste_dossier);
    QFETCH(QString, erreur);
    banc::Banc b(param, liste_dossier ? QStringList{} : banc::liste_quatre());
    if (liste_dossier)
        QVERIFY(QDir().mkdir(b.chemin("machin.liste_fantrel")));
    b.demarre();
    app::TForm1 &f = *b.form;
    QCOMPARE(b.erreurs.size(), 1);
    QVERIFY2(b.erreurs[0].startsWith(erreur), qPrintable(b.erreurs[0]));

    const results::TableauResultats &tableau = *b.fenetres->tableau;
    QCOMPARE(tableau.nb_util(), 1);
    QCOMPARE(tableau.util_courant(), 1);
    QCOMPARE(f.groupe_resultats->lignes(), QStringList{ "Essai1" });
    QVERIFY(!f.etat.masque.isEmpty());
    QCOMPARE(f.etat.masque, f.reglages->Edit_masque->text());
    const int exposition = f.korvane->AsyncTimer2->intervalle();
    QCOMPARE(f.reglages->Scroll_timer->value(), exposition);
    QCOMPARE(f.reglages->Lab_intervalle_timer->text(), QStringLiteral("%1 ms").arg(exposition));

    // The experimenter opens a list; the subject's trial is masked and counted.
    platform::ecrire_lignes(b.chemin("seance.txt"), banc::liste_quatre());
    b.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &o) {
        return platform::ResultatDialogue{ true, b.chemin("seance.txt"), o.index_filtre };
    };
    f.Ouvrirunexercice1->trigger();
    QStringList presentes;
    f.affichage->observateur_affichage = [&](const QString &t) { presentes << t; };
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(f.commandes->bit_rep1->isVisibleTo(&f), 3000);
    const QString montre = f.commandes->lab_mot_aff->text();
    QCOMPARE(presentes, (QStringList{ montre, f.etat.masque }));
    QVERIFY(!f.etat.masque.isEmpty());
    QTest::mouseClick(f.commandes->bit_rep1, Qt::LeftButton);
    QCOMPARE(f.groupe_resultats->lignes().size(), 2);
    QCOMPARE(f.groupe_resultats->lignes().first(), QStringLiteral("Essai1"));
    for (int n : { 0, 1 }) {
        const results::Comptes c = tableau.rangee(n).comptes();
        QCOMPARE(c[1] + c[2] + c[3] + c[4], 1);
    }

    // OK saves what the controls hold, and the next start reads it without a word.
    f.Rglages1->trigger();
    QTest::mouseClick(f.reglages->BitBtn4, Qt::LeftButton);
    QCOMPARE(platform::lire_lignes(b.chemin("param.ini")).value(1),
             QStringLiteral("%1 ms").arg(exposition));
    banc::Banc suivant({}, {});
    for (const char *nom : { "param.ini", "seance.txt" })
        QVERIFY(QFile::copy(b.chemin(nom), suivant.chemin(nom)));
    suivant.demarre();
    QVERIFY2(suivant.erreurs.isEmpty(), qPrintable(suivant.erreurs.join(u'\n')));
    QCOMPARE(suivant.form->korvane->AsyncTimer2->intervalle(), exposition);
}

FANTREL_TEST_MAIN(TestDemarrage)
#include "test_demarrage.moc"
