// Melody lines and their note tokens: "name,rhythm,notes", notes separated by single
// blanks, each note a duration letter (c, n, b), a name of the note table and an
// optional pitch shift "(+1/2)"; a token holding "-" is a rest. Pure functions:
// no widgets, no files.
#pragma once
#include <QString>
#include <QStringView>
#include <QVector>
#include <QtGlobal>

namespace fantrel::music {

inline constexpr int duree_base_melodie = 80; // ms, one "c"
inline constexpr int frequence_min = 20; // a shifted note stays audible and never 0 (a rest)
inline constexpr int frequence_max = 20000;

struct Note
{
    int frequence = 0; // Hz; 0 = rest
    int duree = 0; // ms
    bool operator==(const Note &) const = default;
};

// The line without its name field (up to and including the first ","); a line
// without a comma comes back whole.
QString sans_nom(const QString &ligne);

struct PartiesMelodie
{
    quint16 rythme = 0; // interval of the note clock, ms
    QString notes; // the note part, ended by one blank
};

// Splits "rhythm,notes". Throws erreur_entier on a rhythm that is not an integer
// (an empty one when there is no comma), "Rythme nul" when the rhythm modulo 65536
// is 0, "Mélodie vide" when the note part has no token.
PartiesMelodie separe_rythme(const QString &s);

// Rounds to the nearest integer, halves to the even neighbour; NaN and infinities give 0.
double arrondi_pair(double x);

// Ratio r of a shift text: "num/den" (den = up to 10 characters after "/") or a
// whole number of steps without "/". A zero denominator gives 0 (note unshifted).
// Throws erreur_entier on a part that is not an integer.
double ratio_decalage(QStringView m);

// Frequency of note j of the table under shift m: "+" moves by r times the step to
// the next name, "-" by r times the step from the previous one ("+" wins when both
// appear), no sign leaves it; Δ rounded halves-to-even; kept in frequence_min..max.
int frequence_decalee(int j, QStringView m);

// One token. Empty token → no entry; rest, or a name not in the table → a rest of
// one base duration; a note without a duration letter lasts one base duration.
// NOTE: the duration letter is looked for after the shift is cut off, so a shift
// inserted after a bare name ("la2(+1/2)") does not eat the name's first letter.
bool analyse_jeton(QStringView jeton, int duree_base, Note &note);

// The whole note part, one entry per non-empty token.
QVector<Note> analyse_notes(const QString &notes, int duree_base = duree_base_melodie);

// True when the token is a note of the table that carries no shift.
bool est_note_sans_decalage(QStringView jeton);

// Onsets of the notes in ms after the clock is enabled, then the moment the answer
// buttons appear. A tick comes one rhythm after the previous tick began, or one
// rhythm after the previous note ended when it lasted the rhythm or longer; a rest
// lasts one base duration.
QVector<qint64> horaire_notes(const QVector<Note> &notes, int rythme,
                              int duree_base = duree_base_melodie);

} // namespace fantrel::music
