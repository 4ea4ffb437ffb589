#include "app/fenetre_principale.h"
#include "app/affichage_mot.h"
#include "app/aiguillage_essais.h"
#include "app/clavier_reponses.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/deplacement_flottant.h"
#include "app/fenetre_verification.h"
#include "app/fichier_param.h"
#include "app/groupe_exercice.h"
#include "app/journal_seance.h"
#include "app/liaison_labo.h"
#include "app/groupe_radio.h"
#include "app/panneau_reglages.h"
#include "app/panneau_seuil.h"
#include "app/verification_affichage.h"
#include "engine3d/vue3d.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "platform/boites_dialogue.h"
#include "platform/fichier_texte.h"
#include "platform/liaison.h"
#include "results/fenetre_graphique.h"
#include "results/fenetre_resultats_3d.h"
#include "results/fenetre_participants.h"
#include "results/fenetre_statistiques.h"
#include "results/groupe_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include "trials/mesure_seuil.h"
#include "wordpairs/fenetre_couples.h"
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace fantrel::app {

TForm1::TForm1(results::TableauResultats &tableau, results::RecordResultats &record,
               QWidget *parent)
    : QMainWindow(parent), m_tableau(tableau), m_record(record)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Fantrel"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(largeur_fenetre, hauteur_fenetre);
    m_centre = new QWidget(this);
    m_centre->setObjectName(QStringLiteral("zone_client"));
    setCentralWidget(m_centre);
    m_deplacement = new DeplacementFlottant(this);

    construit_menus();
    affichage = new AffichageMot(etat, m_centre);
    commandes = new CommandesEssai(etat, m_centre);
    construit_groupes();
    reglages = new PanneauReglages(m_centre);
    m_deplacement->rend_flottant(reglages);
    korvane = new trials::EssaiKorvane(etat, *affichage, this);
    morbelle = new trials::EssaiMorbelle(etat, *affichage, this);
    essai_musical = new music::EssaiMusical(etat, this);
    verification = new VerificationAffichage(*affichage, this);
    fenetre_verification = new FenetreVerification(this);
    aiguillage = std::make_unique<AiguillageEssais>(etat, *korvane, *morbelle, *essai_musical);
    clavier = new ClavierReponses(this);
    mesure_seuil = new trials::MesureSeuil(this);
    korvane->definir_mesure(mesure_seuil);
    panneau_seuil = new PanneauSeuil(this);
    fichier_param = std::make_unique<FichierParam>(etat, *reglages, *affichage, *korvane);
    journal = std::make_unique<JournalSeance>(m_tableau);
    labo = std::make_unique<LiaisonLabo>();
    construit_barre_etat();
    deroulement = std::make_unique<DeroulementSeance>(PartiesPrincipales{
            etat, *affichage, *commandes, *reglages, *fichier_param, *GroupBox3, m_record,
            m_tableau, *journal, *groupe_musical, *korvane, *aiguillage, OpenDialog1, *labo });
    OpenDialog1.filtre =
            QStringLiteral("Fichiers textes|*.txt|Exercices "
                           "subliminaux|*.liste_fantrel|Fichiers résultats *.res|*.res");

    Timer_debut = new QTimer(this);
    Timer_debut->setObjectName(QStringLiteral("Timer_debut"));
    Timer_debut->setInterval(100);
    platform::relie(Timer_debut, &QTimer::timeout, this, &TForm1::Timer_debutTimer);
    Timer_debut->start();

    affichage->garde_au_dessus({ commandes->BitBtn2, commandes->bit_rep1, commandes->bit_rep2,
                                 commandes->Bit_rep3, commandes->Edit_saisie_libre,
                                 commandes->BitBtn_ecoute, GroupBox3, groupe_resultats,
                                 groupe_musical, reglages });
    // Centred; a window wider than the screen gets a negative left.
    if (const QScreen *ecran = screen()) {
        const QRect r = ecran->geometry();
        move((r.width() - width()) / 2, (r.height() - height()) / 2);
    }
    platform::definir_fenetre_parente(this);
}

TForm1::~TForm1() = default;

void TForm1::relie_fenetres(wordpairs::TForm_choix_mots *choix, results::TForm_courbe *courbe,
                            results::TForm_courbe2 *courbe2,
                            results::FenetreStatistiques *statistiques,
                            results::FenetreParticipants *participants)
{
    m_choix_mots = choix;
    m_courbe = courbe;
    m_courbe2 = courbe2;
    m_statistiques = statistiques;
    m_participants = participants;
    deroulement->relie_fenetre_3d(courbe2);
}

void TForm1::construit_groupes()
{
    GroupBox3 = new GroupeExercice(m_centre);
    groupe_resultats = new results::GroupeResultats(m_record, OpenDialog1, m_centre);
    groupe_resultats->setGeometry(728, 48, 283, 225);
    groupe_musical = new music::GroupeMusical(m_centre);
    groupe_musical->setGeometry(688, 24, 393, 336);
    for (QGroupBox *g :
         std::initializer_list<QGroupBox *>{ GroupBox3, groupe_resultats, groupe_musical }) {
        g->hide();
        m_deplacement->rend_flottant(g);
    }
}

trials::EssaiMots *TForm1::essai_mots() const
{
    return &aiguillage->essai_mots();
}

void TForm1::coche_type_test(QAction *coche)
{
    for (QAction *a : { Korvane1, Morbelle1, Incongruitmusicale1 })
        a->setChecked(a == coche);
}

