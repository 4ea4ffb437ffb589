// Requested against measured durations of real flashes, through the main window,
// its high-resolution timers and its 3D view on the display:
//  - first paradigm: exposure E = 10, 30, 100 ms, from the word's frame presented
//    to the mask's frame presented;
//  - second paradigm: each of the four phases, presented frame to presented frame,
//    at the form's settings (67/33/33/67) and at 17/17/17/17;
// on an idle machine and with one core kept busy by another process. Median, 99th
// percentile and maximum of |measured - setting|, plus where the error comes from:
// the timer event taken late by the GUI thread ("retard") and the time to draw and
// present the next frame ("image"); trials that lost a frame are counted ("ratés"),
// never in the percentiles. The flash runs inside the program's own 1000 ms wait.
//
// Usage: bench_flash [essais par série, 200] [attente avant le flash, 30 ms au lieu de 1000]
//                    [--gui-fifo: the GUI thread in SCHED_FIFO, below the timers' threads]
//                    [--gui-nice: the GUI thread raised as the program raises it
//                     (platform::eleve_fil_interface: nice -20 when allowed)]
// Run under an X display with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb. Run as root, the
// timers' threads get SCHED_FIFO; as an ordinary user would run it:
//   setpriv --bounding-set=-sys_nice --inh-caps=-sys_nice -- bench_flash
// The timers' priority printed is what their own threads obtained.
#include "banc_flash.h"
#include "charge_cpu.h"
#include "statistiques.h"
#include "platform/application.h"
#include "platform/priorite_temps_reel.h"
#include <QFile>
#include <cstdio>
#include <memory>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <type_traits>

using namespace fantrel::banc_flash;

namespace {

constexpr int essais_rodage = 5;

struct Serie
{
    const char *charge = "";
    QString reglage;
    std::vector<Flash> flashes;
    std::vector<Chaine> chaines;
    int rates = 0;
    Occupation occupation;
};

QByteArray charge_moyenne()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readLine().trimmed() : QByteArray("?");
}

// Padded by characters, not bytes, so accented cells line up.
QByteArray cellule(const char *texte, int largeur)
{
    return QString::fromUtf8(texte).leftJustified(largeur).toUtf8();
}

template<typename Essai>
Serie serie(BancFlash &banc, const char *charge, const QString &reglage, int essais, Essai essai)
{
    Serie s{ charge, reglage, {}, {}, 0, {} };
    banc.relance_liste();
    for (int i = 0; i < essais_rodage; ++i)
        essai();
    const ReleveCpu avant = ReleveCpu::maintenant();
    for (int i = 0; i < essais; ++i) {
        const auto r = essai();
        if (!r)
            ++s.rates;
        else if constexpr (std::is_same_v<std::decay_t<decltype(*r)>, Flash>)
            s.flashes.push_back(*r);
        else
            s.chaines.push_back(*r);
    }
    s.occupation = occupation(avant, ReleveCpu::maintenant());
    std::fprintf(stderr, "  %s, %s : %d essais, %d ratés\n", charge, qPrintable(reglage), essais,
                 s.rates);
    return s;
}

template<typename Champ>
std::vector<double> extrait(const std::vector<Flash> &flashes, Champ champ, double moins = 0)
{
    std::vector<double> v;
    for (const Flash &f : flashes)
        v.push_back(f.*champ - moins);
    return v;
}

std::vector<double> extrait_phase(const std::vector<Chaine> &chaines,
                                  std::array<double, 4> Chaine::*champ, std::size_t phase,
                                  double moins = 0)
{
    std::vector<double> v;
    for (const Chaine &c : chaines)
        v.push_back((c.*champ)[phase] - moins);
    return v;
}

// One row: errors, then the signed median, then the two parts of the delay.
void ligne(const char *debut, const std::vector<double> &ecarts, const std::vector<double> &retards,
           const std::vector<double> &images)
{
    const Resume err = resume(absolues(ecarts));
    const Resume signe = resume(ecarts);
    const Resume ret = resume(retards);
    const Resume img = resume(images);
    std::printf("%s | %3d | %6.2f | %6.2f | %6.2f | %+7.2f | %5.2f / %5.2f | %5.2f / %5.2f |",
                debut, err.n, err.mediane, err.p99, err.maximum, signe.mediane, ret.mediane,
                ret.p99, img.mediane, img.p99);
}

void tableau_korvane(const std::vector<Serie> &series)
{
    std::printf("\nPremier paradigme : exposition du mot, image du mot présentée -> image du "
                "masque présentée (ms)\n\n");
    std::printf("| charge          | E (ms) |   n | méd |m-E| | p99 | max | méd m-E | retard méd / "
                "p99 | image méd / p99 |"
                " CPU machine | dont banc | ratés |\n");
    std::printf("|-----------------|--------|-----|--------|--------|--------|---------|-----------"
                "----|---------------|"
                "-------------|-----------|-------|\n");
    for (const Serie &s : series) {
        const double e = s.reglage.toDouble();
        char debut[64];
        std::snprintf(debut, sizeof debut, "| %s | %6s", cellule(s.charge, 15).constData(),
                      qPrintable(s.reglage));
        ligne(debut, extrait(s.flashes, &Flash::exposition, e), extrait(s.flashes, &Flash::retard),
              extrait(s.flashes, &Flash::image));
        std::printf("     %5.1f %% |   %5.1f %% | %5d |\n", s.occupation.machine_pct,
                    s.occupation.banc_pct, s.rates);
    }
}

