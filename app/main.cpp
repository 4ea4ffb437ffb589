// Fantrel: creates the four windows in order and runs the event loop until the
// main window closes.
#include "app/Unit1.h"
#include "platform/application.h"

int main(int argc, char** argv)
{
    fantrel::Application app(argc, argv);
    fantrel::TForm1 form1;
    form1.relie_fenetres(nullptr, nullptr, nullptr);
    form1.show();
    return app.exec();
}
