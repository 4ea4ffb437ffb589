#include "platform/hasard.h"
#include <QString>
#include <chrono>

namespace fantrel::platform {

void Hasard::graine_horloge()
{
    bool nombre = false;
    const std::uint64_t impose = qEnvironmentVariable("FANTREL_GRAINE").toULongLong(&nombre);
    if (nombre) {
        graine(impose);
        return;
    }
    graine(static_cast<std::uint64_t>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

int Hasard::tirage(int n)
{
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_moteur);
}

} // namespace fantrel::platform
