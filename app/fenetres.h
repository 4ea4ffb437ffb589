// The program's four windows, created in order: the main window first (it becomes
// the application's main window), then the word-pair tool, the bar chart window and
// the 3D results window, with the table of result rows the last one draws and the
// results record the main window shows (both made first, gone last). Their
// signals are connected in one place (connexions.cpp). Closing the main window ends
// the program, whatever else is shown. Destroyed in reverse order.
#pragma once
#include <memory>

namespace fantrel::wordpairs {
class TForm_choix_mots;
}
namespace fantrel::results {
class FenetreParticipants;
class FenetreStatistiques;
class RecordResultats;
class TableauResultats;
class TForm_courbe;
class TForm_courbe2;
} // namespace fantrel::results

namespace fantrel::app {

class TForm1;

struct Fenetres
{
    std::unique_ptr<results::TableauResultats> tableau;
    std::unique_ptr<results::RecordResultats> record; // follows the table
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<wordpairs::TForm_choix_mots> Form_choix_mots;
    std::unique_ptr<results::TForm_courbe> Form_courbe;
    std::unique_ptr<results::TForm_courbe2> Form_courbe2;
    std::unique_ptr<results::FenetreStatistiques> Form_statistiques; // "Courbes › Statistiques"
    // "Courbes › Graphique des participants"
    std::unique_ptr<results::FenetreParticipants> Form_participants;

    Fenetres();
    ~Fenetres();
};

// Connects the subsystems' signals: the trials to the main window's controls, the
// results record and the table of result rows; the table to the record and the
// main window; the settings panel to the 3D word and the trials' timers.
void relie_sous_systemes(Fenetres &fenetres);

} // namespace fantrel::app