void tableau_morbelle(const std::vector<Serie> &series)
{
    static const char *phases[4] = { "masque 1", "mot     ", "blanc   ", "masque 2" };
    std::printf("\nSecond paradigme : durée de chaque phase, image présentée -> image présentée "
                "(ms)\n\n");
    std::printf("| charge          | réglages    | phase    | consigne |   n | méd |err| | p99 | "
                "max | méd signée |"
                " retard méd / p99 | image méd / p99 | ratés |\n");
    std::printf("|-----------------|-------------|----------|----------|-----|--------|--------|---"
                "-----|---------|"
                "---------------|---------------|-------|\n");
    for (const Serie &s : series) {
        const QStringList consignes = s.reglage.split(u'/');
        for (std::size_t k = 0; k < 4; ++k) {
            const double consigne = consignes.value(int(k)).toDouble();
            char debut[128];
            std::snprintf(debut, sizeof debut, "| %s | %-11s | %s | %8.0f",
                          cellule(s.charge, 15).constData(), qPrintable(s.reglage), phases[k],
                          consigne);
            ligne(debut, extrait_phase(s.chaines, &Chaine::duree, k, consigne),
                  extrait_phase(s.chaines, &Chaine::retard, k),
                  extrait_phase(s.chaines, &Chaine::image, k));
            std::printf(" %5d |\n", s.rates);
        }
    }
    for (const Serie &s : series)
        std::printf("%s, %s : CPU machine %.1f %%, dont banc %.1f %%, chaînes ratées %d\n",
                    s.charge, qPrintable(s.reglage), s.occupation.machine_pct,
                    s.occupation.banc_pct, s.rates);
}

// The GUI thread runs the flashes' handlers and waits on the rasteriser: under the
// timers' threads, above everything ordinary.
bool gui_fifo()
{
    sched_param p{};
    p.sched_priority = sched_get_priority_max(SCHED_FIFO) - 1;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &p) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    QStringList positionnels;
    bool fifo = false, gentil = false;
    for (const QString &a : app.arguments().mid(1)) {
        if (a == QStringLiteral("--gui-fifo"))
            fifo = true;
        else if (a == QStringLiteral("--gui-nice"))
            gentil = true;
        else
            positionnels << a;
    }
    const int essais = std::max(10, positionnels.value(0, QStringLiteral("200")).toInt());
    const int pause_ms = std::max(0, positionnels.value(1, QStringLiteral("30")).toInt());
    // As the program does at its start.
    const QString priorite_interface =
            gentil ? fantrel::platform::eleve_fil_interface().texte() : QStringLiteral("normale");
    if (fifo && !gui_fifo())
        std::fprintf(stderr, "SCHED_FIFO refusé au fil de l'interface\n");

    BancFlash banc(essais + essais_rodage + 10, pause_ms);
    if (!banc.pret()) {
        std::fprintf(stderr, "la fenêtre n'est pas venue à l'écran : %s\n",
                     qPrintable(banc.erreur()));
        return 1;
    }
    std::printf("%d essais par série (+%d de rodage), attente avant le flash réduite à %d ms "
                "(celle du flash entière), %u cœurs%s\n",
                essais, essais_rodage, pause_ms, std::thread::hardware_concurrency(),
                fifo ? ", fil de l'interface en SCHED_FIFO"
                     : qPrintable(QStringLiteral(", fil de l'interface : ") + priorite_interface));
    std::printf("charge moyenne au départ : %s\n", charge_moyenne().constData());
    std::printf("minuteurs : %s\n", qPrintable(banc.priorites_minuteurs()));

    std::vector<Serie> korvane, morbelle;
    const std::array<std::array<int, 4>, 2> reglages_morbelle{ { { 67, 33, 33, 67 },
                                                                 { 17, 17, 17, 17 } } };
    for (const bool coeur_occupe : { false, true }) {
        const char *charge = coeur_occupe ? "1 cœur occupé" : "repos";
        std::unique_ptr<CoeurOccupe> occupe;
        if (coeur_occupe) {
            occupe = std::make_unique<CoeurOccupe>();
            if (!occupe->lance())
                std::fprintf(stderr, "le processus qui occupe un cœur n'a pas démarré\n");
        }
        for (int e : { 10, 30, 100 }) {
            banc.regle_korvane(e);
            korvane.push_back(serie(banc, charge, QString::number(e), essais,
                                    [&] { return banc.essai_korvane(); }));
        }
        for (const auto &r : reglages_morbelle) {
            banc.regle_morbelle(r);
            const QString texte =
                    QStringLiteral("%1/%2/%3/%4").arg(r[0]).arg(r[1]).arg(r[2]).arg(r[3]);
            morbelle.push_back(
                    serie(banc, charge, texte, essais, [&] { return banc.essai_morbelle(); }));
        }
    }
    tableau_korvane(korvane);
    tableau_morbelle(morbelle);
    std::printf("\ncharge moyenne à la fin : %s\n", charge_moyenne().constData());
    if (!banc.erreur().isEmpty())
        std::printf("messages : %s\n", qPrintable(banc.erreur()));
    return 0;
}
