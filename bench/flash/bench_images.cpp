// Flashes in whole frames on a simulated monitor: the main window's real trials, timers
// and view, the view's frames stamped by a simulated refresh of 60 and 144 Hz whose
// refreshes move by a jitter (0.5 ms by default). For each monitor, N flashes of the
// first paradigm (E = 30 ms) and N chains of the second (67/33/33/67), with one flip in
// ten made late by one or two refreshes on purpose. Per flash and phase: the frames
// measured from the stamps against the frames such a monitor shows for the setting
// (counted here, not by the program: 2 and 4 at 30 ms, 4/2/2/4 and 10/5/5/10), plus the
// refreshes injected; every injected miss reported, the misses reported that were not
// injected, the swaps the monitor saw handed over after their refresh, and the handover
// margin: how long before the refresh it was due on each planned swap was handed over.
//
// Usage: bench_images [flashes par série, 500] [attente avant le flash, 30 ms] [gigue, 0.5 ms]
//                     [--gui-nice: the GUI thread raised as the program raises it at its start]
// Run under an X display with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb.
#include "banc_flash.h"
#include "app/affichage_mot.h"
#include "app/fenetre_principale.h"
#include "engine3d/source_simulee.h"
#include "engine3d/vue3d.h"
#include "platform/application.h"
#include "platform/priorite_temps_reel.h"
#include <QFile>
#include <QSignalSpy>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using namespace fantrel;
using namespace fantrel::banc_flash;

