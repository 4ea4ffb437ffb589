// Fantrel: raises the GUI thread's priority (it takes the timers' events and presents
// the frames), creates the windows in order and runs the event loop until the main
// window closes.
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "app/verrou_dossier.h"
#include "music/sortie_audio.h"
#include "platform/application.h"
#include "platform/interactions.h"
#include "platform/priorite_temps_reel.h"
#include <QDir>

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    // Before the base is opened: a second copy would see the first one's live session.
    fantrel::app::VerrouDossier verrou(QDir::currentPath());
    if (const QString refus = verrou.prend(); !refus.isEmpty()) {
        fantrel::platform::montre_erreur(refus);
        return 1;
    }
    // Before any window: the GL driver's threads, made with the view, inherit it.
    fantrel::platform::eleve_fil_interface();
    fantrel::platform::interactions().sortie_son = fantrel::music::sortie_audio;
    fantrel::app::Fenetres fenetres;
    fenetres.Form1->show();
    return app.exec();
}
