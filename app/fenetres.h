// The program's four windows, created in order: the main window first (it becomes
// the application's main window), then the word-pair tool, the bar chart window and
// the 3D results window. Destroyed in the reverse order.
#pragma once
#include <memory>

namespace fantrel::wordpairs {
class TForm_choix_mots;
}
namespace fantrel::results {
class TForm_courbe;
class TForm_courbe2;
} // namespace fantrel::results

namespace fantrel::app {

class TForm1;

struct Fenetres
{
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<wordpairs::TForm_choix_mots> Form_choix_mots;
    std::unique_ptr<results::TForm_courbe> Form_courbe;
    std::unique_ptr<results::TForm_courbe2> Form_courbe2;

    Fenetres();
    ~Fenetres();
};

} // namespace fantrel::app
