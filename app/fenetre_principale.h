// The main window TForm1: the subject's 3D word with the answer controls under it,
// the experimenter's menus, the settings panel and the floating "Mode visible"
// boxes. It holds the run's shared state and its parts; each handler is one line
// that calls the part doing the work (app/connexions.cpp wires the parts together).
#pragma once
#include "platform/interactions.h"
#include "trials/etat_partage.h"
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QTimer;

namespace fantrel::trials {
class EssaiKorvane;
class EssaiMorbelle;
class EssaiMots;
class MesureSeuil;
} // namespace fantrel::trials
namespace fantrel::results {
class GroupeResultats;
class FenetreParticipants;
class FenetreStatistiques;
class RecordResultats;
class TableauResultats;
class TForm_courbe;
class TForm_courbe2;
} // namespace fantrel::results
namespace fantrel::music {
class EssaiMusical;
class GroupeMusical;
} // namespace fantrel::music
namespace fantrel::wordpairs {
class TForm_choix_mots;
}

namespace fantrel::app {

class AffichageMot;
class AiguillageEssais;
class ClavierReponses;
class CommandesEssai;
class DeplacementFlottant;
class DeroulementSeance;
class FenetreVerification;
class FichierParam;
class GroupeExercice;
class JournalSeance;
class LiaisonLabo;
class PanneauReglages;
class VerificationAffichage;
class PanneauSeuil;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // tableau: the table of result rows; record: the results record, which follows it.
    TForm1(results::TableauResultats &tableau, results::RecordResultats &record,
           QWidget *parent = nullptr);
    ~TForm1() override;

    // The other windows, made after this one (fenetres.h).
    void relie_fenetres(wordpairs::TForm_choix_mots *choix, results::TForm_courbe *courbe,
                        results::TForm_courbe2 *courbe2,
                        results::FenetreStatistiques *statistiques,
                        results::FenetreParticipants *participants);

    trials::EtatPartage etat; // the run's shared state

    // --- the window's parts ---
    AffichageMot *affichage = nullptr; // the 3D word
    CommandesEssai *commandes = nullptr; // start, answer and listen buttons, labels
    PanneauReglages *reglages = nullptr; // "Réglages" (GroupBox1)
    std::unique_ptr<FichierParam> fichier_param; // param.ini
    std::unique_ptr<JournalSeance> journal; // the trial database's session
    std::unique_ptr<LiaisonLabo> labo; // the lab server's sender, when one is set
    std::unique_ptr<DeroulementSeance> deroulement; // start-up, list, new user, listing
    GroupeExercice *GroupBox3 = nullptr; // "Fichier exercice": the list, or a user's answers
    results::GroupeResultats *groupe_resultats = nullptr; // "Fichier résultats" (Group_result)
    music::GroupeMusical *groupe_musical = nullptr; // "Fichier musical" (Group_musical)
    trials::EssaiKorvane *korvane = nullptr; // first masked-word paradigm
    trials::EssaiMorbelle *morbelle = nullptr; // second paradigm
    music::EssaiMusical *essai_musical = nullptr; // "Incongruité musicale"
    std::unique_ptr<AiguillageEssais> aiguillage; // "Type de test", and its trial's answers
    VerificationAffichage *verification = nullptr; // "Vérifier l'affichage…": its flashes
    FenetreVerification *fenetre_verification = nullptr; // its report
    ClavierReponses *clavier = nullptr; // the subject's answer keys
    trials::MesureSeuil *mesure_seuil = nullptr; // a threshold run of the first paradigm
    PanneauSeuil *panneau_seuil = nullptr; // "Mesurer le seuil"
    QTimer *Timer_debut = nullptr; // 100 ms after start, once
    platform::OptionsDialogue OpenDialog1; // shared by exercise lists and results files

    // The word test in use (the second paradigm's in its test).
    trials::EssaiMots *essai_mots() const;

    // --- menus, named as the window's layout names them ---
    QAction *Ouvrirunexercice1 = nullptr;
    QAction *ouvrirunrsultat1 = nullptr;
    QAction *rierdesmots1 = nullptr;
    QAction *Sauverlesparamtres1 = nullptr;
    QAction *Enregistrerlesrsultats1 = nullptr;
    QAction *Exporterlesessais1 = nullptr;
    QAction *Nouvelutilisateur1 = nullptr;
    QAction *Fichedeparticipant1 = nullptr;
    QAction *ypedexercice1 = nullptr;
    QAction *Comparaisondemots1 = nullptr;
    QAction *Saisielibre1 = nullptr;
    QAction *Quitter1 = nullptr;
    QAction *Courbe11 = nullptr;
    QAction *Courbe22 = nullptr;
    QAction *Statistiques1 = nullptr;
    QAction *Graphiquedesparticipants1 = nullptr;
    QAction *outeffacer1 = nullptr;
    QAction *Korvane1 = nullptr;
    QAction *Morbelle1 = nullptr;
    QAction *Incongruitmusicale1 = nullptr;
    QAction *Rglages1 = nullptr;
    QAction *Modevisible1 = nullptr;
    QAction *Verifierlaffichage1 = nullptr;
    QAction *Mesurerleseuil1 = nullptr;
    QAction *Basedulaboratoire1 = nullptr;
    QLabel *Lab_base_labo = nullptr; // the status bar's "Base du laboratoire : …"

public slots:
    void Timer_debutTimer(); // start-up, once: settings, list, result rows 0 and 1

