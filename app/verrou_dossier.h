// One working folder, one program: a lock file in the folder, held while the program
// runs. A second copy started there is stopped with a message; a lock left by a
// program that died (kill -9, power cut) is taken over. So a session in the base of a
// folder whose lock is held here belongs to a dead program, and recovery may offer it.
#pragma once
#include <QLockFile>
#include <QString>

namespace fantrel::app {

inline constexpr const char *nom_verrou = "fantrel.verrou";

class VerrouDossier
{
public:
    explicit VerrouDossier(const QString &dossier);
    // Empty once taken; "Fantrel est déjà ouvert dans ce dossier (processus N)" when a
    // living program holds it. NOTE: a folder that cannot hold the file (read-only)
    // is not guarded: empty too, the base says what it cannot write.
    QString prend();

private:
    QLockFile m_verrou;
};

} // namespace fantrel::app
