// What the 3D results window needs of the main window, handed over once the main
// window has built its controls (TForm_courbe2::relier).
#pragma once
#include <functional>

class QAction;
class QGroupBox;
class QPlainTextEdit;

namespace fantrel::results {

struct LienPrincipal
{
    QPlainTextEdit *Memo_enreg_test =
            nullptr; // the results record (GroupeResultats::Memo_enreg_test)
    QPlainTextEdit *Memo1 = nullptr; // exercise box, where a row's answers are listed
    QGroupBox *GroupBox3 = nullptr; // "Fichier exercice", captioned with the listed user
    QAction *Courbe22 = nullptr; // "Afficher", checkable: checked while the window shows
    // A new user starts the exercise again: clear fin_liste, num_essai := 0, enable
    // the start button (or the listening button in the musical test), shuffle the pairs.
    std::function<void()> relance_exercice;
};

} // namespace fantrel::results
