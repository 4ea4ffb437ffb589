// Flashes in whole frames on a simulated monitor: the main window's real trials, timers
// and view, the view's frames stamped by a simulated refresh of 60 and 144 Hz. For each
// monitor, N flashes of the first paradigm (E = 30 ms) and N chains of the second
// (67/33/33/67), with one flip in ten made late by one or two refreshes on purpose.
// Per flash and phase: the frames expected (whole refreshes for the setting, plus the
// refreshes injected), the frames measured from the stamps, the error in frames; every
// injected miss reported, and the misses reported that were not injected.
//
// Usage: bench_images [flashes par série, 500] [attente réelle en ms à la place des 1000 ms, 30]
// Run under an X display with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb.
#include "banc_flash.h"
#include "app/affichage_mot.h"
#include "app/fenetre_principale.h"
#include "engine3d/horloge_affichage.h"
#include "engine3d/source_simulee.h"
#include "engine3d/vue3d.h"
#include "platform/application.h"
#include <QFile>
#include <QSignalSpy>
#include <cmath>
#include <cstdio>
#include <random>

using namespace fantrel;
using namespace fantrel::banc_flash;

namespace {

struct Compte
{
    int phases = 0; // exposures measured
    int exactes = 0; // a whole number of periods, the number expected
    int ecart_max = 0; // largest error, in frames
    int injectees = 0, signalees = 0; // late flips made, reported on their phase
    int injectees_vues = 0; // injected misses reported where they were made
    int en_trop = 0; // reported late with none injected (the machine's own misses)
    int rangs_inattendus = 0; // the target flip was not the phase's frame
    int rates = 0;
};

QByteArray charge_moyenne()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readLine().trimmed() : QByteArray("?");
}

// One phase: the frames measured against those expected, the miss reported against the
// one injected.
void compte_phase(Compte &c, double mesure_ms, double periode_ms, int attendues, int injecte,
                  int manquees)
{
    ++c.phases;
    const double en_images = mesure_ms / periode_ms;
    const int ecart = int(std::lround(en_images)) - attendues;
    const bool entiere = std::abs(en_images - std::round(en_images)) * periode_ms < 0.01;
    if (ecart == 0 && entiere)
        ++c.exactes;
    c.ecart_max = std::max(c.ecart_max, std::abs(ecart));
    c.injectees += injecte > 0;
    c.signalees += manquees > 0;
    c.injectees_vues += injecte > 0 && manquees == injecte;
    c.en_trop += manquees > injecte;
}

struct Moniteur
{
    engine3d::SourceSimulee *source = nullptr;
    double periode_ms = 0;
};

bool branche_moniteur(BancFlash &banc, double hz, Moniteur &m)
{
    engine3d::Vue3D *vue = banc.form().affichage->vue_3d;
    engine3d::ReglageSimulation r;
    r.frequence_hz = hz;
    auto source = std::make_unique<engine3d::SourceSimulee>(r);
    m.source = source.get();
    m.periode_ms = std::chrono::duration<double, std::milli>(m.source->periode()).count();
    QSignalSpy mesuree(vue, &engine3d::Vue3D::rafraichissement_mesure);
    vue->definir_source_rafraichissement(std::move(source));
    banc.rang_image = [s = m.source] { return s->flips(); };
    return mesuree.wait(20000) && vue->rafraichissement().periode;
}

int images_de(int ms, const Moniteur &m)
{
    return engine3d::images_pour_duree(std::chrono::milliseconds(ms), m.source->periode());
}

Compte serie_korvane(BancFlash &banc, const Moniteur &m, int n, std::mt19937 &hasard)
{
    Compte c;
    banc.regle_korvane(30);
    banc.relance_liste();
    const int attendues = images_de(30, m);
    std::uniform_int_distribution<int> tirage(0, 9);
    for (int i = 0; i < n; ++i) {
        // The mask's flip, the one after the word's, made late.
        const int injecte = tirage(hasard) == 0 ? 1 + (i % 2) : 0;
        long long cible = -1;
        banc.apres_affichage = [&](std::size_t indice, long long rang) {
            if (indice == 0 && injecte) {
                cible = rang + 1;
                m.source->ajoute_manque(cible, injecte);
            }
        };
        const std::optional<Flash> f = banc.essai_korvane();
        banc.apres_affichage = nullptr;
        if (!f) {
            ++c.rates;
            continue;
        }
        c.rangs_inattendus += injecte && f->rang_masque != cible;
        compte_phase(c, f->exposition, m.periode_ms, attendues + injecte, injecte, f->manquees);
    }
    return c;
}

