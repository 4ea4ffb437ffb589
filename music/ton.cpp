#include "music/ton.h"
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QIODevice>
#include <QMediaDevices>
#include <QPointer>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

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

namespace {

using horloge = std::chrono::steady_clock;
constexpr qint64 tampon_us = 20'000;

struct Sortie
{
    QPointer<QAudioSink> sink;
    QIODevice *flux = nullptr;
    bool essayee = false;
};

// Opens the default output once; nullptr when there is none or it fails.
Sortie &sortie()
{
    static Sortie s;
    if (s.essayee)
        return s;
    s.essayee = true;
    const QAudioDevice peripherique = QMediaDevices::defaultAudioOutput();
    if (peripherique.isNull() || !QCoreApplication::instance())
        return s;
    QAudioFormat format;
    format.setSampleRate(taux_ton);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!peripherique.isFormatSupported(format))
        return s;
    s.sink = new QAudioSink(peripherique, format, QCoreApplication::instance());
    // A short buffer: playback starts as soon as a short note is written, instead of
    // waiting for the server's default pre-buffer to fill (a note then sounds late,
    // merged with the next one, or not at all).
    s.sink->setBufferSize(format.bytesForDuration(tampon_us));
    s.flux = s.sink->start();
    if (!s.flux || s.sink->error() != QAudio::NoError) {
        delete s.sink;
        s.flux = nullptr;
    }
    return s;
}

void dors_jusqua(horloge::time_point echeance)
{
    // Sleep most of the way, then yield: the return is within a few tens of µs.
    while (true) {
        const auto reste = echeance - horloge::now();
        if (reste <= std::chrono::microseconds(0))
            return;
        if (reste > std::chrono::milliseconds(2))
            std::this_thread::sleep_for(reste - std::chrono::milliseconds(1));
        else
            std::this_thread::yield();
    }
}

} // namespace

void bip_reel(int frequence, int duree_ms)
{
    const auto debut = horloge::now();
    const auto fin = debut + std::chrono::milliseconds(std::max(duree_ms, 0));
    Sortie &s = sortie();
    if (s.sink && s.flux && s.sink->error() == QAudio::NoError) {
        const QVector<qint16> echantillons = echantillons_ton(frequence, duree_ms);
        const char *octets = reinterpret_cast<const char *>(echantillons.constData());
        qint64 reste = echantillons.size() * qint64(sizeof(qint16));
        // Push what the sink takes; give up writing (not waiting) past the tone's end.
        while (reste > 0 && horloge::now() < fin + std::chrono::milliseconds(50)) {
            const qint64 ecrits = s.flux->write(octets, reste);
            if (ecrits < 0)
                break;
            octets += ecrits;
            reste -= ecrits;
            if (reste > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    dors_jusqua(fin);
}

} // namespace fantrel::music
