// The note clock against the rhythm: a 30-note melody is played through the real
// trial and the real high-resolution clock, the tone seam recording when each note
// starts and then blocking for the note's length as the real tone does. Prints, per
// rhythm, the error of every onset (median, p99, max, in ms) against two references:
//  - "schedule": the nominal schedule counted from the enabling of the clock, so a
//    late onset before a long note carries on to the following ones (the clock
//    restarts one rhythm after the note ends, by design);
//  - "tick": the due time of that tick alone, from the previous onset as it really
//    happened (one rhythm after it, or one rhythm after the long note ended).
//
// Usage: bench_note [runs per rhythm, default 10] [--gui-temps-reel: the GUI thread raised
//        too, as the timer's thread is (kernel, RealtimeKit or nice)]
#include "platform/minuteur_hr.h"
#include "music/essai_musical.h"
#include "platform/interactions.h"
#include "platform/priorite_temps_reel.h"
#include "trials/etat_partage.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

using namespace fantrel;
using horloge = std::chrono::steady_clock;

namespace {

// Blocks like the beeper: sleep most of the way, then spin to the deadline.
void dors_precisement(horloge::time_point fin)
{
    while (true) {
        const auto reste = fin - horloge::now();
        if (reste <= std::chrono::microseconds(0))
            return;
        if (reste > std::chrono::microseconds(1500))
            std::this_thread::sleep_for(reste - std::chrono::microseconds(1000));
    }
}

double centile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double rang = p * (v.size() - 1);
    const size_t bas = static_cast<size_t>(std::floor(rang));
    const size_t haut = std::min(bas + 1, v.size() - 1);
    return v[bas] + (v[haut] - v[bas]) * (rang - bas);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int essais = 10;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--gui-temps-reel")
            std::fprintf(stderr, "GUI thread: %s\n",
                         qPrintable(platform::eleve_fil_courant().texte()));
        else
            essais = std::max(1, std::atoi(argv[i]));
    }

    // 30 notes: short, long and very long notes, and rests.
    const QString notes_melodie =
            u"cdo3 cré3 nmi3 - cfa3 bso3 cla3 nsi2 - cdo3 nré3 cmi3 bfa3 - cso3 "
            u"nla3 csi3 cdo4 - bso3 cmi3 nré3 cdo3 - nsi2 cla2 bso2 cla2 - bdo3"_qs;

    std::vector<horloge::time_point> debuts;
    platform::RemplacementInteractions seams;
    seams->bip = [&](int, int duree) {
        const auto debut = horloge::now();
        debuts.push_back(debut);
        dors_precisement(debut + std::chrono::milliseconds(duree));
    };
    seams->attente = [&](int duree) {
        const auto debut = horloge::now();
        debuts.push_back(debut);
        dors_precisement(debut + std::chrono::milliseconds(duree));
    };
    seams->information = [](const QString &) {};

    trials::EtatPartage etat;
    music::EssaiMusical essai(etat);
    // The melody is over when the answer buttons are asked for.
    QEventLoop fin;
    QObject::connect(&essai, &music::EssaiMusical::reponses_montrees, &fin, &QEventLoop::quit);

    std::printf("rhythm  onsets  reference  median_ms  p99_ms  max_ms\n");
    for (const int rythme : { 100, 300 }) {
        std::vector<double> erreurs, erreurs_tic;
        for (int k = 0; k < essais; ++k) {
            debuts.clear();
            essai.joue(QString::number(rythme) + u',' + notes_melodie, u"+1/2"_qs, 0);
            const auto active = horloge::now();
            fin.exec();
            const QVector<qint64> horaire = music::horaire_notes(essai.notes, rythme);
            double echeance = rythme; // due time of the current tick, ms after enabling
            for (size_t i = 0; i < debuts.size() && i < size_t(essai.nb_notes); ++i) {
                const double mesure =
                        std::chrono::duration<double, std::milli>(debuts[i] - active).count();
                erreurs.push_back(std::abs(mesure - horaire[qsizetype(i)]));
                erreurs_tic.push_back(std::abs(mesure - echeance));
                const music::Note &note = essai.notes[qsizetype(i)];
                const int duree = note.frequence == 0 ? essai.duree_base : note.duree;
                echeance = duree >= rythme ? mesure + duree + rythme : echeance + rythme;
            }
        }
        if (rythme == 100)
            std::fprintf(stderr, "note clock's thread: %s\n",
                         qPrintable(essai.Async_note->priorite()));
        for (const auto &[nom, v] :
             { std::pair{ "schedule", &erreurs }, std::pair{ "tick", &erreurs_tic } })
            std::printf("%6d  %6zu  %9s  %9.3f  %6.3f  %6.3f\n", rythme, v->size(), nom,
                        centile(*v, 0.5), centile(*v, 0.99),
                        *std::max_element(v->begin(), v->end()));
    }
    return 0;
}
