#include "music/table_notes.h"

namespace fantrel::music {

const std::array<QStringView, nb_noms_notes> noms_notes = {
    u"do1", u"ré1", u"mi1", u"fa1", u"so1", u"la1", u"si1", u"do2", u"ré2", u"mi2", u"fa2",
    u"so2", u"la2", u"si2", u"do3", u"ré3", u"mi3", u"fa3", u"so3", u"la3", u"si3", u"do4",
};

const std::array<int, nb_noms_notes> frequences = {
    131, 147, 165, 175, 196, 220, 247, 262, 294, 329, 349,
    392, 440, 494, 523, 587, 659, 699, 784, 880, 988, 1040,
};

int indice_note(QStringView nom)
{
    for (int j = 0; j < nb_noms_notes; ++j) {
        if (noms_notes[j] == nom)
            return j;
    }
    return -1;
}

int pas_montant(int j)
{
    const int haut = j < nb_noms_notes - 1 ? j + 1 : nb_noms_notes - 1;
    return frequences[haut] - frequences[haut - 1];
}

int pas_descendant(int j)
{
    const int bas = j > 0 ? j : 1;
    return frequences[bas] - frequences[bas - 1];
}

} // namespace fantrel::music
