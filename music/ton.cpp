#include "music/ton.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace fantrel::music {

QVector<qint16> echantillons_ton(int frequence, int duree_ms, int taux)
{
    const qint64 nombre = duree_ms > 0 ? (static_cast<qint64>(duree_ms) * taux + 500) / 1000 : 0;
    QVector<qint16> echantillons(nombre, 0);
    if (frequence < 1 || frequence >= taux / 2)
        return echantillons;
    const qint64 rampe =
            std::min<qint64>((static_cast<qint64>(rampe_ton_ms) * taux + 500) / 1000, nombre / 2);
    const double pas_phase = 2 * std::numbers::pi * frequence / taux;
    for (qint64 i = 0; i < nombre; ++i) {
        double gain = 1;
        const qint64 bord = std::min(i, nombre - 1 - i);
        if (bord < rampe)
            gain = 0.5 * (1 - std::cos(std::numbers::pi * double(bord) / double(rampe)));
        // The phase is taken modulo one period so long tones keep their precision.
        const double phase = pas_phase * static_cast<double>(i % taux);
        echantillons[i] =
                static_cast<qint16>(std::lround(amplitude_ton * 32767 * gain * std::sin(phase)));
    }
    return echantillons;
}

} // namespace fantrel::music