    void Ouvrirunexercice1Click(); // Fichier › Ouvrir un exercice
    void ouvrirunrsultat1Click(); // Fichier › Ouvrir un résultat
    void rierdesmots1Click(); // Fichier › Trier des  mots
    void Sauverlesparamtres1Click(); // Fichier › Enregistrer les paramètres
    void Enregistrerlesrsultats1Click(); // Fichier › Enregistrer les résultats
    void Exporterlesessais1Click(); // Fichier › Exporter les essais (CSV)…
    void Nouvelutilisateur1Click(); // Fichier › Nouvel utilisateur
    void Fichedeparticipant1Click(); // Fichier › Fiche du participant…
    void Comparaisondemots1Click(); // Fichier › Type d'exercice › Comparaison de mots
    void Saisielibre1Click(); // Fichier › Type d'exercice › Saisie libre
    void Quitter1Click(); // Fichier › Quitter
    void Courbe1Click(); // Courbes › Courbe1 (hidden entry)
    void Courbe21Click(); // Courbes › Afficher
    void Statistiques1Click(); // Courbes › Statistiques
    void Graphiquedesparticipants1Click(); // Courbes › Graphique des participants
    void outeffacer1Click(); // Courbes › Tout effacer
    void Korvane1Click(); // Type de test › Korvane
    void Morbelle1Click(); // Type de test › Morbelle
    void Incongruitmusicale1Click(); // Type de test › Incongruité musicale
    void Rglages1Click(); // Options › Réglages
    void Modevisible1Click(); // Options › Mode visible
    void Verifierlaffichage1Click(); // Options › Vérifier l'affichage…
    void Mesurerleseuil1Click(); // Options › Mesurer le seuil…
    void Basedulaboratoire1Click(); // Options › Base du laboratoire…
    // The sending's state in the status bar, hidden (and the window its own size) with
    // no server.
    void montre_etat_labo(const QString &texte);
    void demande_mot_de_passe_labo(); // once per run, when the server wants a password
    void commence_seuil(); // "Commencer": Korvane, then the run's trials from the start button
    // "Appliquer": the exposure set to the threshold minus k, the calibration recorded.
    void applique_seuil();

    void BitBtn4Click(); // Réglages › OK
    void BitBtn3Click(); // Réglages › Annuler
    void SpeedButton3Click(); // Réglages › X
    void SpeedButton1Click(); // Réglages › open an exercise list
    void SpeedButton2Click(); // Réglages › Test de Korvane › test
    void Edit_masqueChange(); // Réglages › Mire typed

    void BitBtn2Click(); // "Concentrez vous sur le leurre et cliquez ici"
    void bit_rep1Click(); // left answer (or "C'était juste")
    void bit_rep2Click(); // right answer (or "C'était faux")
    void Bit_rep3Click(); // "?"
    void Edit_saisie_libreEntree(); // Enter in the free-typing box
    void BitBtn_ecouteClick(); // "Cliquez ici pour écouter la mélodie"
    void touche_depart(); // the start key: the start or listen button, when usable

protected:
    void closeEvent(QCloseEvent *evenement) override;

private:
    void construit_menus();
    void construit_groupes();
    void construit_barre_etat();
    void coche_type_test(QAction *coche);
    // "Type d'exercice": the marks, the word tests' answer mode, the controls reset.
    void choisit_mode_reponse(QAction *coche);
    // The keys of fantrel.ini in effect, in the panel and the key catcher; written to
    // fantrel.ini first, as the panel sets them, when `ecrire`.
    void applique_touches(bool ecrire);

    // The window's fixed size, the status bar aside.
    static constexpr int largeur_fenetre = 1129;
    static constexpr int hauteur_fenetre = 734;

    QWidget *m_centre = nullptr;
    DeplacementFlottant *m_deplacement = nullptr;
    bool m_mode_visible = false;
    wordpairs::TForm_choix_mots *m_choix_mots = nullptr;
    results::TForm_courbe *m_courbe = nullptr;
    results::TForm_courbe2 *m_courbe2 = nullptr;
    results::FenetreStatistiques *m_statistiques = nullptr;
    results::FenetreParticipants *m_participants = nullptr;
    results::TableauResultats &m_tableau;
    results::RecordResultats &m_record;
};

} // namespace fantrel::app
