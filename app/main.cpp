// Fantrel: raises the GUI thread's priority (it takes the timers' events and presents
// the frames), creates the windows in order and runs the event loop until the main
// window closes.
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "music/sortie_audio.h"
#include "platform/application.h"
#include "platform/interactions.h"
#include "platform/priorite_temps_reel.h"

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    // Before any window: the GL driver's threads, made with the view, inherit it.
    fantrel::platform::eleve_fil_interface();
    fantrel::platform::interactions().sortie_son = fantrel::music::sortie_audio;
    fantrel::app::Fenetres fenetres;
    fenetres.Form1->show();
    return app.exec();
}
