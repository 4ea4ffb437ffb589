// A session played through the real windows, as a subject and an experimenter would:
// word trials answered right or wrong, "?", free typing, a new user, a rename. And
// what the results show, to compare a session with its recovery.
#pragma once
#include "banc.h"
#include "results/fenetre_resultats_3d.h"
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace banc {

// Starts a trial and waits for the answer controls.
inline bool lance(fantrel::app::TForm1 &f)
{
    QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
    return QTest::qWaitFor(
            [&] {
                return f.commandes->bit_rep1->isVisibleTo(&f)
                        || f.commandes->Edit_saisie_libre->isVisibleTo(&f);
            },
            5000);
}

// One word trial answered with the buttons, right or wrong.
inline bool repond(fantrel::app::TForm1 &f, bool juste)
{
    if (!lance(f))
        return false;
    const QString montre = f.commandes->lab_mot_aff->text();
    const bool gauche = (f.commandes->bit_rep1->text() == montre) == juste;
    QTest::mouseClick(gauche ? f.commandes->bit_rep1 : f.commandes->bit_rep2, Qt::LeftButton);
    return true;
}

// What the results show: the record's lines, then each row's name and counts (typed
// and "?" apart).
inline QStringList etat_resultats(const Banc &b)
{
    QStringList etat = b.form->groupe_resultats->lignes();
    const fantrel::results::TableauResultats &t = *b.fenetres->tableau;
    etat << QStringLiteral("--- %1 utilisateurs, courant %2")
                    .arg(t.nb_util())
                    .arg(t.util_courant());
    for (int n = 0; n <= std::min(t.nb_util(), fantrel::results::nb_max_util); ++n) {
        const auto &r = t.rangee(n);
        QString ligne = r.nom;
        for (int c = 1; c <= 4; ++c)
            ligne += QStringLiteral(" %1/%2").arg(r.comptes_mots[c]).arg(r.comptes_musique[c]);
        for (int c = 1; c <= 4; ++c)
            ligne += QStringLiteral(" saisies %1").arg(r.saisies_mots[c]);
        etat << ligne + QStringLiteral(" ? %1").arg(r.je_ne_sais_pas);
    }
    return etat;
}

// Essai1 answers two trials (right, wrong) and gives one up with "?"; a new user,
// renamed "Zoé", types one answer and clicks one.
inline bool joue_seance(Banc &b)
{
    fantrel::app::TForm1 &f = *b.form;
    if (!repond(f, true) || !repond(f, false) || !lance(f))
        return false;
    QTest::mouseClick(f.commandes->Bit_rep3, Qt::LeftButton);
    f.Nouvelutilisateur1->trigger();
    b.fenetres->tableau->renomme(2, QStringLiteral("Zoé"));
    f.Saisielibre1->trigger();
    if (!lance(f))
        return false;
    QTest::keyClicks(f.commandes->Edit_saisie_libre, f.commandes->lab_mot_aff->text());
    QTest::keyClick(f.commandes->Edit_saisie_libre, Qt::Key_Return);
    f.Comparaisondemots1->trigger();
    return repond(f, true);
}

// A CSV's column by its header's name, its rows in order.
inline QStringList colonne_csv(const QVector<QStringList> &lignes, const char *nom)
{
    QStringList valeurs;
    for (qsizetype k = 1; k < lignes.size(); ++k)
        valeurs << lignes[k].value(lignes[0].indexOf(QLatin1String(nom)));
    return valeurs;
}

} // namespace banc
