// Where the subsystems meet: every signal of one part that another part answers is
// connected here, and only here.
#include "app/affichage_mot.h"
#include "app/aiguillage_essais.h"
#include "app/clavier_reponses.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/fenetre_principale.h"
#include "app/fenetre_verification.h"
#include "app/fenetres.h"
#include "app/groupe_photodiode.h"
#include "app/journal_seance.h"
#include "app/liaison_labo.h"
#include "app/panneau_reglages.h"
#include "app/verification_affichage.h"
#include "app/panneau_seuil.h"
#include "trials/mesure_seuil.h"
#include "engine3d/vue3d.h"
#include "music/essai_musical.h"
#include "platform/minuteur_hr.h"
#include "results/fenetre_participants.h"
#include "results/fenetre_resultats_3d.h"
#include "results/fenetre_statistiques.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include "platform/liaison.h"
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace fantrel::app {

namespace {

void relie_essai_mots(trials::EssaiMots *essai, CommandesEssai *commandes,
                      results::RecordResultats *record, results::TableauResultats *tableau)
{
    using trials::EssaiMots;
    QObject::connect(essai, &EssaiMots::essai_commence, commandes, &CommandesEssai::essai_commence);
    QObject::connect(essai, &EssaiMots::mot_choisi, commandes, &CommandesEssai::mot_choisi);
    QObject::connect(essai, &EssaiMots::propositions_montrees, commandes,
                     &CommandesEssai::montre_propositions);
    QObject::connect(essai, &EssaiMots::saisie_demandee, commandes, &CommandesEssai::montre_saisie);
    QObject::connect(essai, &EssaiMots::ligne_resultat, record,
                     &results::RecordResultats::ajoute_ligne);
    QObject::connect(essai, &EssaiMots::reponse_comptee, tableau,
                     [tableau](int c, trials::FaconReponse facon) {
                         tableau->compte(c, results::GenreTest::mots, facon);
                     });
    QObject::connect(essai, &EssaiMots::verdict, commandes, &CommandesEssai::affich_bid);
    QObject::connect(essai, &EssaiMots::commandes_cachees, commandes,
                     &CommandesEssai::cache_boutons);
    QObject::connect(essai, &EssaiMots::liste_finie, commandes, &CommandesEssai::liste_finie);
}

void relie_musique(music::EssaiMusical *essai, CommandesEssai *commandes,
                   results::TableauResultats *tableau)
{
    using music::EssaiMusical;
    QObject::connect(essai, &EssaiMusical::ecoute_permise, commandes->BitBtn_ecoute,
                     &QPushButton::setEnabled);
    QObject::connect(essai, &EssaiMusical::melodie_tiree, commandes,
                     &CommandesEssai::melodie_tiree);
    QObject::connect(essai, &EssaiMusical::reponses_montrees, commandes,
                     &CommandesEssai::montre_reponses_musique);
    QObject::connect(essai, &EssaiMusical::reponses_cachees, commandes,
                     &CommandesEssai::cache_reponses_musique);
    QObject::connect(essai, &EssaiMusical::reponse_comptee, tableau,
                     [tableau](int c) { tableau->compte(c, results::GenreTest::musique); });
    QObject::connect(essai, &EssaiMusical::verdict, commandes, &CommandesEssai::affich_bid);
}

void relie_reglages(TForm1 &f)
{
    PanneauReglages *p = f.reglages;
    QObject::connect(p, &PanneauReglages::intervalle_change, f.korvane->AsyncTimer2,
                     [m = f.korvane->AsyncTimer2](int ms) { m->definir_intervalle(quint16(ms)); });
    QObject::connect(p, &PanneauReglages::hauteur_change, f.affichage,
                     &AffichageMot::definir_hauteur);
    QObject::connect(p, &PanneauReglages::largeur_change, f.affichage,
                     &AffichageMot::definir_largeur);
    QObject::connect(p, &PanneauReglages::duree_phase_change, f.morbelle,
                     &trials::EssaiMorbelle::definir_duree);
    QObject::connect(p, &PanneauReglages::masques_morbelle_changes, f.morbelle,
                     &trials::EssaiMorbelle::definir_masques);
    QObject::connect(p, &PanneauReglages::couleur_texte_choisie, f.affichage,
                     &AffichageMot::definir_couleur_texte);
    QObject::connect(p, &PanneauReglages::couleur_fond_choisie, f.affichage,
                     &AffichageMot::definir_couleur_fond);
    QObject::connect(p->photodiode, &GroupePhotodiode::photodiode_changee, f.affichage,
                     &AffichageMot::definir_photodiode);
    QObject::connect(f.affichage->vue_3d, &engine3d::Vue3D::rafraichissement_mesure, p,
                     [p, a = f.affichage] { p->definir_ecran(a->periode_ecran_ms()); });
    // The word's scale and the size labels follow the bars from the start.
    p->Scroll_hauteurChange();
    p->Scroll_largeurChange();
}

// The display check: the simulated monitor counts from its first flash; Escape stops
// it; at its end the flashes go to the base and the report is shown.
void relie_verification(TForm1 &f)
{
    VerificationAffichage *v = f.verification;
    QObject::connect(v, &VerificationAffichage::commencee, f.affichage->vue_3d,
                     &engine3d::Vue3D::commence_serie_flashs);
    QObject::connect(v, &VerificationAffichage::mot_flashe, f.affichage,
                     &AffichageMot::definir_mot_verifie);
    // Only while it runs: Escape keeps its other uses.
    auto *echap = new QShortcut(QKeySequence(Qt::Key_Escape), &f);
    echap->setEnabled(false);
    // The musical test hides the word: the check shows its own, then hides it again.
    QObject::connect(v, &VerificationAffichage::commencee, echap, [echap, &f] {
        echap->setEnabled(true);
        f.affichage->texte_visible(true);
    });
    QObject::connect(echap, &QShortcut::activated, v, &VerificationAffichage::arrete);
    QObject::connect(v, &VerificationAffichage::terminee, &f, [&f, v, echap] {
        echap->setEnabled(false);
        f.affichage->definir_mot_verifie(QString());
        f.affichage->texte_visible(f.etat.test != trials::TestEssai::musique);
        f.journal->note_verification(v->flashs());
        engine3d::Vue3D *vue = f.affichage->vue_3d;
        f.fenetre_verification->affiche({ f.affichage->frequence_ecran_hz(),
                                          vue->methode_horodatage(),
                                          vue->description_horodatage() },
                                        *v);
        f.fenetre_verification->show();
        f.fenetre_verification->raise();
    });
}

void relie_resultats(Fenetres &w)
{
    TForm1 *f = w.Form1.get();
    results::TForm_courbe2 *courbe2 = w.Form_courbe2.get();
    // A new user starts the exercise again (the record and the 3D view follow the
    // table by themselves).
    QObject::connect(w.tableau.get(), &results::TableauResultats::utilisateur_cree, f,
                     [f] { f->deroulement->relance_exercice(); });
    QObject::connect(courbe2, &results::TForm_courbe2::liste_demandee, f,
                     [f](int n) { f->deroulement->affich_liste(n); });
    QObject::connect(courbe2, &results::TForm_courbe2::affichage_change, f->Courbe22,
                     &QAction::setChecked);
    f->Courbe22->setChecked(courbe2->isVisible());
    // The statistics and the participants' chart, when shown, follow the tallies.
    results::FenetreStatistiques *statistiques = w.Form_statistiques.get();
    results::FenetreParticipants *participants = w.Form_participants.get();
    results::TableauResultats *tableau = w.tableau.get();
    QObject::connect(tableau, &results::TableauResultats::compte_change, statistiques,
                     [statistiques, participants, tableau] {
                         if (statistiques->isVisible())
                             statistiques->affiche(tableau->lignes_statistiques(),
                                                   statistiques->modele()->echelle_a_priori());
                         if (participants->isVisible())
                             participants->affiche(tableau->lignes_statistiques());
                     });
}

// Every answered trial and every change of the results table or record, into the
// session's trial database; its troubles in the error box.
void relie_journal(Fenetres &w)
{
    TForm1 *f = w.Form1.get();
    JournalSeance *journal = f->journal.get();
    for (QObject *essai : std::initializer_list<QObject *>{ f->korvane, f->morbelle })
        QObject::connect(static_cast<trials::EssaiMots *>(essai), &trials::EssaiMots::essai_termine,
                         journal, &JournalSeance::note_essai);
    QObject::connect(f->essai_musical, &music::EssaiMusical::essai_termine, journal,
                     &JournalSeance::note_essai);
    using base::Evenement;
    using results::TableauResultats;
    results::TableauResultats *tableau = w.tableau.get();
    QObject::connect(tableau, &TableauResultats::utilisateur_cree, journal,
                     &JournalSeance::sur_utilisateur_cree);
    QObject::connect(tableau, &TableauResultats::rangee_renommee, journal,
                     &JournalSeance::sur_rangee_renommee);
    QObject::connect(tableau, &TableauResultats::rangees_utilisateurs_retirees, journal,
                     &JournalSeance::oublie_rangees);
    QObject::connect(tableau, &TableauResultats::tout_efface, journal,
                     [journal] { journal->note_evenement(Evenement::tout_effacer()); });
    results::RecordResultats *record = w.record.get();
    QObject::connect(record, &results::RecordResultats::fichier_lu, journal,
                     &JournalSeance::sur_fichier_lu);
    QObject::connect(record, &results::RecordResultats::fichier_enregistre, journal,
                     [journal](const QString &chemin) {
                         journal->note_evenement(Evenement::enregistrement_fichier(chemin));
                     });
    // What the session row says of the screen and the timers, as each becomes known.
    const auto precise = [journal, f] {
        journal->precise(f->affichage->frequence_ecran_hz(), f->korvane->AsyncTimer2->priorite(),
                         f->affichage->vue_3d->methode_horodatage());
    };
    QObject::connect(f->affichage->vue_3d, &engine3d::Vue3D::rafraichissement_mesure, journal,
                     precise);
    QObject::connect(f->korvane->AsyncTimer2, &platform::MinuteurHR::priorite_obtenue, journal,
                     precise);
    QObject::connect(journal, &JournalSeance::enregistrement_arrete, journal,
                     [](const QString &message) { platform::montre_erreur(message); });
}

// The lab server's sender: told of each trial once the base has it; its state in the
// status bar; the password asked once when the server wants one.
void relie_labo(TForm1 &f)
{
    LiaisonLabo *labo = f.labo.get();
    for (QObject *essai : std::initializer_list<QObject *>{ f.korvane, f.morbelle })
        QObject::connect(static_cast<trials::EssaiMots *>(essai), &trials::EssaiMots::essai_termine,
                         labo, &LiaisonLabo::signale_nouveautes);
    QObject::connect(f.essai_musical, &music::EssaiMusical::essai_termine, labo,
                     &LiaisonLabo::signale_nouveautes);
    QObject::connect(labo, &LiaisonLabo::texte_change, &f, &TForm1::montre_etat_labo);
    QObject::connect(labo, &LiaisonLabo::mot_de_passe_demande, &f,
                     &TForm1::demande_mot_de_passe_labo);
}

// The subject's keys: an answer to the switch, the start key to its button.
void relie_clavier(TForm1 &f)
{
    AiguillageEssais *a = f.aiguillage.get();
    QObject::connect(f.clavier, &ClavierReponses::reponse, &f,
                     [a](trials::Cote cote, const trials::ActeReponse &acte) {
                         a->repond(cote, acte);
                     });
    QObject::connect(f.clavier, &ClavierReponses::je_ne_sais_pas, &f,
                     [a](const trials::ActeReponse &acte) { a->je_ne_sais_pas(acte); });
    platform::relie(f.clavier, &ClavierReponses::depart, &f, &TForm1::touche_depart);
}

// The threshold run: its progress and end in its panel, the panel's buttons.
void relie_seuil(TForm1 &f)
{
    PanneauSeuil *p = f.panneau_seuil;
    trials::MesureSeuil *m = f.mesure_seuil;
    QObject::connect(m, &trials::MesureSeuil::essai_note, p, &PanneauSeuil::montre_progression);
    QObject::connect(m, &trials::MesureSeuil::abandonnee, p, &PanneauSeuil::montre_abandon);
    QObject::connect(m, &trials::MesureSeuil::fini, p, [p, m] {
        p->montre_resultat(*m);
        p->show();
        p->raise();
    });
    platform::relie(p->Bouton_commencer, &QPushButton::clicked, &f, &TForm1::commence_seuil);
    platform::relie(p->Bouton_appliquer, &QPushButton::clicked, &f, &TForm1::applique_seuil);
}

// The main window's controls to its handlers.
void relie_commandes(TForm1 &f)
{
    using platform::relie;
    CommandesEssai *c = f.commandes;
    relie(c->BitBtn2, &QPushButton::clicked, &f, &TForm1::BitBtn2Click);
    relie(c->bit_rep1, &QPushButton::clicked, &f, &TForm1::bit_rep1Click);
    relie(c->bit_rep2, &QPushButton::clicked, &f, &TForm1::bit_rep2Click);
    relie(c->Bit_rep3, &QPushButton::clicked, &f, &TForm1::Bit_rep3Click);
    relie(c->Edit_saisie_libre, &QLineEdit::returnPressed, &f, &TForm1::Edit_saisie_libreEntree);
    relie(c->BitBtn_ecoute, &QPushButton::clicked, &f, &TForm1::BitBtn_ecouteClick);
    PanneauReglages *p = f.reglages;
    relie(p->BitBtn4, &QPushButton::clicked, &f, &TForm1::BitBtn4Click);
    relie(p->BitBtn3, &QPushButton::clicked, &f, &TForm1::BitBtn3Click);
    relie(p->SpeedButton3, &QToolButton::clicked, &f, &TForm1::SpeedButton3Click);
    relie(p->SpeedButton1, &QToolButton::clicked, &f, &TForm1::SpeedButton1Click);
    relie(p->SpeedButton2, &QToolButton::clicked, &f, &TForm1::SpeedButton2Click);
    relie(p->Edit_masque, &QLineEdit::textChanged, &f, &TForm1::Edit_masqueChange);
}

} // namespace

void relie_sous_systemes(Fenetres &w)
{
    TForm1 &f = *w.Form1;
    relie_commandes(f);
    relie_clavier(f);
    relie_seuil(f);
    for (trials::EssaiMots *essai : { static_cast<trials::EssaiMots *>(f.korvane),
                                      static_cast<trials::EssaiMots *>(f.morbelle) })
        relie_essai_mots(essai, f.commandes, w.record.get(), w.tableau.get());
    relie_musique(f.essai_musical, f.commandes, w.tableau.get());
    relie_reglages(f);
    relie_verification(f);
    relie_resultats(w);
    relie_journal(w);
    relie_labo(f); // after the journal: a trial is in the base before the sender hears of it
}

} // namespace fantrel::app
