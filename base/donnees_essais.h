// What the trial database holds, as plain structs the trial code fills: a session,
// one answered trial, one event that changes the results table or record. An empty
// text or an absent optional is stored as SQL NULL and read back so.
#pragma once
#include "trials/compte_rendu_essai.h"
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>
#include <variant>

namespace fantrel::base {

// The test of a trial and how it was answered, as the trials name them.
using trials::FaconReponse;
using trials::TestEssai;

// The texts stored in the columns "test" and "mode_reponse"; unknown texts give none.
QString texte_test(TestEssai test);
std::optional<TestEssai> test_depuis_texte(const QString &texte);
QString texte_facon(FaconReponse facon);
std::optional<FaconReponse> facon_depuis_texte(const QString &texte);

// One run of the program in a working folder. NOTE: the UUIDs let rows of several
// stations and files merge; the ids are the local file's own.
struct Seance
{
    qint64 id = 0; // given by the base
    QString uuid; // the recorder gives one when empty
    QDateTime debut_utc; // now when left invalid
    QString version_programme;
    QString repertoire; // the working folder
    QString poste; // the station's host name: recovery looks at this station only
    QStringList parametres; // the 17 lines of the settings file
    std::optional<double> rafraichissement_hz; // none when unknown or no refresh
    QString priorite_minuteur; // as the timer reported what it obtained
    QString station; // the settings' name for the machine, else its host name
    QString version; // the program's, as the row's writer was
    QString graine; // the random generator's seed, in decimal: the session's draws replayed
    QString empreinte_reglages; // SHA-256 (hex) of the 17 lines, each followed by CR LF, UTF-8
    QString reprise_de; // the UUIDs of the sessions it recovered, space-separated
    // How frames were stamped: "oml", "retour_echange", "simule" or "chronometre".
    QString methode_horodatage;
};

// A person who answered: the table's row names it by its code, which a rename
// changes; the UUID never changes. Empty texts and absent optionals are NULL.
struct Participant
{
    QString uuid;
    QString code; // the row's name ("Essai3" until renamed)
    qint64 seance = 0; // the session that made it (local id)
    QString station;
    QDateTime cree_utc; // now when left invalid
    std::optional<int> age;
    QString genre, lateralite, groupe, consentement, remarque;
    QString source; // "fichier:" and the path when read from a results file

    bool operator==(const Participant &) const = default;
};

// One answered trial. The recorder sets seance and ordre; the base sets id.
struct Essai
{
    qint64 id = 0;
    qint64 seance = 0;
    qint64 ordre = 0; // place in the session's chronology, shared with the events
    QString uuid; // the recorder gives one when empty
    QString participant; // its UUID
    QDateTime debut_utc; // the trial's start; now when left invalid
    int utilisateur = 0; // row of the results table (1..)
    QString nom_utilisateur;
    TestEssai test = TestEssai::korvane;
    int numero = 0; // the trial's number in the run
    QString mot1, mot2;
    std::optional<int> connote; // 1 or 2
    QString mot_affiche, proposition_gauche, proposition_droite, reponse;
    std::optional<FaconReponse> mode_reponse;
    std::optional<int> categorie; // 1..4
    std::optional<bool> correct;
    std::optional<int> exposition_ms; // the setting
    std::optional<double> exposition_mesuree_ms; // kept to 0.01 ms
    std::optional<std::array<double, 4>> phases_mesurees_ms; // second paradigm, 0.01 ms
    std::optional<double> temps_reponse_ms; // kept to 0.01 ms
    QString melodie, decalage;
    std::optional<bool> incongru;
    std::optional<int> place_incongruite; // index of the out-of-tune note
    std::optional<double> debut_son_ms; // melody: listen click to its first sample handed over
    std::optional<double> latence_sortie_ms; // melody: sound queued ahead of that sample
    QString debuts_notes; // melody: each entry's planned onset, samples, "/"-separated
    std::optional<int> images, images_manquees; // frames of the exposure, missed flips
    QString ligne_resultat; // the line appended to the results record, if any
    std::optional<int> images_prevues; // frames the exposure was planned to last
    std::optional<bool> horodatage_douteux; // a swap returned before its refresh: not trusted
    std::optional<int> touches_anticipees; // answer keys before the controls, ignored
    // A threshold run's trial: its level (frames, or ms without a refresh) and its ms,
    // the estimate after its answer in both.
    std::optional<int> niveau_images;
    std::optional<double> niveau_ms, seuil_images, seuil_ms;

    bool operator==(const Essai &) const = default;
};

enum class NatureEvenement {
    nouvel_utilisateur, // utilisateur, nom
    renommage, // utilisateur, nom (the new one)
    tout_effacer,
    lecture_fichier, // fichier, lignes: a results file read back
    enregistrement_fichier, // fichier: the record saved
    reprise, // seance_reprise: an earlier session replayed into this one
    fin, // clean quit
    reprise_refusee, // seance_reprise: offered and declined, never offered again
    calibration, // nom: the method; lignes: "clé=valeur" of a threshold applied
};
QString texte_nature(NatureEvenement nature);
std::optional<NatureEvenement> nature_depuis_texte(const QString &texte);

// An event of the session that changes the results table or record.
struct Evenement
{
    qint64 id = 0;
    qint64 seance = 0;
    qint64 ordre = 0;
    QString uuid; // the recorder gives one when empty
    QString participant; // new users and renames: the row's participant
    QDateTime moment_utc; // now when left invalid
    NatureEvenement nature = NatureEvenement::fin;
    int utilisateur = 0;
    QString nom;
    QString fichier;
    QStringList lignes;
    qint64 seance_reprise = 0;

    bool operator==(const Evenement &) const = default;

    static Evenement nouvel_utilisateur(int rangee, const QString &nom);
    static Evenement renommage(int rangee, const QString &nouveau_nom);
    static Evenement tout_effacer();
    static Evenement lecture_fichier(const QString &fichier, const QStringList &lignes);
    static Evenement enregistrement_fichier(const QString &fichier);
    static Evenement reprise(qint64 seance);
    static Evenement reprise_refusee(qint64 seance);
    static Evenement fin();
    static Evenement calibration(const QString &methode, const QStringList &lignes);
};

using ElementChronologie = std::variant<Essai, Evenement>;

// A session left with answered trials never saved to a results file, and what
// happened in it, in order, for the caller to replay.
struct SeanceAReprendre
{
    Seance seance;
    QVector<ElementChronologie> chronologie; // an earlier session it replayed comes first
    int essais_non_enregistres = 0; // trials after the last save
    QVector<Participant> participants; // those its trials and users name, as last written
};

} // namespace fantrel::base
