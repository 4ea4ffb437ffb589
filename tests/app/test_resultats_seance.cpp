// The results record over whole sessions, through the main window's menus and
// buttons: saving and opening results files with the real dialogs, unsaved answers
// when a file is opened, users past the 20th row, renaming after "Tout effacer".
#include "banc.h"
#include "../results/banc_resultats.h"
#include "app/groupe_exercice.h"
#include "results/ligne_reponse.h"
#include "platform/application.h"
#include "platform/boites_dialogue.h"
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using namespace fantrel;

namespace {

// Answers the next file dialog as a user does: types the name and confirms. An open
// dialog is confirmed only once the name shows in its list of files (cancelled after
// about three seconds otherwise), so that a file the filter hides is not opened.
class RobotDialogue : public QObject
{
public:
    explicit RobotDialogue(const QString &nom) : m_nom(nom)
    {
        connect(&m_minuterie, &QTimer::timeout, this, &RobotDialogue::regarde);
        m_minuterie.start(20);
    }
    bool nom_liste = false; // the open dialog listed the file

private:
    void regarde()
    {
        auto *dialogue = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        if (dialogue->acceptMode() == QFileDialog::AcceptOpen) {
            nom_liste = noms_listes(dialogue).contains(m_nom);
            if (!nom_liste) {
                if (++m_tours > 150)
                    dialogue->reject();
                return;
            }
        }
        m_minuterie.stop();
        dialogue->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(m_nom);
        QMetaObject::invokeMethod(dialogue, "accept", Qt::QueuedConnection);
    }
    static QStringList noms_listes(QFileDialog *dialogue)
    {
        QStringList noms;
        auto *vue = dialogue->findChild<QListView *>(QStringLiteral("listView"));
        const QModelIndex racine = vue->rootIndex();
        for (int r = 0; r < vue->model()->rowCount(racine); ++r)
            noms << vue->model()->index(r, 0, racine).data().toString();
        return noms;
    }

    QString m_nom;
    QTimer m_minuterie;
    int m_tours = 0;
};

// One word trial answered right with the real buttons; returns the record's new line.
QString repond_un_essai(app::TForm1 &f)
{
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return f.commandes->bit_rep1->isVisibleTo(&f); }, 3000))
        return QStringLiteral("pas de boutons de réponse");
    const QString montre = f.commandes->lab_mot_aff->text();
    QTest::mouseClick(f.commandes->bit_rep1->text() == montre ? f.commandes->bit_rep1
                                                              : f.commandes->bit_rep2,
                      Qt::LeftButton);
    return f.groupe_resultats->lignes().last();
}

QList<int> comptes(const banc::Banc &b, int n)
{
    const results::Comptes c = b.fenetres->tableau->rangee(n).comptes();
    return { c[1], c[2], c[3], c[4] };
}

} // namespace

class TestResultatsSeance : public QObject
{
    Q_OBJECT
private slots:
    void sauve_sans_extension_puis_ouvre();
    void ouvrir_demande_d_enregistrer_data();
    void ouvrir_demande_d_enregistrer();
    void au_dela_de_vingt_utilisateurs();
    void renommer_apres_tout_effacer();
    void nom_hors_windows1252_enregistre();
};

// A name typed without ".res" gets it, so that "Ouvrir un résultat" lists the file.
void TestResultatsSeance::sauve_sans_extension_puis_ouvre()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString ligne = repond_un_essai(f);
    b.seams->enregistrer_fichier = platform::interactions_reelles().enregistrer_fichier;
    b.seams->ouvrir_fichier = platform::interactions_reelles().ouvrir_fichier;
    {
        RobotDialogue robot(QStringLiteral("seance"));
        f.Enregistrerlesrsultats1->trigger();
    }
    QVERIFY2(QFile::exists(b.chemin("seance.res")),
             qPrintable(QDir(b.dossier.path()).entryList(QDir::Files).join(u' ')));
    f.outeffacer1->trigger(); // the sum row at zero, to see what the file brings
    RobotDialogue robot(QStringLiteral("seance.res"));
    f.ouvrirunrsultat1->trigger();
    QVERIFY2(robot.nom_liste, "« Ouvrir un résultat » ne liste pas le fichier enregistré");
    QCOMPARE(f.groupe_resultats->lignes(), (QStringList{ "Essai1", ligne }));
    QCOMPARE(comptes(b, 1), comptes(b, 0));
    QVERIFY(b.erreurs.isEmpty());
}

