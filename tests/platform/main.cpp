// Runs every test class of the platform layer under the program's application object.
#include "platform/application.h"

int execute_test_fichier_texte(int argc, char **argv);
int execute_test_conversions(int argc, char **argv);
int execute_test_interactions(int argc, char **argv);
int execute_test_dialogues(int argc, char **argv);

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int echecs = 0;
    for (auto execute : { execute_test_fichier_texte, execute_test_conversions,
                          execute_test_interactions, execute_test_dialogues })
        echecs += execute(argc, argv);
    return echecs;
}
