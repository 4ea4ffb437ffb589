// The run of a session as the main window drives it: the one-shot start-up step,
// opening an exercise list, a new user's restart, a user's answers listed, the test
// chosen. The operations that touch several parts of the window and the results.
#pragma once
#include "app/reglages_etendus.h"
#include "platform/interactions.h"
#include "trials/etat_partage.h"
#include <QString>

namespace fantrel::trials {
class EssaiKorvane;
class EssaiMorbelle;
} // namespace fantrel::trials
namespace fantrel::results {
class RecordResultats;
class TableauResultats;
class TForm_courbe2;
} // namespace fantrel::results
namespace fantrel::music {
class GroupeMusical;
}

namespace fantrel::app {

class AffichageMot;
class AiguillageEssais;
class CommandesEssai;
class FichierParam;
class GroupeExercice;
class JournalSeance;
class LiaisonLabo;
class PanneauReglages;

// The parts of the main window the session's operations use, each by what it offers
// (none is reached into).
struct PartiesPrincipales
{
    trials::EtatPartage &etat;
    AffichageMot &affichage;
    CommandesEssai &commandes;
    PanneauReglages &reglages;
    FichierParam &fichier_param;
    GroupeExercice &GroupBox3;
    results::RecordResultats &record;
    results::TableauResultats &tableau;
    JournalSeance &journal;
    music::GroupeMusical &groupe_musical;
    trials::EssaiKorvane &korvane;
    AiguillageEssais &aiguillage;
    platform::OptionsDialogue &OpenDialog1;
    LiaisonLabo &labo;
};

// The exercise list named in the settings: ".\" (or "./") stands for repertoire.
QString chemin_exercice(const QString &nom, const QString &repertoire);

class DeroulementSeance
{
public:
    explicit DeroulementSeance(const PartiesPrincipales &parties) : m(parties) { }

    // The 3D results window, made after the main window.
    void relie_fenetre_3d(results::TForm_courbe2 *courbe2) { m_courbe2 = courbe2; }
    // fantrel.ini as read at start-up (its defaults before).
    const ReglagesEtendus &reglages_etendus() const { return m_reglages_etendus; }
    // The panel's photodiode square as fantrel.ini holds it (start-up, Annuler), in effect.
    void reprend_photodiode();
    // OK: the panel's photodiode square into fantrel.ini, the other values as read.
    void sauve_photodiode();
    // The answer keys set in the panel, in effect and written to fantrel.ini (an error
    // box when it cannot be written: they stay in effect for this session).
    void ecrit_touches(const ReglagesEtendus &reglages);

    // Runs once, about 100 ms after the event loop starts: fantrel.ini, the settings,
    // the list they name, the session in the trial database, then result rows 0 and 1 — or,
    // when the last session was left unsaved and the experimenter wants it back, that
    // session's rows, record and tallies. A failure is shown (bad settings: no list
    // opened, the view keeps its camera handlers); the rows, the mask and the timings
    // the controls hold are taken all the same.
    void demarre();
    // Opens the list named in OpenDialog1, after a dialog when it names none. Read
    // first: a list that cannot be read leaves the loaded one in use.
    void ouvre_exercice();
    // A new user starts the exercise again, with the pairs in a new order.
    void relance_exercice();
    // Lists the answers of result row n in the exercise box, then its statistics.
    void affich_liste(int n);
    // "Exporter les essais (CSV)…": this session's trials, every session's, or, with a lab
    // server, every station's; for R and pandas or for a French spreadsheet, as the save
    // dialog's filter says.
    void exporte_essais();
    // "Base du laboratoire…": the server and the station's name into fantrel.ini, the
    // sender restarted when the server or the password changed.
    void regle_base_labo();
    // "Type de test": the start and listen buttons, the 3D word, the answers' captions.
    // Choosing another test abandons the trial under way, word or melody (its answer
    // buttons never answer another test).
    void choisit_test(trials::TestEssai test);
    // "Fiche du participant…": the current row's participant's form; its code renames
    // the row.
    void edite_fiche();
    // At quit: the session ended in the base; trials it could not take are kept in a
    // rescue file, and the box says where.
    void termine();

private:
    // The trial database's session; unsaved earlier ones replayed on request.
    void commence_seance();
    // The rescue files of earlier quits, imported on request.
    void importe_secours();
    // The mask and the exposure in effect, the exposure's bar and label in step.
    void prend_reglages_en_vigueur();

    PartiesPrincipales m;
    results::TForm_courbe2 *m_courbe2 = nullptr;
    ReglagesEtendus m_reglages_etendus;
};

} // namespace fantrel::app