void TestResultatsSeance::ouvrir_demande_d_enregistrer_data()
{
    QTest::addColumn<bool>("reponse_donnee");
    QTest::addColumn<QString>("choix"); // the answer to "Enregistrer les résultats ?"
    QTest::addColumn<QString>("enregistre_sous"); // the save dialog's answer, empty: cancelled
    QTest::addColumn<bool>("ouvert");
    QTest::newRow("Annuler") << true << "Annuler"
                             << "" << false;
    QTest::newRow("Non") << true << "Non"
                         << "" << true;
    QTest::newRow("Oui") << true << "Oui"
                         << "garde.res" << true;
    QTest::newRow("Oui, enregistrement annulé") << true << "Oui"
                                                << "" << false;
    QTest::newRow("rien à enregistrer") << false << ""
                                        << "" << true;
}

// Opening a results file replaces the record: unsaved answers are offered for
// saving first, as on quitting.
void TestResultatsSeance::ouvrir_demande_d_enregistrer()
{
    QFETCH(bool, reponse_donnee);
    QFETCH(QString, choix);
    QFETCH(QString, enregistre_sous);
    QFETCH(bool, ouvert);
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString ligne = reponse_donnee ? repond_un_essai(f) : QString();
    const QStringList avant = f.groupe_resultats->lignes();
    platform::ecrire_lignes(b.chemin("autre.res"), { "Anne" });
    QStringList questions, dialogues;
    b.seams->question = [&](const QString &texte, bool avec_annuler) {
        questions << texte;
        [&] { QVERIFY(avec_annuler); }();
        return choix == "Oui"    ? platform::Reponse::Oui
                : choix == "Non" ? platform::Reponse::Non
                                 : platform::Reponse::Annuler;
    };
    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
        dialogues << "enregistrer";
        return platform::ResultatDialogue{ !enregistre_sous.isEmpty(), b.chemin(enregistre_sous),
                                           1 };
    };
    b.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &o) {
        dialogues << "ouvrir";
        return platform::ResultatDialogue{ true, b.chemin("autre.res"), o.index_filtre };
    };
    f.ouvrirunrsultat1->trigger();
    QCOMPARE(questions,
             reponse_donnee ? QStringList{ "Enregistrer les résultats ?" } : QStringList{});
    if (!enregistre_sous.isEmpty())
        QCOMPARE(platform::lire_lignes(b.chemin(enregistre_sous)), avant);
    QCOMPARE(dialogues.contains("ouvrir"), ouvert);
    QCOMPARE(f.groupe_resultats->lignes(), ouvert ? QStringList{ "Anne" } : avant);
    QVERIFY(b.erreurs.isEmpty());
}

// Past the 20th row a new user still starts a section of their own: their answers
// count in the sum row only, live and when read back, never under Essai20.
void TestResultatsSeance::au_dela_de_vingt_utilisateurs()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString premiere = repond_un_essai(f);
    for (int n = 2; n <= 22; ++n)
        f.Nouvelutilisateur1->trigger();
    QCOMPARE(b.fenetres->tableau->util_courant(), 22);
    const QString derniere = repond_un_essai(f);
    QStringList attendu{ "Essai1", premiere };
    for (int n = 2; n <= 22; ++n)
        attendu << QStringLiteral("Essai%1").arg(n);
    attendu << derniere;
    QCOMPARE(f.groupe_resultats->lignes(), attendu);
    QCOMPARE(comptes(b, 20), (QList<int>{ 0, 0, 0, 0 }));
    const QList<int> somme = comptes(b, 0);
    QCOMPARE(somme[0] + somme[1] + somme[2] + somme[3], 2);

    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, b.chemin("vingt-deux.res"), 1 };
    };
    f.Enregistrerlesrsultats1->trigger();
    banc::Banc relu;
    relu.demarre();
    relu.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, b.chemin("vingt-deux.res"), 3 };
    };
    relu.form->ouvrirunrsultat1->trigger();
    QCOMPARE(relu.form->groupe_resultats->lignes(), attendu);
    QCOMPARE(comptes(relu, 1), comptes(b, 1));
    QCOMPARE(comptes(relu, 20), (QList<int>{ 0, 0, 0, 0 }));
    QCOMPARE(comptes(relu, 0), somme);
    QVERIFY(b.erreurs.isEmpty() && relu.erreurs.isEmpty());
}

