// The swap's tail in a flash, on the 3D view alone: a word presented, the mask drawn
// while it stands, then presented E ms later from a high-resolution timer's handler, as
// the trials do. Prints, over the flashes, the median, 99th percentile and maximum (ms)
// of |exposure - E| (word's stamp to mask's stamp), of the mask's swap (handed over to
// returned) and of the handover's lateness. With FANTREL_RAFRAICHISSEMENT_SIMULE the
// display is a simulated monitor: the exposure is then whole frames, and misses are told.
//
// Usage: bench_echange [flashes, 200] [--exposition MS, 30] [--taille LxH, 983x586]
//                      [--remise: the timer fires at the handover time, not before]
//                      [--sous-zone H: the mask copied to the screen as a band H pixels
//                       high (GLX_MESA_copy_sub_buffer) instead of swapped]
//                      [--gui-fifo: the GUI thread in SCHED_FIFO, under the timer's thread]
// Run under an X display with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb.
#include "engine3d/ancre.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/minuteur_hr.h"

#include <QApplication>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdio>
#include <pthread.h>
#include <vector>

using namespace fantrel::engine3d;
using fantrel::platform::MinuteurHR;

namespace {

struct Options
{
    int flashes = 200;
    double exposition_ms = 30;
    QSize taille{ 983, 586 };
    bool a_la_remise = false;
    int sous_zone = 0;
    bool gui_fifo = false;
};

Options lit_options(const QStringList &arguments)
{
    Options o;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        const QString suivant = arguments.value(i + 1);
        if (a == u"--exposition" && ++i)
            o.exposition_ms = suivant.toDouble();
        else if (a == u"--taille" && ++i)
            o.taille =
                    QSize(suivant.section(u'x', 0, 0).toInt(), suivant.section(u'x', 1, 1).toInt());
        else if (a == u"--remise")
            o.a_la_remise = true;
        else if (a == u"--sous-zone" && ++i)
            o.sous_zone = suivant.toInt();
        else if (a == u"--gui-fifo")
            o.gui_fifo = true;
        else
            o.flashes = std::max(10, a.toInt());
    }
    return o;
}

