// Insertion of the incongruous pitch shift into a melody's note part (ended by a
// blank), at the end or at a random note. Pure functions over text.
#pragma once
#include <QString>
#include <optional>

namespace fantrel::platform {
class Hasard;
}

namespace fantrel::music {

// Index of the items of Radio_incongru.
enum class ModeIncongru { aucun = 0, aleatoire = 1, fin = 2 };

// "(" + the shift typed in the settings + ")", blanks removed so the token stays whole.
QString texte_decalage(const QString &saisie);

// After the last note token, trailing rests and blanks skipped (at the very
// beginning when there is none).
QString insere_a_la_fin(const QString &notes, const QString &decalage);

// After a note token drawn at random that carries no shift. From 20 characters on,
// a position is drawn in the middle of the text and moved to the end of its token,
// a draw landing on a shift, just before one, or anywhere but right after a note
// without shift being drawn again; shorter texts, or texts where every draw would be
// drawn again, draw among their unshifted note tokens. NOTE: a text without such a
// token comes back unchanged.
QString insere_au_hasard(const QString &notes, const QString &decalage, platform::Hasard &hasard);

// Where the shift went: the index (from 0, as the notes are parsed: one entry per
// non-empty token) of the note it was appended to, comparing the note part before
// and after the insertion; none when nothing was inserted.
std::optional<int> rang_note_decalee(const QString &avant, const QString &apres);

} // namespace fantrel::music