// After "Tout effacer" the record holds the earlier subjects' sections before the
// new rows' own: renaming or listing a row concerns its own section only.
void TestResultatsSeance::renommer_apres_tout_effacer()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString avant = repond_un_essai(f);
    f.outeffacer1->trigger();
    const QString apres = repond_un_essai(f);
    QCOMPARE(f.groupe_resultats->lignes(), (QStringList{ "Essai1", avant, "Essai1", apres }));

    results::TForm_courbe2 &courbe = *b.fenetres->Form_courbe2;
    f.Courbe22->trigger(); // Courbes › Afficher
    QVERIFY(QTest::qWaitForWindowExposed(&courbe));
    courbe.vue->repeint_maintenant();
    auto clic_ctrl = [&](const engine3d::Objet *objet) {
        const QPoint pixel = pixel_sur(courbe.vue, objet);
        QTest::mousePress(courbe.vue->fenetre_gl(), Qt::LeftButton, Qt::ControlModifier, pixel);
        QTest::mouseRelease(courbe.vue->fenetre_gl(), Qt::LeftButton, Qt::ControlModifier, pixel);
        return !pixel.isNull();
    };
    QVERIFY(clic_ctrl(courbe.tab_util[1].cubes[1]));
    // The row's own answers, then its statistics.
    QCOMPARE(f.GroupBox3->Memo1->toPlainText().split(u'\n').first(), results::ligne_listee(apres));

    QVERIFY(clic_ctrl(courbe.tab_util[1].texte_nom));
    QVERIFY(courbe.Edit_nom->isVisible());
    courbe.Edit_nom->clear();
    QTest::keyClicks(courbe.Edit_nom, QStringLiteral("Anne"));
    QTest::keyClick(courbe.Edit_nom, Qt::Key_Return);
    QCOMPARE(f.groupe_resultats->lignes(), (QStringList{ "Essai1", avant, "Anne", apres }));
    QCOMPARE(courbe.tab_util[1].nom(), QStringLiteral("Anne"));
    QVERIFY(clic_ctrl(courbe.tab_util[1].cubes[1]));
    // The row's own answers, then its statistics.
    QCOMPARE(f.GroupBox3->Memo1->toPlainText().split(u'\n').first(), results::ligne_listee(apres));
}

// A subject's name is kept as typed in the results file, whatever its alphabet.
void TestResultatsSeance::nom_hors_windows1252_enregistre()
{
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString ligne = repond_un_essai(f);
    results::TForm_courbe2 &courbe = *b.fenetres->Form_courbe2;
    f.Courbe22->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&courbe));
    courbe.vue->repeint_maintenant();
    const QPoint pixel = pixel_sur(courbe.vue, courbe.tab_util[1].texte_nom);
    QTest::mousePress(courbe.vue->fenetre_gl(), Qt::LeftButton, Qt::ControlModifier, pixel);
    QVERIFY(courbe.Edit_nom->isVisible());
    const QString nom = QStringLiteral("Łukasz Ōta 王");
    courbe.Edit_nom->clear();
    for (const QChar c : nom)
        QTest::sendKeyEvent(QTest::Click, courbe.Edit_nom, Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    QTest::keyClick(courbe.Edit_nom, Qt::Key_Return);
    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, b.chemin("noms.res"), 1 };
    };
    f.Enregistrerlesrsultats1->trigger();

    banc::Banc relu;
    relu.demarre();
    relu.seams->ouvrir_fichier = [&](const platform::OptionsDialogue &) {
        return platform::ResultatDialogue{ true, b.chemin("noms.res"), 3 };
    };
    relu.form->ouvrirunrsultat1->trigger();
    QCOMPARE(relu.form->groupe_resultats->lignes(), (QStringList{ nom, ligne }));
    QCOMPARE(relu.fenetres->Form_courbe2->tab_util[1].nom(), nom);
}

FANTREL_TEST_MAIN(TestResultatsSeance)
#include "test_resultats_seance.moc"
