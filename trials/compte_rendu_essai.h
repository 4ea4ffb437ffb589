// What a trial reports once it is answered, for the trial database: what was shown,
// for how long it was really on screen, what was answered and how fast. Filled by
// the trial objects (word trials and the musical trial), never in the timed path.
#pragma once
#include "trials/etat_partage.h"
#include <QDateTime>
#include <QString>
#include <array>
#include <chrono>
#include <optional>

namespace fantrel::trials {

// How an answer was given: an answer button, typed, "?", or an answer key.
enum class FaconReponse { boutons, saisie, je_ne_sais_pas, clavier };

// An answer act: the moment of its own event (a key's or a press's time stamp), so
// that nothing done after it lengthens the response time.
struct ActeReponse
{
    std::chrono::steady_clock::time_point quand = std::chrono::steady_clock::now();
    FaconReponse facon = FaconReponse::boutons;
};

struct CompteRenduEssai
{
    QDateTime debut_utc; // the start click
    TestEssai test = TestEssai::korvane;
    int numero = 0; // num_essai
    QString mot1, mot2;
    std::optional<int> connote; // 1 when the list marked a word ("$", always word 1)
    QString mot_affiche, proposition_gauche, proposition_droite, reponse;
    FaconReponse facon = FaconReponse::boutons;
    std::optional<int> categorie; // 1..4, none for "?"
    std::optional<bool> correct;
    std::optional<int> exposition_ms; // the setting (second paradigm: the word's phase)
    std::optional<double> exposition_mesuree_ms; // word frame to the next frame, as presented
    std::optional<std::array<double, 4>> phases_mesurees_ms; // second paradigm
    // From the end of the paint that shows the answer controls to the answer's own event.
    std::optional<double> temps_reponse_ms;
    int touches_anticipees = 0; // answer keys pressed before the controls, ignored
    // A threshold run: the level shown (frames with a refresh, else ms) and its ms, the
    // estimate after this answer in both (none before a staircase's first reversal).
    std::optional<int> niveau_images;
    std::optional<double> niveau_ms, seuil_images, seuil_ms;
    // Refreshes of the exposure; those off the plan, late or early (a fault either way).
    std::optional<int> images, images_manquees;
    std::optional<int> images_prevues; // refreshes the exposure was planned to last
    std::optional<bool> horodatage_douteux; // a frame of it stamped before its refresh
    QString melodie, decalage; // musical test: the line played, the shift typed
    std::optional<bool> incongru;
    std::optional<int> place_incongruite; // index of the shifted note, from 0
    // Musical test: the listen click to the stream's first sample handed to the output,
    // the sound queued ahead of it then, and each entry's planned onset in samples of the
    // stream (44.1 kHz), "/"-separated, rests included (place_incongruite indexes it).
    std::optional<double> debut_son_ms, latence_sortie_ms;
    QString debuts_notes;
    QString ligne_resultat; // the line appended to the results record, if any
};

} // namespace fantrel::trials