double ms(Duree d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void ligne(const char *nom, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const auto rang = [&](double q) {
        return v[std::min(v.size() - 1, std::size_t(std::ceil(q * double(v.size()))) - 1)];
    };
    std::printf("| %-28s | %7.3f | %7.3f | %7.3f |\n", nom, rang(0.5), rang(0.99), v.back());
}

// The mask copied to the front buffer as a band across the middle of the view.
using CopieSousZone = void (*)(void *affichage, unsigned long fenetre, int x, int y, int l, int h);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const Options o = lit_options(app.arguments());
    if (o.gui_fifo) {
        sched_param p{};
        p.sched_priority = sched_get_priority_max(SCHED_FIFO) - 1;
        if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &p) != 0)
            std::fprintf(stderr, "SCHED_FIFO refusé au fil de l'interface\n");
    }

    Vue3D vue;
    vue.resize(o.taille);
    Scene &scene = vue.scene();
    scene.camera().definir_cible(scene.cree<Ancre>());
    scene.camera().definir_position({ -20, 0, 10 });
    scene.camera().definir_focale(7);
    Texte3D *mot = scene.cree<Texte3D>();
    mot->tourne_y(-62);
    mot->definir_echelle(0.8f);
    mot->definir_emission({ 1, 1, 0, 1 });
    vue.definir_couleur_fond(-2147483620);
    vue.show();
    if (!QTest::qWaitForWindowExposed(&vue)) {
        std::fprintf(stderr, "la vue n'a pas été exposée\n");
        return 1;
    }
    // A real event loop: QTest's waits sleep between turns, which the measurement refuses.
    QSignalSpy mesuree(&vue, &Vue3D::rafraichissement_mesure);
    if (!vue.rafraichissement().mesure && !mesuree.wait(20000)) {
        std::fprintf(stderr, "le rafraîchissement n'a pas été mesuré\n");
        return 1;
    }
    const Rafraichissement &r = vue.rafraichissement();

    MinuteurHR minuteur;
    QEventLoop boucle;
    PlanPresentation plan;
    Horloge::time_point remise{}, fin{};
    CopieSousZone copie = nullptr;
    void *affichage = nullptr;
    if (o.sous_zone > 0) {
        if (auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>())
            affichage = x11->display();
    }
    QObject::connect(&minuteur, &MinuteurHR::echeance, [&] {
        minuteur.definir_actif(false);
        QOpenGLContext *contexte = QOpenGLContext::currentContext();
        if (o.sous_zone > 0 && contexte && affichage) {
            if (!copie)
                copie = reinterpret_cast<CopieSousZone>(
                        contexte->getProcAddress("glXCopySubBufferMESA"));
            attend_jusqu_a(plan.remise);
            remise = Horloge::now();
            const int h = std::min(o.sous_zone, o.taille.height());
            copie(affichage, static_cast<unsigned long>(vue.fenetre_gl()->winId()), 0,
                  (o.taille.height() - h) / 2, o.taille.width(), h);
            contexte->functions()->glFinish();
            fin = Horloge::now();
        } else {
            vue.presente(plan);
            remise = vue.derniere_image().remise;
            fin = vue.derniere_image().horodatage;
        }
        boucle.quit();
    });

    std::vector<double> erreurs, echanges, retards;
    const int rodage = 10;
    int manquees = 0, images_min = 1 << 30, images_max = 0;
    for (int i = 0; i < o.flashes + rodage; ++i) {
        mot->definir_texte(i % 2 ? QStringLiteral("cacaéaé") : QStringLiteral("bateau"));
        vue.repeint_maintenant();
        const Horloge::time_point t_mot = vue.derniere_image().horodatage;
        plan = vue.planifie(std::chrono::duration_cast<Duree>(
                std::chrono::duration<double, std::milli>(o.exposition_ms)));
        mot->definir_texte(QStringLiteral("&&&&&&&&&&&"));
        vue.prepare_image();
        minuteur.definir_echeance(o.a_la_remise ? plan.remise : plan.reveil);
        boucle.exec();
        if (i >= rodage) {
            erreurs.push_back(std::abs(ms(fin - t_mot) - ms(plan.duree)));
            echanges.push_back(ms(fin - remise));
            retards.push_back(ms(remise - plan.remise));
            manquees += vue.derniere_image().manquees;
            images_min = std::min(images_min, vue.derniere_image().images);
            images_max = std::max(images_max, vue.derniere_image().images);
        }
        QTimer::singleShot(30, &boucle, &QEventLoop::quit);
        boucle.exec();
    }

    std::printf("%d flashes de %.0f ms, vue %dx%d, minuteur %s%s%s\n", o.flashes, o.exposition_ms,
                o.taille.width(), o.taille.height(),
                o.a_la_remise ? "à la remise" : "en avance, attente sur le fil de l'interface",
                o.sous_zone > 0
                        ? qPrintable(QStringLiteral(", bande de %1 px copiée").arg(o.sous_zone))
                        : "",
                o.gui_fifo ? ", fil de l'interface en SCHED_FIFO" : "");
    std::printf("rafraîchissement : %s (médiane %.3f ms, dispersion %.3f ms), horodatage : %s\n",
                r.periode ? qPrintable(QStringLiteral("période %1 ms").arg(ms(*r.periode)))
                          : "aucun",
                ms(r.mediane), ms(r.dispersion), qPrintable(vue.description_horodatage()));
    std::printf("priorité du minuteur : %s\n\n", qPrintable(minuteur.priorite()));
    std::printf("| %-28s | médiane |     p99 |     max |\n", "ms");
    std::printf("|------------------------------|---------|---------|---------|\n");
    ligne("|exposition - consigne|", erreurs);
    ligne("échange (remise -> retour)", echanges);
    ligne("remise après l'heure prévue", retards);
    if (r.periode)
        std::printf("\nimages par exposition : %d à %d, images manquées : %d\n", images_min,
                    images_max, manquees);
    return 0;
}
