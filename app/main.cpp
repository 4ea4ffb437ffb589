// Fantrel: creates the four windows in order and runs the event loop until the
// main window closes.
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "music/ton.h"
#include "platform/application.h"
#include "platform/interactions.h"

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    fantrel::platform::interactions().bip = fantrel::music::bip_reel;
    fantrel::app::Fenetres fenetres;
    fenetres.Form1->show();
    return app.exec();
}
