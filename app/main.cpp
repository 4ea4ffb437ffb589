// Fantrel: creates the four windows in order and runs the event loop until the
// main window closes.
#include "app/Unit1.h"
#include "app/fenetres.h"
#include "music/ton.h"
#include "platform/application.h"
#include "platform/interactions.h"

int main(int argc, char **argv)
{
    fantrel::Application app(argc, argv);
    fantrel::interactions().bip = fantrel::bip_reel;
    fantrel::Fenetres fenetres;
    fenetres.Form1->show();
    return app.exec();
}
