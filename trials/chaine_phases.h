// The second paradigm's chain of four timed phases: mask 1, the word, a blank,
// mask 2, then an empty text. A phase of 0 ms is skipped.
#pragma once
#include <QString>
#include <array>

namespace fantrel::trials {

inline constexpr int nb_phases = 4;

using DureesPhases = std::array<int, nb_phases>; // ms: mask 1, word, blank, mask 2

// The first phase from `depuis` (0..4) whose duration is not 0; nb_phases when none
// is left (the chain ends on the empty text).
int phase_montree(const DureesPhases &durees, int depuis);

// The text each phase shows; phase nb_phases is the final empty text.
QString texte_phase(int phase, const QString &masque1, const QString &mot, const QString &masque2);

} // namespace fantrel::trials
