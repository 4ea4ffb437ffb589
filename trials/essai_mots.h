// A masked-word trial, from the start button to the answer: the pair of the trial
// and the word shown, the wait, the display (each paradigm its own, see
// essai_korvane.h and essai_morbelle.h), the answer controls asked for, the answer
// judged, recorded and counted. Widget-free: the main window shows what the signals
// say and forwards the subject's clicks; the word is drawn through AffichageEssai.
#pragma once
#include "trials/affichage_essai.h"
#include "trials/compte_rendu_essai.h"
#include "trials/etat_partage.h"
#include <QObject>
#include <QString>
#include <chrono>

namespace fantrel::trials {

// "Fichier › Type d'exercice".
enum class ModeReponse { comparaison, saisie_libre };
// An answer button, as the subject sees it: the left one or the right one.
enum class Cote { gauche, droite };

class MesureSeuil;

class EssaiMots : public QObject
{
    Q_OBJECT
public:
    EssaiMots(EtatPartage &etat, AffichageEssai &affichage, QObject *parent = nullptr);

    void definir_mode_reponse(ModeReponse mode) { m_mode = mode; }
    // While its run is under way, the trials are the threshold run's (mesure_seuil.h).
    void definir_mesure(MesureSeuil *mesure) { m_mesure = mesure; }
    ModeReponse mode_reponse() const { return m_mode; }

    // The start button: the next pair of the list, its word shown after a wait of
    // 1000 ms; nothing once the list is over.
    void BitBtn2Click();
    // An answer button chosen, or its key: the word the trial proposed on that side is
    // the answer. Both answers count only while the trial awaits one; a key whose event
    // came before the controls were shown is ignored and counted (touches_anticipees).
    void reponse_bouton(Cote cote, const ActeReponse &acte = {});
    // Enter in the free-typing box.
    void reponse_saisie(const QString &tape, const ActeReponse &acte = {});
    // "?": the trial ends unanswered, nothing in the record or the bars; counted apart.
    void Bit_rep3Click(const ActeReponse &acte = {});
    // Ends the trial's answer controls; once num_essai reaches the list's pairs the
    // list is over: the start button is disabled and "Plus de mots" shown.
    void cache_boutons();
    // Another test is chosen: a trial under way stops where it is (its timers off),
    // asks for no answer and reports nothing, and an answer awaited is no longer; a
    // threshold run under way is abandoned with it.
    void abandonne();

signals:
    void essai_commence(); // the start button hides
    void mot_choisi(const QString &montre); // "Mot affiché"; the verdict label empties
    void propositions_montrees(const QString &gauche, const QString &droite);
    void saisie_demandee(); // the free-typing box, with "?" beside it
    void ligne_resultat(const QString &ligne); // an answer line for the results record
    // In the current row, then the sum row; "?" too (categorie 0), counted apart.
    void reponse_comptee(int categorie, fantrel::trials::FaconReponse facon);
    void verdict(bool bonne_reponse);
    // The trial answered (or given up with "?"), with what it showed and measured.
    void essai_termine(const fantrel::trials::CompteRenduEssai &rendu);
    void commandes_cachees(); // answer controls hidden, the start button back
    void liste_finie(); // the start button disabled (before "Plus de mots")

protected:
    using Instant = std::chrono::steady_clock::time_point;

    virtual TestEssai test() const = 0;
    // Shows the trial's stimulus once the wait is over; the paradigm's own.
    virtual void lance_affichage(const QString &montre) = 0;
    // Stops the stimulus under way: its timers off, nothing more shown.
    virtual void arrete_affichage() = 0;
    // Waits 1000 ms, then offers the answer controls (not after a "test" flash, nor
    // once the trial is abandoned).
    void demande_reponse();
    // Milliseconds between two presented frames.
    static double ms_entre(const ImageMontree &avant, const ImageMontree &apres);
    // The exposure's frames from the word's frame and the one that replaced it.
    void note_images(const ImageMontree &mot, const ImageMontree &suivante, int prevues);
    // Whether the stimulus is over and measured (the second paradigm's chain may run
    // on after the answer controls when waits are cut short).
    virtual bool affichage_fini() const { return true; }
    // The stimulus is over: a report held back for it goes out now.
    void affichage_mesure();

    bool en_mesure() const; // a threshold run's trial
    EtatPartage &m_etat;
    AffichageEssai &m_affichage;
    MesureSeuil *m_mesure = nullptr;
    CompteRenduEssai m_rendu; // the trial under way

private:
    // The answer controls: the proposals in a random order, or the typing box.
    void offre_reponse();
    // Whether the act answers the controls up now; an early key is counted instead.
    bool accepte(const ActeReponse &acte);
    // Both answer paths: the line completed and recorded, judged, counted, shown.
    void enregistre_reponse(const QString &reponse, FaconReponse facon);
    void termine(const QString &reponse, FaconReponse facon);
    // A report held for the stimulus goes out as it is, before the next trial or an
    // abandon: what the chain measured so far, never the trial dropped.
    void libere_rendu_retenu();

    ModeReponse m_mode = ModeReponse::comparaison;
    bool m_en_cours = false; // from the start button to the answer controls
    bool m_attend_reponse = false; // answer controls up for a trial of the list
    bool m_rendu_retenu = false; // answered before the stimulus was measured
    Instant m_commandes_montrees{};
};

} // namespace fantrel::trials
