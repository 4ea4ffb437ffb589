// Runs every test class of the 3D engine under the program's application object.
#include "platform/application.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

int execute_test_geometrie(int argc, char** argv);
int execute_test_extrusion(int argc, char** argv);
int execute_test_camera(int argc, char** argv);
int execute_test_vue3d(int argc, char** argv);

namespace {

// Keeps the GL driver loaded past the end of the program: the leak checker
// reports the driver's own leftovers at exit, and once the driver is unloaded
// it can no longer name them, so the suppression list cannot match them.
void garde_pilote_gl_charge()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    fantrel::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int echecs = 0;
    for (auto execute : {execute_test_geometrie, execute_test_extrusion, execute_test_camera,
                         execute_test_vue3d})
        echecs += execute(argc, argv);
    garde_pilote_gl_charge();
    return echecs;
}