void TForm1::choisit_mode_reponse(QAction *coche)
{
    Comparaisondemots1->setChecked(coche == Comparaisondemots1);
    Saisielibre1->setChecked(coche == Saisielibre1);
    aiguillage->definir_mode_reponse(coche == Saisielibre1 ? trials::ModeReponse::saisie_libre
                                                           : trials::ModeReponse::comparaison);
    affichage->Timer_reaffich->start();
}

// The record is the only trace of the subjects' answers: unsaved lines are not
// lost to a stray click on the close box.
void TForm1::closeEvent(QCloseEvent *evenement)
{
    evenement->setAccepted(groupe_resultats->peut_abandonner_record());
    if (evenement->isAccepted())
        deroulement->termine();
}

// --- handlers: each hands the user's act to the part that does the work ---

void TForm1::Timer_debutTimer()
{
    // Stopped first, so that a failing step never runs again.
    Timer_debut->stop();
    deroulement->demarre();
    applique_touches(false);
}

void TForm1::Ouvrirunexercice1Click()
{
    OpenDialog1.index_filtre = 1;
    OpenDialog1.nom_fichier.clear();
    deroulement->ouvre_exercice();
}

void TForm1::ouvrirunrsultat1Click()
{
    groupe_resultats->ouvrirunrsultat1Click();
}

void TForm1::rierdesmots1Click()
{
    m_choix_mots->exec();
}

void TForm1::Sauverlesparamtres1Click()
{
    fichier_param->sauve();
}

void TForm1::Enregistrerlesrsultats1Click()
{
    groupe_resultats->Speed_sauve_resultClick();
}

void TForm1::Exporterlesessais1Click()
{
    deroulement->exporte_essais();
}

void TForm1::Nouvelutilisateur1Click()
{
    m_tableau.cree_utilisateur();
}

void TForm1::Fichedeparticipant1Click()
{
    deroulement->edite_fiche();
}

void TForm1::Comparaisondemots1Click()
{
    choisit_mode_reponse(Comparaisondemots1);
}

void TForm1::Saisielibre1Click()
{
    choisit_mode_reponse(Saisielibre1);
}

void TForm1::Quitter1Click()
{
    close();
}

void TForm1::Courbe1Click()
{
    m_courbe->Courbe1Click();
}

void TForm1::Courbe21Click()
{
    m_courbe2->Courbe21Click();
}

void TForm1::Statistiques1Click()
{
    m_statistiques->affiche(m_tableau.lignes_statistiques(), deroulement->reglages_etendus().echelle_a_priori);
    m_statistiques->show();
    m_statistiques->raise();
}

void TForm1::Graphiquedesparticipants1Click()
{
    m_participants->affiche(m_tableau.lignes_statistiques());
    m_participants->show();
    m_participants->raise();
}

void TForm1::outeffacer1Click()
{
    m_tableau.tout_effacer();
}

void TForm1::Korvane1Click()
{
    coche_type_test(Korvane1);
    deroulement->choisit_test(trials::TestEssai::korvane);
}

void TForm1::Morbelle1Click()
{
    coche_type_test(Morbelle1);
    deroulement->choisit_test(trials::TestEssai::morbelle);
}

void TForm1::Incongruitmusicale1Click()
{
    coche_type_test(Incongruitmusicale1);
    deroulement->choisit_test(trials::TestEssai::musique);
}

void TForm1::Rglages1Click()
{
    reglages->setVisible(!reglages->isVisible());
    if (reglages->isVisible())
        reglages->raise();
}

void TForm1::Modevisible1Click()
{
    m_mode_visible = !m_mode_visible;
    Modevisible1->setChecked(m_mode_visible);
    for (QWidget *w :
         std::initializer_list<QWidget *>{ GroupBox3, commandes->lab_mot_aff, commandes->Lab_bid,
                                           groupe_resultats, groupe_musical })
        w->setVisible(m_mode_visible);
}

void TForm1::Verifierlaffichage1Click()
{
    verification->demarre(plan_verification(etat, *korvane, *morbelle));
}

void TForm1::BitBtn4Click()
{
    reglages->hide();
    fichier_param->sauve();
    deroulement->sauve_photodiode();
    applique_touches(true);
}

void TForm1::BitBtn3Click()
{
    fichier_param->lire();
    deroulement->reprend_photodiode();
    reglages->hide();
    applique_touches(false);
}

void TForm1::SpeedButton3Click()
{
    reglages->hide();
    fichier_param->lire();
    deroulement->reprend_photodiode();
    reglages->hide();
}

void TForm1::SpeedButton1Click()
{
    Ouvrirunexercice1Click();
}

void TForm1::SpeedButton2Click()
{
    korvane->SpeedButton2Click();
}

void TForm1::Edit_masqueChange()
{
    etat.masque = reglages->Edit_masque->text();
    affichage->pose_texte(etat.masque);
}

void TForm1::BitBtn2Click()
{
    essai_mots()->BitBtn2Click();
}

void TForm1::bit_rep1Click()
{
    aiguillage->repond(trials::Cote::gauche, commandes->prend_acte_clic());
}

void TForm1::bit_rep2Click()
{
    aiguillage->repond(trials::Cote::droite, commandes->prend_acte_clic());
}

void TForm1::Bit_rep3Click()
{
    aiguillage->je_ne_sais_pas(commandes->prend_acte_clic());
}

void TForm1::Edit_saisie_libreEntree()
{
    aiguillage->saisie(commandes->Edit_saisie_libre->text());
}

void TForm1::BitBtn_ecouteClick()
{
    essai_musical->BitBtn_ecouteClick(reglages->reglages_musique(groupe_musical->melodies()));
}

} // namespace fantrel::app
