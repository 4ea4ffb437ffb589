// The program's QApplication: installs the window system's boxes and dialogs behind
// the seams, loads Qt's French translations and is the one place that catches a
// run-time error escaping a handler and shows it in the error box.
// NOTE: this safety net is sound for timers and queued calls; handlers of controls'
// signals should be connected with relie() (platform/liaison.h), see there why.
#pragma once
#include <QApplication>

namespace fantrel::platform {

class Application : public QApplication
{
public:
    Application(int &argc, char **argv);
    bool notify(QObject *destinataire, QEvent *evenement) override;
};

// Keeps the software GL driver loaded past the end of the program: the leak checker
// reports the driver's own leftovers at exit, and once the driver is unloaded it can
// no longer name them, so the suppression list cannot match them. For test programs.
void garde_pilote_gl_charge();

} // namespace fantrel::platform

// QTEST_MAIN with the program's application object, for tests of windows.
#define FANTREL_TEST_MAIN(Classe)                     \
  int main(int argc, char **argv)                     \
  {                                                   \
    fantrel::platform::Application app(argc, argv);   \
    app.setAttribute(Qt::AA_Use96Dpi, true);          \
    Classe tc;                                        \
    QTEST_SET_MAIN_SOURCE_PATH                        \
    const int echecs = QTest::qExec(&tc, argc, argv); \
    fantrel::platform::garde_pilote_gl_charge();      \
    return echecs;                                    \
  }
