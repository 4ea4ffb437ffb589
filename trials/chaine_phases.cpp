#include "trials/chaine_phases.h"

namespace fantrel::trials {

int phase_montree(const DureesPhases &durees, int depuis)
{
    int k = depuis;
    while (k < nb_phases && durees[std::size_t(k)] == 0)
        ++k;
    return k;
}

QString texte_phase(int phase, const QString &masque1, const QString &mot, const QString &masque2)
{
    switch (phase) {
    case 0:
        return masque1;
    case 1:
        return mot;
    case 3:
        return masque2;
    default:
        return {};
    }
}

} // namespace fantrel::trials
