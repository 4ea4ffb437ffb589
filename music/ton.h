// The real tone of the notes: a sine at the frequency with 5 ms ramps in and out
// (no click), 44.1 kHz, 16-bit mono, played on the default audio output.
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

// Plays a tone and returns when it has played, like the beeper: the calling thread
// blocks (no event loop runs, so no handler runs meanwhile). Without an audio
// device, or when the device fails, it blocks for the duration in silence.
// NOTE: the sink stays open between tones so that a note starts without the delay
// of opening a stream; it belongs to the application object.
void bip_reel(int frequence, int duree_ms);

} // namespace fantrel::music
