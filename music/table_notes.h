// The note table of the melodies: 22 names over three octaves and one note, each
// with its frequency in Hz. NOTE: the values are the program's own table, not an
// equal-tempered formula (mi2 = 329, fa3 = 699, do4 = 1040).
#pragma once
#include <QStringView>
#include <array>

namespace fantrel::music {

inline constexpr int nb_noms_notes = 22;

// Names as written in melody lines: "so" for sol, "ré" with its accent.
extern const std::array<QStringView, nb_noms_notes> noms_notes;
extern const std::array<int, nb_noms_notes> frequences;

// Index of a name (exact, case-sensitive comparison), −1 when it is not in the table.
int indice_note(QStringView nom);

// Step in Hz from note j to the next name, and from the previous name to note j.
// At the ends of the table the nearest step that exists is used.
int pas_montant(int j);
int pas_descendant(int j);

} // namespace fantrel::music
