#include "music/flux_melodie.h"
#include <QHash>
#include <algorithm>

namespace fantrel::music {

qint64 echantillon_de(qint64 ms, int taux)
{
    return (ms * taux + 500) / 1000;
}

FluxMelodie rend_melodie(const QVector<Note> &notes, int rythme, int duree_base, int taux)
{
    const QVector<qint64> horaire = horaire_notes(notes, rythme, duree_base);
    FluxMelodie flux;
    flux.echantillons.fill(0, echantillon_de(horaire.last(), taux));
    QHash<QPair<int, int>, QVector<qint16>> tons; // a melody repeats its notes: each computed once
    for (qsizetype k = 0; k < notes.size(); ++k) {
        const qint64 debut = echantillon_de(horaire[k], taux);
        flux.debuts.append(debut);
        if (notes[k].frequence == 0)
            continue;
        const QPair<int, int> cle(notes[k].frequence, notes[k].duree);
        auto ton = tons.constFind(cle);
        if (ton == tons.constEnd())
            ton = tons.insert(cle, echantillons_ton(cle.first, cle.second, taux));
        // The next onset is always a whole ms of silence after the note: nothing overlaps.
        const qint64 n = std::min<qint64>(ton->size(), flux.echantillons.size() - debut);
        std::copy_n(ton->constBegin(), n, flux.echantillons.begin() + debut);
    }
    return flux;
}

} // namespace fantrel::music
