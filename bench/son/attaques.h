// The notes of the melodies played, found again in a recording of the output: each
// note's onset to the sample (with a sub-sample refinement), and whether it came out
// whole, against the stream the program rendered for it.
#pragma once
#include <QVector>
#include <QtGlobal>

namespace fantrel::banc_son {

// One melody as the trial rendered and played it.
struct MelodieJouee
{
    QVector<qint16> echantillons; // the stream handed to the output
    QVector<qint64> debuts; // each entry's first sample in it
    QVector<int> frequences; // each entry's, 0 for a rest
    QVector<qint64> longueurs; // each entry's sound, in samples
    double clic_ms = 0; // the listen click, steady clock
    double debut_son_ms = 0, latence_sortie_ms = 0; // as the trial recorded them
    bool premiere_de_seance = false;
};

struct NoteTrouvee
{
    int entree = 0; // index in the melody
    double position = 0; // onset in the recording, samples (fractional)
    double correlation = 0; // of the whole note with its rendering, 1 for a perfect copy
    bool identique = false; // every sample within one unit of the rendering
};

struct MelodieTrouvee
{
    QVector<NoteTrouvee> notes; // the sounding entries, in order
    bool trouvee = false; // its first note was found
};

// Walks the recording melody by melody: the first note after the previous melody's
// end, above the recording's noise, then each next note near the onset the schedule
// predicts from the one before (± fenetre_ms), placed by normalised correlation with
// its rendered head (2 ms of silence and 10 ms of sound); a note not found there (a
// gap or a loss moved it) is looked for within a second.
QVector<MelodieTrouvee> trouve_attaques(const QVector<qint16> &enregistrement,
                                        const QVector<MelodieJouee> &melodies,
                                        double fenetre_ms = 25.0, int taux = 44100);

} // namespace fantrel::banc_son