namespace {

struct Compte
{
    int phases = 0; // exposures measured
    int exactes = 0; // the frames expected, those the setting gives plus those injected
    int ecart_max = 0; // largest error, in frames
    double ecart_grille_ms = 0; // largest |measured - frames x period| (the stamps' jitter)
    int injectees = 0, signalees = 0; // late flips made, reported on their phase
    int injectees_vues = 0; // injected misses reported where they were made
    int en_trop = 0; // reported late with none injected (the machine's own misses)
    int tardives = 0; // swaps the monitor saw handed over after their refresh
    int rangs_inattendus = 0; // the target flip was not the phase's frame
    int rates = 0;
    std::vector<double> marges; // ms, each planned swap's handover before its refresh
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
    const long images = std::lround(mesure_ms / periode_ms);
    const int ecart = int(images) - attendues;
    c.exactes += ecart == 0;
    c.ecart_max = std::max(c.ecart_max, std::abs(ecart));
    c.ecart_grille_ms =
            std::max(c.ecart_grille_ms, std::abs(mesure_ms - double(images) * periode_ms));
    c.injectees += injecte > 0;
    c.signalees += manquees > 0;
    c.injectees_vues += injecte > 0 && manquees == injecte;
    c.en_trop += manquees > injecte;
}

// The frames a monitor shows for 30 ms and for the chain's 67/33/33/67.
struct Moniteur
{
    double hz = 0;
    int images_30 = 0;
    std::array<int, 4> images_chaine{};
    engine3d::SourceSimulee *source = nullptr;
    double periode_ms = 0;
};

bool branche_moniteur(BancFlash &banc, double gigue_ms, Moniteur &m)
{
    engine3d::Vue3D *vue = banc.form().affichage->vue_3d;
    engine3d::ReglageSimulation r;
    r.frequence_hz = m.hz;
    r.gigue = std::chrono::duration_cast<engine3d::Duree>(
            std::chrono::duration<double, std::milli>(gigue_ms));
    auto source = std::make_unique<engine3d::SourceSimulee>(r);
    m.source = source.get();
    m.periode_ms = std::chrono::duration<double, std::milli>(m.source->periode()).count();
    QSignalSpy mesuree(vue, &engine3d::Vue3D::rafraichissement_mesure);
    vue->definir_source_rafraichissement(std::move(source));
    banc.rang_image = [s = m.source] { return s->flips(); };
    return mesuree.wait(20000) && vue->rafraichissement().periode;
}

// After each display: the margin of its swap when it was due on a set refresh.
void note_marge(Compte &c, const Moniteur &m)
{
    if (const auto marge = m.source->derniere_marge())
        c.marges.push_back(std::chrono::duration<double, std::milli>(*marge).count());
}

Compte serie_korvane(BancFlash &banc, const Moniteur &m, int n, std::mt19937 &hasard)
{
    Compte c;
    banc.regle_korvane(30);
    banc.relance_liste();
    const int tardives_avant = m.source->remises_tardives();
    std::uniform_int_distribution<int> tirage(0, 9);
    for (int i = 0; i < n; ++i) {
        // The mask's flip, the one after the word's, made late.
        const int injecte = tirage(hasard) == 0 ? 1 + (i % 2) : 0;
        long long cible = -1;
        banc.apres_affichage = [&](std::size_t indice, long long rang) {
            note_marge(c, m);
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
        compte_phase(c, f->exposition, m.periode_ms, m.images_30 + injecte, injecte, f->manquees);
    }
    c.tardives = m.source->remises_tardives() - tardives_avant;
    return c;
}

Compte serie_morbelle(BancFlash &banc, const Moniteur &m, int n, std::mt19937 &hasard)
{
    Compte c;
    banc.regle_morbelle({ 67, 33, 33, 67 });
    banc.relance_liste();
    const int tardives_avant = m.source->remises_tardives();
    std::uniform_int_distribution<int> tirage(0, 9), phase(0, 3);
    for (int i = 0; i < n; ++i) {
        // The flip that ends one phase of the chain (mask 1, word, blank, mask 2), late.
        std::array<int, 4> injecte{};
        if (tirage(hasard) == 0)
            injecte[std::size_t(phase(hasard))] = 1 + (i % 2);
        std::array<long long, 4> cibles{ -1, -1, -1, -1 };
        banc.apres_affichage = [&](std::size_t indice, long long rang) {
            note_marge(c, m);
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
            compte_phase(c, ch->duree[k], m.periode_ms, m.images_chaine[k] + injecte[k], injecte[k],
                         ch->manquees[k]);
    }
    c.tardives = m.source->remises_tardives() - tardives_avant;
    return c;
}

// Nearest rank, on sorted values.
double rang(const std::vector<double> &tries, double quantile)
{
    if (tries.empty())
        return std::nan("");
    const auto k = std::size_t(std::ceil(quantile * double(tries.size())));
    return tries[std::clamp<std::size_t>(k, 1, tries.size()) - 1];
}

void ligne(const char *moniteur, const char *paradigme, Compte c)
{
    std::sort(c.marges.begin(), c.marges.end());
    std::printf(
            "| %s | %s | %d | %d (%.2f %%) | %d | %.3f | %d / %d | %d | %d | %.2f / %.2f / %.2f "
            "(%zu) | %d | %d |\n",
            moniteur, paradigme, c.phases, c.exactes, c.phases ? 100.0 * c.exactes / c.phases : 0.0,
            c.ecart_max, c.ecart_grille_ms, c.injectees_vues, c.injectees, c.en_trop, c.tardives,
            rang(c.marges, 0.5), rang(c.marges, 0.01),
            c.marges.empty() ? std::nan("") : c.marges.front(), c.marges.size(), c.rangs_inattendus,
            c.rates);
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    QStringList args = app.arguments();
    const bool gentil = args.removeAll(QStringLiteral("--gui-nice")) > 0;
    const int n = std::max(10, args.value(1, QStringLiteral("500")).toInt());
    const int pause_ms = std::max(0, args.value(2, QStringLiteral("30")).toInt());
    const double gigue_ms = std::max(0.0, args.value(3, QStringLiteral("0.5")).toDouble());
    // As the program does at its start.
    const QString priorite_interface =
            gentil ? platform::eleve_fil_interface().texte() : QStringLiteral("normale");
    BancFlash banc(2 * n + 20, pause_ms);
    if (!banc.pret()) {
        std::fprintf(stderr, "la fenêtre n'est pas venue à l'écran : %s\n",
                     qPrintable(banc.erreur()));
        return 1;
    }
    std::printf("%d flashs par série, gigue des rafraîchissements ±%.2f ms, charge moyenne au "
                "départ : %s\n",
                n, gigue_ms, charge_moyenne().constData());
    std::printf("fil de l'interface : %s ; minuteurs : %s\n\n", qPrintable(priorite_interface),
                qPrintable(banc.priorites_minuteurs()));
    std::printf("| écran | paradigme | expositions | images attendues | écart max (images) | écart "
                "max à n·P (ms) | manques injectés vus / injectés | signalés sans injection | "
                "remises tardives | marge de remise méd / p1 / min (ms) (n) | rangs inattendus | "
                "ratés |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    std::mt19937 hasard(20261209);
    for (Moniteur m :
         { Moniteur{ 60.0, 2, { 4, 2, 2, 4 } }, Moniteur{ 144.0, 4, { 10, 5, 5, 10 } } }) {
        if (!branche_moniteur(banc, gigue_ms, m)) {
            std::fprintf(stderr, "rafraîchissement simulé de %.0f Hz non mesuré\n", m.hz);
            return 1;
        }
        const QByteArray nom = QByteArray::number(m.hz, 'f', 0) + " Hz";
        ligne(nom.constData(), "Korvane 30 ms", serie_korvane(banc, m, n, hasard));
        ligne(nom.constData(), "Morbelle 67/33/33/67", serie_morbelle(banc, m, n, hasard));
    }
    std::printf("\ncharge moyenne à la fin : %s\n", charge_moyenne().constData());
    if (!banc.erreur().isEmpty())
        std::printf("messages : %s\n", qPrintable(banc.erreur()));
    return 0;
}
