// The main window's links to the results, music and word-pair windows.
#include "app/Unit1.h"
#include "trials/liste_exercice.h"
#include "trials/reponses.h"
#include <QAction>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace fantrel {

void TForm1::relie_fenetres(TForm_choix_mots* choix, TForm_courbe* courbe, TForm_courbe2* courbe2)
{
    Form_choix_mots = choix;
    Form_courbe = courbe;
    Form_courbe2 = courbe2;
}

void TForm1::construit_groupes_resultats_musique()
{
    Group_result = new QGroupBox(QStringLiteral("Fichier résultats"), centralWidget());
    Group_result->setObjectName(QStringLiteral("Group_result"));
    Group_result->setGeometry(728, 48, 283, 225);
    Memo_enreg_test = new QPlainTextEdit(Group_result);
    Memo_enreg_test->setObjectName(QStringLiteral("Memo_enreg_test"));
    Memo_enreg_test->setGeometry(8, 20, 267, 191);
    Memo_enreg_test->setAccessibleName(QStringLiteral("Fichier résultats"));
    Group_result->hide();
    rend_flottant(Group_result);

    Group_musical = new QGroupBox(QStringLiteral("Fichier musical"), centralWidget());
    Group_musical->setObjectName(QStringLiteral("Group_musical"));
    Group_musical->setGeometry(688, 24, 393, 336);
    Group_musical->hide();
    rend_flottant(Group_musical);
}

void TForm1::misajour_courbe()
{
    const int c = categorie(etat.rang_mot, etat.bonne_reponse);
    if (c > 0)
        ++etat.compte_test[c];
}

void TForm1::compte_reponse()
{
    misajour_courbe();
}

void TForm1::Nouvelutilisateur1Click()
{
    etat.fin_liste = false;
    etat.num_essai = 0;
    if (etat.mode_musical) {
        BitBtn_ecoute->setEnabled(true);
    } else {
        BitBtn2->setEnabled(true);
        BitBtn2->show();
    }
    melange_des_lignes(etat);
    etat.compte_test.fill(0);
}

void TForm1::branche_barres_test() {}
void TForm1::recule_camera_resultats() {}
void TForm1::ouvrirunrsultat1Click() {}
void TForm1::Enregistrerlesrsultats1Click() {}
void TForm1::Courbe1Click() {}
void TForm1::Courbe21Click() {}
void TForm1::outeffacer1Click() {}
void TForm1::rierdesmots1Click() {}

void TForm1::Incongruitmusicale1Click()
{
    etat.mode_morbelle = false;
    coche_type_test(Incongruitmusicale1);
    texte_visible(false);
    BitBtn2->hide();
    BitBtn_ecoute->show();
    bit_rep1->setText(QStringLiteral("C'était juste"));
    bit_rep2->setText(QStringLiteral("C'était faux"));
    etat.mode_musical = true;
}

} // namespace fantrel
