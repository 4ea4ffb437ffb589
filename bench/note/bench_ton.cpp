// The real tone on the default audio output: plays a few notes with 100 ms of
// silence between them and prints how long each call blocked. Record the output
// (a null sink's monitor, for instance) to check the pitch and length heard.
//
// Usage: bench_ton [repetitions, default 3]
#include "music/ton.h"
#include <QCoreApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
    std::printf("output: %s\n",
                sortie.isNull() ? "none (silent wait)" : qPrintable(sortie.description()));
    std::printf("frequency_hz  duration_ms  blocked_ms\n");
    const int notes[][2] = { { 440, 320 }, { 262, 160 }, { 1040, 80 }, { 659, 160 } };
    for (int r = 0; r < repetitions; ++r) {
        for (const auto &note : notes) {
            const auto debut = std::chrono::steady_clock::now();
            fantrel::music::bip_reel(note[0], note[1]);
            const double bloque = std::chrono::duration<double, std::milli>(
                                          std::chrono::steady_clock::now() - debut)
                                          .count();
            std::printf("%12d  %11d  %10.2f\n", note[0], note[1], bloque);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    return 0;
}