Compte serie_morbelle(BancFlash &banc, const Moniteur &m, int n, std::mt19937 &hasard)
{
    Compte c;
    const std::array<int, 4> reglages{ 67, 33, 33, 67 };
    banc.regle_morbelle(reglages);
    banc.relance_liste();
    std::uniform_int_distribution<int> tirage(0, 9), phase(0, 3);
    for (int i = 0; i < n; ++i) {
        // The flip that ends one phase of the chain (mask 1, word, blank, mask 2), late.
        std::array<int, 4> injecte{};
        if (tirage(hasard) == 0)
            injecte[std::size_t(phase(hasard))] = 1 + (i % 2);
        std::array<long long, 4> cibles{ -1, -1, -1, -1 };
        banc.apres_affichage = [&](std::size_t indice, long long rang) {
            if (indice < 4 && injecte[indice]) {
                cibles[indice] = rang + 1;
                m.source->ajoute_manque(rang + 1, injecte[indice]);
            }
        };
        const std::optional<Chaine> ch = banc.essai_morbelle();
        banc.apres_affichage = nullptr;
        if (!ch) {
            ++c.rates;
            continue;
        }
        for (std::size_t k = 0; k < 4; ++k)
            c.rangs_inattendus += injecte[k] && ch->rangs[k + 1] != cibles[k];
        for (std::size_t k = 0; k < 4; ++k)
            compte_phase(c, ch->duree[k], m.periode_ms, images_de(reglages[k], m) + injecte[k],
                         injecte[k], ch->manquees[k]);
    }
    return c;
}

void ligne(const char *moniteur, const char *paradigme, const Compte &c)
{
    std::printf("| %s | %s | %d | %d (%.1f %%) | %d | %d / %d | %d | %d | %d |\n", moniteur,
                paradigme, c.phases, c.exactes, c.phases ? 100.0 * c.exactes / c.phases : 0.0,
                c.ecart_max, c.injectees_vues, c.injectees, c.en_trop, c.rangs_inattendus, c.rates);
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    const QStringList args = app.arguments();
    const int n = std::max(10, args.value(1, QStringLiteral("500")).toInt());
    const int pause_ms = std::max(0, args.value(2, QStringLiteral("30")).toInt());
    BancFlash banc(2 * n + 20, pause_ms);
    if (!banc.pret()) {
        std::fprintf(stderr, "la fenêtre n'est pas venue à l'écran : %s\n",
                     qPrintable(banc.erreur()));
        return 1;
    }
    std::printf("%d flashs par série, charge moyenne au départ : %s\n\n", n,
                charge_moyenne().constData());
    std::printf("| écran | paradigme | expositions | exactes | écart max (images) | manques "
                "injectés vus / injectés | signalés sans injection | rangs inattendus | ratés |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::mt19937 hasard(20261209);
    for (const double hz : { 60.0, 144.0 }) {
        Moniteur m;
        if (!branche_moniteur(banc, hz, m)) {
            std::fprintf(stderr, "rafraîchissement simulé de %.0f Hz non mesuré\n", hz);
            return 1;
        }
        const QByteArray nom = QByteArray::number(hz, 'f', 0) + " Hz";
        ligne(nom.constData(), "Korvane 30 ms", serie_korvane(banc, m, n, hasard));
        ligne(nom.constData(), "Morbelle 67/33/33/67", serie_morbelle(banc, m, n, hasard));
    }
    std::printf("\ncharge moyenne à la fin : %s\n", charge_moyenne().constData());
    if (!banc.erreur().isEmpty())
        std::printf("messages : %s\n", qPrintable(banc.erreur()));
    return 0;
}
