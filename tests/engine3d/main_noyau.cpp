// Runs the test classes of the scene, its geometry and the display clock: no GL
// context, no window.
#include <QGuiApplication>

int execute_test_geometrie(int argc, char **argv);
int execute_test_extrusion(int argc, char **argv);
int execute_test_camera(int argc, char **argv);
int execute_test_horloge_affichage(int argc, char **argv);

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int echecs = 0;
    for (auto execute : { execute_test_geometrie, execute_test_extrusion, execute_test_camera,
                          execute_test_horloge_affichage })
        echecs += execute(argc, argv);
    return echecs;
}
