// A melody rendered into one stream of samples, as its note clock schedules it: every
// entry (note or rest) starts at the sample its place in the rhythm gives, counted from
// the clock's start (the first note one rhythm later), with no drift, and the stream
// ends where the answer buttons are due. Pure: no device, no clock.
#pragma once
#include "music/melodie.h"
#include "music/ton.h"
#include <QVector>
#include <QtGlobal>

namespace fantrel::music {

struct FluxMelodie
{
    QVector<qint16> echantillons; // mono, taux a second; silence in rests and between notes
    QVector<qint64> debuts; // the sample where each entry of the melody starts, in order
};

// The sample of a moment given in ms, rounded to the nearest.
qint64 echantillon_de(qint64 ms, int taux = taux_ton);

// Each note the tone of its frequency and length (echantillons_ton) from its onset on
// horaire_notes' schedule, each rest silence; the stream lasts to the schedule's end.
FluxMelodie rend_melodie(const QVector<Note> &notes, int rythme,
                         int duree_base = duree_base_melodie, int taux = taux_ton);

} // namespace fantrel::music
