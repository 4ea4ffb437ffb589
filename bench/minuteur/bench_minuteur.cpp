// Requested against measured intervals of the high-resolution timer, used as the program
// uses it (one-shot: enabled, then disabled by its handler) and periodically.
// Prints the median, 99th percentile and maximum of |measured - requested| in ms.
#include "platform/minuteur_hr.h"
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

double en_ms(Horloge::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Resume
{
    double mediane, p99, max;
};

Resume resume(std::vector<double> erreurs)
{
    std::sort(erreurs.begin(), erreurs.end());
    const auto rang = [&](double q) {
        return erreurs[std::min(erreurs.size() - 1, std::size_t(q * (erreurs.size() - 1) + 0.5))];
    };
    return { rang(0.5), rang(0.99), erreurs.back() };
}

// One-shot: each sample enables the timer from the event loop and measures until its handler.
std::vector<double> mesure_un_coup(quint16 intervalle, int echantillons)
{
    fantrel::platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(intervalle);
    std::vector<double> erreurs;
    Horloge::time_point depart;
    QEventLoop boucle;
    const auto lance = [&] {
        depart = Horloge::now();
        minuteur.definir_actif(true);
    };
    QObject::connect(&minuteur, &fantrel::platform::MinuteurHR::echeance, [&] {
        erreurs.push_back(std::abs(en_ms(Horloge::now() - depart) - intervalle));
        minuteur.definir_actif(false);
        if (int(erreurs.size()) == echantillons)
            boucle.quit();
        else
            QTimer::singleShot(0, lance);
    });
    QTimer::singleShot(0, lance);
    boucle.exec();
    return erreurs;
}

// Periodic: the time between consecutive handlers.
std::vector<double> mesure_periodique(quint16 intervalle, int echantillons)
{
    fantrel::platform::MinuteurHR minuteur;
    minuteur.definir_intervalle(intervalle);
    std::vector<double> erreurs;
    Horloge::time_point precedent = Horloge::now();
    QEventLoop boucle;
    QObject::connect(&minuteur, &fantrel::platform::MinuteurHR::echeance, [&] {
        const auto maintenant = Horloge::now();
        erreurs.push_back(std::abs(en_ms(maintenant - precedent) - intervalle));
        precedent = maintenant;
        if (int(erreurs.size()) == echantillons) {
            minuteur.definir_actif(false);
            boucle.quit();
        }
    });
    precedent = Horloge::now();
    minuteur.definir_actif(true);
    boucle.exec();
    return erreurs;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int echantillons = 200;
    std::printf("mode        requested  samples  median|err|  p99|err|  max|err|  (ms)\n");
    for (const char *mode : { "one-shot", "periodic" }) {
        for (quint16 intervalle : { quint16(10), quint16(30), quint16(100) }) {
            const auto erreurs = std::string_view(mode) == "one-shot"
                    ? mesure_un_coup(intervalle, echantillons)
                    : mesure_periodique(intervalle, echantillons);
            const Resume r = resume(erreurs);
            std::printf("%-10s  %9u  %7d  %11.3f  %8.3f  %8.3f\n", mode, unsigned(intervalle),
                        echantillons, r.mediane, r.p99, r.max);
            std::fflush(stdout);
        }
    }
    return 0;
}
