// Figures for the flash of a word: "set text + repeint_maintenant()" on the
// main window's scene, for words of 5, 12 and 20 letters, as a first showing
// (a new word, mesh cache emptied) and as a cached text, plus the two halves
// of the cost (building the mesh, drawing a frame). Median and 99th percentile.
//
// Usage: bench_affichage [nombre d'appels par cas, 200 par défaut]
// Run under an X display (Xvfb) with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb.
#include "engine3d/ancre.h"
#include "engine3d/cache_maillages_texte.h"
#include "engine3d/extrusion_texte.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

using namespace fantrel::engine3d;

namespace {

// Wall-clock time, and CPU time of the whole process (the GL rasteriser's
// threads included), which other programs sharing the machine do not inflate.
struct Mesure
{
    double mediane = 0, p99 = 0, maximum = 0, cpu_mediane = 0;
};

double cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double rang(std::vector<double> &valeurs, double quantile)
{
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs[std::min(valeurs.size() - 1, std::size_t(quantile * double(valeurs.size())))];
}

Mesure mesure(int nombre, const std::function<void(int)> &appel)
{
    std::vector<double> durees, cpu;
    durees.reserve(std::size_t(nombre));
    cpu.reserve(std::size_t(nombre));
    QElapsedTimer chrono;
    for (int i = 0; i < nombre; ++i) {
        const double cpu_avant = cpu_ms();
        chrono.start();
        appel(i);
        durees.push_back(double(chrono.nsecsElapsed()) / 1e6);
        cpu.push_back(cpu_ms() - cpu_avant);
        QCoreApplication::processEvents();
    }
    Mesure m;
    m.mediane = rang(durees, 0.5);
    m.p99 = rang(durees, 0.99);
    m.maximum = durees.back();
    m.cpu_mediane = rang(cpu, 0.5);
    return m;
}

// Words never seen before, letters of French words with accents.
QString mot_nouveau(int longueur)
{
    static const QString lettres = QStringLiteral("abcdefghijlmnopqrstuvéèêàçôî");
    QString mot;
    for (int i = 0; i < longueur; ++i)
        mot += lettres[QRandomGenerator::global()->bounded(int(lettres.size()))];
    return mot;
}

// Padded by characters, not bytes, so accented labels line up.
void ligne(const QString &cas, int longueur, const Mesure &m)
{
    std::printf("| %s | %2d | %8.2f | %8.2f | %8.2f | %8.2f |\n", qPrintable(cas.leftJustified(32)),
                longueur, m.mediane, m.p99, m.maximum, m.cpu_mediane);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int nombre = argc > 1 ? std::max(10, QByteArray(argv[1]).toInt()) : 200;

    // The main window's scene.
    Vue3D vue;
    vue.resize(983, 586);
    Scene &scene = vue.scene();
    scene.definir_lumiere_ambiante({ 0.3f, 0.3f, 0.3f, 1 });
    Ancre *cible = scene.cree<Ancre>();
    scene.camera().definir_cible(cible);
    scene.camera().definir_position({ -20, 0, 10 });
    scene.camera().definir_focale(7);
    Lumiere *l1 = scene.cree<Lumiere>();
    l1->definir_position({ 10, 6, 0 });
    l1->definir_diffuse({ 0, 1, 1, 1 });
    l1->definir_speculaire({ 0.576471f, 0.858824f, 0.439216f, 1 });
    Lumiere *l2 = scene.cree<Lumiere>();
    l2->definir_position({ -20, -20, -20 });
    l2->definir_diffuse({ 0.89f, 0.47f, 0.2f, 1 });
    Texte3D *mot = scene.cree<Texte3D>();
    mot->definir_position({ 0, 1, 0 });
    mot->tourne_y(-62);
    mot->definir_echelle(0.8f);
    mot->definir_emission({ 1, 1, 0, 1 });
    vue.definir_couleur_fond(-2147483620);
    vue.show();
    if (!QTest::qWaitForWindowExposed(&vue)) {
        std::fprintf(stderr, "la vue n'a pas été exposée\n");
        return 1;
    }
    QTest::qWait(200);
    vue.repeint_maintenant();

    std::printf("%d appels par cas, vue %dx%d, temps en ms (cpu : tout le processus)\n\n", nombre,
                vue.width(), vue.height());
    std::printf("| %s | %2s | %s | %8s | %8s | %s |\n",
                qPrintable(QStringLiteral("cas").leftJustified(32)), "n",
                qPrintable(QStringLiteral("médiane").rightJustified(8)), "p99", "max",
                qPrintable(QStringLiteral("cpu méd.").rightJustified(8)));
    std::printf("|----------------------------------|----|----------|----------|----------|--------"
                "--|\n");
    for (int longueur : { 5, 12, 20 }) {
        ligne(QStringLiteral("texte + repeint, première fois"), longueur, mesure(nombre, [&](int) {
                  CacheMaillagesTexte::commun().vide();
                  mot->definir_texte(mot_nouveau(longueur));
                  vue.repeint_maintenant();
              }));
        const QString textes[2] = { mot_nouveau(longueur), QString(longueur, QLatin1Char('&')) };
        ligne(QStringLiteral("texte + repeint, en cache"), longueur, mesure(nombre, [&](int i) {
                  mot->definir_texte(textes[i % 2]);
                  vue.repeint_maintenant();
              }));
        ligne(QStringLiteral("construction du maillage seule"), longueur,
              mesure(nombre, [&](int) { construit_texte_extrude({ mot_nouveau(longueur) }); }));
    }
    mot->definir_texte(mot_nouveau(12));
    ligne(QStringLiteral("repeint seul, même mot"), 12,
          mesure(nombre, [&](int) { vue.repeint_maintenant(); }));
    mot->definir_texte(QString(12, QLatin1Char('&')));
    ligne(QStringLiteral("repeint seul, même masque"), 12,
          mesure(nombre, [&](int) { vue.repeint_maintenant(); }));
    return 0;
}
