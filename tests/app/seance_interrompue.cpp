// A session cut short as by a crash: played through the real windows in the folder
// given, what the results show written to attendu.txt, then the process killed with
// SIGKILL (no clean quit, nothing saved). test_seance_base recovers it.
#include "seance_jouee.h"
#include "platform/application.h"
#include <csignal>

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    if (argc < 2)
        return 2;
    banc::Banc b(banc::param_formulaire(), banc::liste_quatre(), QString::fromLocal8Bit(argv[1]));
    b.seams->question = [](const QString &, bool) { return fantrel::platform::Reponse::Non; };
    b.demarre();
    if (!banc::joue_seance(b))
        return 3;
    fantrel::platform::ecrire_lignes(b.chemin(QStringLiteral("attendu.txt")),
                                     banc::etat_resultats(b));
    std::raise(SIGKILL);
    return 4;
}
