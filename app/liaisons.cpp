// The main window's links to the results, music and word-pair windows.
#include "app/fenetre_principale.h"
#include "platform/liaison.h"
#include "app/groupe_radio.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "results/fenetre_graphique.h"
#include "results/fenetre_resultats_3d.h"
#include "results/groupe_resultats.h"
#include "trials/liste_exercice.h"
#include "trials/reponses.h"
#include "wordpairs/fenetre_couples.h"
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace fantrel::app {

void TForm1::construit_groupes_resultats_musique()
{
    groupe_resultats = new results::GroupeResultats(centralWidget());
    groupe_resultats->setObjectName(QStringLiteral("Group_result"));
    groupe_resultats->setGeometry(728, 48, 283, 225);
    groupe_resultats->hide();
    rend_flottant(groupe_resultats);
    Group_result = groupe_resultats;
    Memo_enreg_test = groupe_resultats->Memo_enreg_test;

    groupe_musical = new music::GroupeMusical(centralWidget());
    groupe_musical->setObjectName(QStringLiteral("Group_musical"));
    groupe_musical->setGeometry(688, 24, 393, 336);
    groupe_musical->hide();
    rend_flottant(groupe_musical);
    Group_musical = groupe_musical;
}

void TForm1::construit_essai_musical()
{
    music::ControlesMusique c;
    c.BitBtn_ecoute = BitBtn_ecoute;
    c.bit_rep1 = bit_rep1;
    c.bit_rep2 = bit_rep2;
    c.lab_mot_aff = lab_mot_aff;
    c.Memo_music = groupe_musical->Memo_music;
    c.Edit_incongru = Edit_incongru;
    c.Edit3 = Edit3;
    c.Radio_incongru = [this] { return Radio_incongru->index_choisi(); };
    c.compte_reponse = [this] { compte_reponse(); };
    c.affich_bid = [this](bool verdict) { affich_bid(verdict); };
    essai_musical = new music::EssaiMusical(etat, c, this);
    platform::relie(BitBtn_ecoute, &QPushButton::clicked, essai_musical,
                    &music::EssaiMusical::BitBtn_ecouteClick);
}

void TForm1::relie_fenetres(wordpairs::TForm_choix_mots *choix, results::TForm_courbe *courbe,
                            results::TForm_courbe2 *courbe2)
{
    Form_choix_mots = choix;
    Form_courbe = courbe;
    Form_courbe2 = courbe2;
    results::LienPrincipal lien;
    lien.Memo_enreg_test = Memo_enreg_test;
    lien.Memo1 = Memo1;
    lien.GroupBox3 = GroupBox3;
    lien.Courbe22 = Courbe22;
    lien.relance_exercice = [this] { relance_exercice(); };
    Form_courbe2->relier(lien);
    groupe_resultats->relier(Form_courbe2, &OpenDialog1);
}

// A new user starts the exercise again, with the pairs in a new order.
void TForm1::relance_exercice()
{
    etat.fin_liste = false;
    etat.num_essai = 0;
    if (etat.mode_musical) {
        BitBtn_ecoute->setEnabled(true);
    } else {
        BitBtn2->setEnabled(true);
        BitBtn2->show();
    }
    trials::melange_des_lignes(etat);
}

void TForm1::misajour_courbe()
{
    Form_courbe2->misajour_courbe();
}

void TForm1::compte_reponse()
{
    Form_courbe2->compte_reponse(true);
}

void TForm1::Nouvelutilisateur1Click()
{
    Form_courbe2->creation_util();
}

void TForm1::branche_barres_test()
{
    Form_courbe2->branche_barres_test();
}

void TForm1::recule_camera_resultats()
{
    Form_courbe2->recule_camera();
}

void TForm1::ouvrirunrsultat1Click()
{
    groupe_resultats->ouvrirunrsultat1Click();
}

void TForm1::Enregistrerlesrsultats1Click()
{
    groupe_resultats->Speed_sauve_resultClick();
}

void TForm1::Courbe1Click()
{
    Form_courbe->Courbe1Click();
}

void TForm1::Courbe21Click()
{
    Form_courbe2->Courbe21Click();
}

void TForm1::outeffacer1Click()
{
    Form_courbe2->tout_effacer();
}

void TForm1::rierdesmots1Click()
{
    Form_choix_mots->exec();
}

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
    groupe_musical->charge_defaut(etat.repertoire);
}

// The record is the only trace of the subjects' answers: unsaved lines are not
// lost to a stray click on the close box.
void TForm1::closeEvent(QCloseEvent *evenement)
{
    if (groupe_resultats->record_modifie()) {
        switch (platform::question(QStringLiteral("Enregistrer les résultats ?"), true)) {
        case platform::Reponse::Oui:
            if (!groupe_resultats->Speed_sauve_resultClick()) {
                evenement->ignore();
                return;
            }
            break;
        case platform::Reponse::Non:
            break;
        case platform::Reponse::Annuler:
            evenement->ignore();
            return;
        }
    }
    evenement->accept();
}

} // namespace fantrel::app
