// The tone of the notes: a sine at the frequency with 5 ms ramps in and out (no
// click), 44.1 kHz, 16-bit mono. Pure: the melody's stream is made of these.
#pragma once
#include <QVector>
#include <QtGlobal>

namespace fantrel::music {

inline constexpr int taux_ton = 44100; // samples per second
inline constexpr int rampe_ton_ms = 5;
inline constexpr double amplitude_ton = 0.5; // of full scale: loud enough, never clipped

// The samples of a tone: round(duree_ms × taux / 1000) of them, raised-cosine ramps
// of 5 ms (shortened to half the tone when it is shorter than 10 ms). A frequency
// outside 1 .. taux/2 − 1 gives silence of the same length.
QVector<qint16> echantillons_ton(int frequence, int duree_ms, int taux = taux_ton);

} // namespace fantrel::music
