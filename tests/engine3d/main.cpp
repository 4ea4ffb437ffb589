// Runs every test class of the 3D engine under the program's application object.
#include "platform/application.h"

int execute_test_geometrie(int argc, char **argv);
int execute_test_extrusion(int argc, char **argv);
int execute_test_camera(int argc, char **argv);
int execute_test_vue3d(int argc, char **argv);

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int echecs = 0;
    for (auto execute : { execute_test_geometrie, execute_test_extrusion, execute_test_camera,
                          execute_test_vue3d })
        echecs += execute(argc, argv);
    fantrel::platform::garde_pilote_gl_charge();
    return echecs;
}
