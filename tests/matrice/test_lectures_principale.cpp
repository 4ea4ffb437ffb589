// The reading matrix of the main window's files: the settings file (read again by
// Cancel), an exercise list ("Ouvrir un exercice"), a results file ("Ouvrir un
// résultat") and a melody list (the open button of "Fichier musical"), each in every
// bad case.
#include "lecture.h"
#include "app/groupe_radio.h"
#include "app/param_lignes.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "music/groupe_musical.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "results/fenetre_resultats_3d.h"
#include "results/enregistrement.h"
#include "results/groupe_resultats.h"
#include "results/texte_memo.h"
#include "trials/liste_exercice.h"
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>
#include <algorithm>

using namespace fantrel;
using namespace matrice;

namespace {

QString impossible_d_ouvrir(const QString &chemin, Cas)
{
    return platform::erreur_ouverture(chemin).message();
}

QStringList lignes_de(const QPlainTextEdit *memo)
{
    return lignes_texte(memo->document()->toRawText());
}

// --- param.ini -------------------------------------------------------------

const QStringList param_accents = { "liste été.liste_fantrel",
                                    "45 ms",
                                    "éèêëàç",
                                    "120",
                                    "333",
                                    "0,25",
                                    "0,5",
                                    "1",
                                    "255",
                                    "ôûùœ€",
                                    "12",
                                    "0",
                                    "100",
                                    "ÀÉÈ…’",
                                    "99",
                                    "1",
                                    "-1/4" };

QStringList etat_param(Banc &b)
{
    auto &f = *b.form;
    const auto e = f.affichage->GLSpaceText1->materiau().emission;
    auto n = [](auto v) { return QString::number(v); };
    return {
        f.reglages->Edit1->text(),
        f.reglages->Lab_intervalle_timer->text() + u'|' + n(f.korvane->AsyncTimer2->intervalle()),
        f.reglages->Edit_masque->text(),
        n(f.reglages->Scroll_hauteur->value()),
        n(f.reglages->Scroll_largeur->value()),
        n(e.r),
        n(e.g),
        n(e.b),
        n(f.affichage->vue_3d->couleur_fond()) + u'|' + n(f.etat.couleur_fond),
        f.reglages->Edit_masque1->text() + u'|' + f.etat.masque1,
        n(f.reglages->Scroll_masque1->value()) + u'|' + n(f.morbelle->Async_masque1->intervalle()),
        n(f.reglages->Scroll_mot->value()) + u'|' + n(f.morbelle->Async_mot->intervalle()),
        n(f.reglages->Scroll_blanc->value()) + u'|' + n(f.morbelle->Async_blanc->intervalle()),
        f.reglages->Edit_masque2->text() + u'|' + f.etat.masque2,
        n(f.reglages->Scroll_masque2->value()) + u'|' + n(f.morbelle->Async_masque2->intervalle()),
        n(f.reglages->Radio_incongru->index_choisi()),
        f.reglages->Edit_incongru->text()
    };
}

// The first line that does not convert, in the order the settings are read (0: none).
std::pair<int, QString> refus_param(const QStringList &lignes)
{
    const app::LignesParam l(lignes);
    QList<int> ordre = { 2, 4, 5, 6, 7, 8, 9 };
    if (l.nombre() > 9)
        ordre << 11 << 12 << 13 << 15;
    ordre << 16;
    for (int n : ordre) {
        try {
            if (n == 2)
                app::entier_avant_blanc(l.texte(2));
            else if (n >= 6 && n <= 8)
                l.reel(n);
            else
                l.entier(n);
        } catch (const platform::ErreurExecution &e) {
            return { n, e.message() };
        }
    }
    return { 0, {} };
}

void verifie_param(Banc &b, const QString &, const QStringList &lignes)
{
    const app::LignesParam l(lignes);
    auto n = [](auto v) { return QString::number(v); };
    const QStringList obtenu = etat_param(b);
    QStringList attendu = obtenu;
    attendu[0] = l.texte(1);
    attendu[1] = l.texte(2) + u'|' + n(std::clamp(app::entier_avant_blanc(l.texte(2)), 0, 65535));
    attendu[2] = l.texte(3);
    attendu[3] = n(std::clamp(l.entier(4), 0, 400));
    attendu[4] = n(std::clamp(l.entier(5), 0, 400));
    for (int k = 5; k <= 7; ++k)
        attendu[k] = n(float(l.reel(k + 1)));
    attendu[8] = n(l.entier(9)) + u'|' + n(l.entier(9));
    if (l.nombre() > 9) {
        attendu[9] = l.texte(10) + u'|' + l.texte(10);
        for (int k : { 10, 11, 12, 14 })
            attendu[k] = n(std::clamp(l.entier(k + 1), 0, 100)) + u'|'
                    + n(std::clamp(l.entier(k + 1), 0, 100));
        attendu[13] = l.texte(14) + u'|' + l.texte(14);
    }
    attendu[15] = n(std::clamp(l.entier(16), -1, 2));
    attendu[16] = l.texte(17);
    QCOMPARE(obtenu, attendu);
}

Lecteur lecteur_param()
{
    Lecteur l;
    l.fichier = QStringLiteral("param.ini");
    l.contenu.lignes = param_accents;
    l.contenu.lignes_nul = param_accents;
    l.contenu.lignes_nul[9] = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    l.contenu.gros = [] {
        return lignes_repetees({ "ligne après les dix-sept réglages, sans effet" }, param_accents);
    };
    // Cancel reads the file back into the panel's controls.
    l.lit = [](Banc &b, const QString &) { b.form->reglages->BitBtn3->click(); };
    l.etat = etat_param;
    l.erreur_ouverture = [](const QString &, Cas cas) {
        return cas == Cas::manquant ? platform::erreur_fichier_introuvable().message()
                                    : platform::erreur_acces_refuse().message();
    };
    l.erreur_contenu = [](const QStringList &lignes) { return refus_param(lignes).second; };
    l.garde_depuis = [](const QStringList &lignes) { return refus_param(lignes).first; };
    l.verifie = verifie_param;
    return l;
}

// --- exercise lists ----------------------------------------------------------

// The pairs as a count of each (word 1, word 2): the shuffle only moves them. Each
// distinct line is split once (a 50 MB list repeats a few lines).
QHash<QPair<QString, QString>, int> paires(const QVector<trials::Couple> &couples)
{
    QHash<QPair<QString, QString>, int> compte;
    for (const trials::Couple &c : couples)
        ++compte[{ c.mot1, c.mot2 }];
    return compte;
}

QHash<QPair<QString, QString>, int> paires(const QStringList &lignes)
{
    QHash<QString, int> par_ligne;
    for (const QString &l : lignes)
        ++par_ligne[l];
    QHash<QPair<QString, QString>, int> compte;
    for (auto it = par_ligne.cbegin(); it != par_ligne.cend(); ++it) {
        const trials::Couple c = trials::decoupe_ligne_exercice(it.key());
        compte[{ c.mot1, c.mot2 }] += it.value();
    }
    return compte;
}

QString texte_paires(const QVector<trials::Couple> &couples)
{
    QStringList texte;
    for (const trials::Couple &c : couples)
        texte << c.mot1 + u'/' + c.mot2;
    texte.sort();
    return texte.join(u'\n');
}

QStringList etat_liste(Banc &b)
{
    auto &f = *b.form;
    QStringList compte;
    for (int c : b.fenetres->tableau->compte_test())
        compte << QString::number(c);
    return { f.GroupBox3->Memo1->document()->toRawText(),
             f.reglages->Edit1->text(),
             f.reglages->Edit_masque->text(),
             QString::number(f.etat.nb_couples),
             texte_paires(f.etat.liste_mots),
             compte.join(u' '),
             QString::number(f.commandes->BitBtn2->isEnabled()),
             QString::number(f.etat.fin_liste) };
}

void verifie_liste(Banc &b, const QString &chemin, const QStringList &lignes)
{
    auto &f = *b.form;
    const QStringList memo = lignes_de(f.GroupBox3->Memo1);
    const int n = int(lignes.size());
    QCOMPARE(memo.size(), n - n % 2);
    QCOMPARE(f.etat.nb_couples, n - n % 2);
    qsizetype k = 0; // the memo keeps the file's lines in order, but one for an odd list
    for (const QString &l : memo) {
        while (k < n && lignes[k] != l)
            ++k;
        QVERIFY2(k < n, qPrintable(QStringLiteral("line not in the file: ") + l.left(80)));
        ++k;
    }
    QVERIFY2(paires(f.etat.liste_mots) == paires(memo),
             "the pairs are not those of the lines kept");
    QCOMPARE(f.reglages->Edit1->text(), trials::nom_sans_dossier(chemin));
    QCOMPARE(f.reglages->Edit_masque->text(),
             trials::masque_derive(memo.value(1), QStringLiteral("#")));
    QVERIFY(f.commandes->BitBtn2->isEnabled());
}

Lecteur lecteur_liste()
{
    Lecteur l;
    l.fichier = QStringLiteral("liste.liste_fantrel");
    l.contenu.lignes = { "$été  ôté", "pâte  $pâté", "ça-çà", "$œuf  œil", "Zoé  Zoë" };
    l.contenu.lignes_nul = { "$ch" + QString(QChar(0)) + "at  chas", "fiel  $fier" };
    l.contenu.gros = [] { return lignes_repetees({ "$pâte  pâté", "été-ôté$", "bœuf  $bœufs" }); };
    l.lit = [](Banc &b, const QString &chemin) {
        b.fichier_dialogue = chemin;
        b.form->Ouvrirunexercice1->trigger();
    };
    l.etat = etat_liste;
    l.erreur_ouverture = impossible_d_ouvrir;
    l.erreur_contenu = refus_capacite;
    l.verifie = verifie_liste;
    return l;
}

// --- results files -------------------------------------------------------------

QStringList etat_resultats(Banc &b)
{
    const results::TForm_courbe2 &c = *b.fenetres->Form_courbe2;
    const results::TableauResultats &t = *b.fenetres->tableau;
    QStringList etat = { b.form->groupe_resultats->Memo_enreg_test->document()->toRawText(),
                         QString::number(t.nb_util()), QString::number(t.util_courant()) };
    for (int n = 0; n <= results::nb_max_util; ++n) {
        const results::Comptes comptes = t.rangee(n).comptes();
        etat << (c.tab_util[n].creee() ? c.tab_util[n].nom() : QStringLiteral("-"))
                        + QStringLiteral(" %1 %2 %3 %4")
                                  .arg(comptes[1])
                                  .arg(comptes[2])
                                  .arg(comptes[3])
                                  .arg(comptes[4]);
    }
    return etat;
}

void verifie_resultats(Banc &b, const QString &, const QStringList &lignes)
{
    const results::TForm_courbe2 &c = *b.fenetres->Form_courbe2;
    const results::TableauResultats &t = *b.fenetres->tableau;
    const results::PlanLecture plan = results::plan_lecture(lignes);
    QStringList record = lignes;
    if (plan.nb_entetes == 0)
        record << QStringLiteral("Essai1"); // answers given next get a row, with its header
    QCOMPARE(lignes_de(b.form->groupe_resultats->Memo_enreg_test), record);
    // Rows past the 20th are counted but not made.
    QCOMPARE(t.nb_util(), std::max(1, plan.nb_entetes));
    for (qsizetype k = 0; k < plan.rangees.size(); ++k) {
        const int n = int(k) + 1;
        QCOMPARE(c.tab_util[n].nom(), plan.rangees[k].nom);
        QCOMPARE(t.rangee(n).comptes(), plan.rangees[k].comptes);
    }
    QCOMPARE(t.rangee(0).comptes(), plan.somme);
}

Lecteur lecteur_resultats()
{
    Lecteur l;
    l.fichier = QStringLiteral("resultats.res");
    l.contenu.lignes = { "Essai1", "Mot affiché=été prop=$été ôté répondu=été",
                         "Mot affiché=ôté prop=ôté $été répondu=été", "Élève Zoé",
                         "Mot affiché=ça prop=$ça çà répondu=ça" };
    const QString ch0t = "ch" + QString(QChar(0)) + "t";
    l.contenu.lignes_nul = { "Essai1",
                             "Mot affiché=" + ch0t + " prop=$" + ch0t + " chat répondu=" + ch0t };
    l.contenu.gros = [] {
        return lignes_repetees({ "Essai1", "Mot affiché=été prop=$été ôté répondu=ôté" });
    };
    l.lit = [](Banc &b, const QString &chemin) {
        b.fichier_dialogue = chemin;
        b.form->ouvrirunrsultat1->trigger();
    };
    l.etat = etat_resultats;
    l.erreur_ouverture = impossible_d_ouvrir;
    l.erreur_contenu = refus_capacite;
    l.verifie = verifie_resultats;
    return l;
}

// --- melody lists ------------------------------------------------------------

Lecteur lecteur_melodies()
{
    Lecteur l;
    l.fichier = QStringLiteral("airs.mus");
    l.contenu.lignes = { "gamme é,150,cdo2 cré2 cmi2 - cfa2",
                         "À la claire fontaine,320,ndo3 nré3 bmi3",
                         "Frère Jacques,160,ndo3 nré3 nmi3(+1/2)" };
    l.contenu.lignes_nul = { "nul,100,cla2" + QString(QChar(0)) + " cmi2", "gamme,150,cdo2" };
    l.contenu.gros = [] {
        return lignes_repetees({ "Frère Jacques,160,ndo3 nré3 nmi3 ndo3 ndo3 nré3 nmi3 ndo3" });
    };
    l.lit = [](Banc &b, const QString &chemin) {
        b.fichier_dialogue = chemin;
        b.form->groupe_musical->SpeedButton7->click();
    };
    l.etat = [](Banc &b) {
        return QStringList{ b.form->groupe_musical->Memo_music->document()->toRawText() };
    };
    l.erreur_ouverture = impossible_d_ouvrir;
    l.erreur_contenu = refus_capacite;
    l.verifie = [](Banc &b, const QString &, const QStringList &lignes) {
        QCOMPARE(lignes_de(b.form->groupe_musical->Memo_music), lignes);
    };
    return l;
}

} // namespace

class TestLecturesPrincipale : public QObject
{
    Q_OBJECT
private slots:
    void parametres_data() { lignes_des_cas(); }
    void parametres() { cellule(lecteur_param()); }
    void liste_exercice_data() { lignes_des_cas(); }
    void liste_exercice() { cellule(lecteur_liste()); }
    void resultats_data() { lignes_des_cas(); }
    void resultats() { cellule(lecteur_resultats()); }
    void melodies_data() { lignes_des_cas(); }
    void melodies() { cellule(lecteur_melodies()); }
};

FANTREL_TEST_MAIN(TestLecturesPrincipale)
#include "test_lectures_principale.moc"
