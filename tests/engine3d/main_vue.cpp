// Runs the test classes of the 3D view (they draw with OpenGL) under the program's
// application object.
#include "platform/application.h"

int execute_test_controle_camera(int argc, char **argv);
int execute_test_vue3d(int argc, char **argv);
int execute_test_horloge_vue(int argc, char **argv);

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int echecs = 0;
    for (auto execute :
         { execute_test_controle_camera, execute_test_vue3d, execute_test_horloge_vue })
        echecs += execute(argc, argv);
    fantrel::platform::garde_pilote_gl_charge();
    return echecs;
}
