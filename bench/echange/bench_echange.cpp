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

// The main window's word, turned to face the camera.
Texte3D *prepare_scene(Vue3D &vue, QSize taille)
{
    vue.resize(taille);
    Scene &scene = vue.scene();
    scene.camera().definir_cible(scene.cree<Ancre>());
    scene.camera().definir_position({ -20, 0, 10 });
    scene.camera().definir_focale(7);
    Texte3D *mot = scene.cree<Texte3D>();
    mot->tourne_y(-62);
    mot->definir_echelle(0.8f);
    mot->definir_emission({ 1, 1, 0, 1 });
    vue.definir_couleur_fond(-2147483620);
    return mot;
}

struct Mesures
{
    std::vector<double> erreurs, echanges, retards;
    int manquees = 0, images_min = 1 << 30, images_max = 0;
};

// Presents the mask from the timer's handler: through the view, or as a band copied.
class Presentateur
{
public:
    Presentateur(Vue3D &vue, const Options &o) : m_vue(vue), m_options(o)
    {
        auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (o.sous_zone > 0 && x11)
            m_affichage = x11->display();
    }

    void presente(const PlanPresentation &plan)
    {
        QOpenGLContext *contexte = QOpenGLContext::currentContext();
        if (!m_affichage || !contexte) {
            m_vue.presente(plan);
            remise = m_vue.derniere_image().remise;
            fin = m_vue.derniere_image().horodatage;
            return;
        }
        if (!m_copie)
            m_copie = reinterpret_cast<CopieSousZone>(
                    contexte->getProcAddress("glXCopySubBufferMESA"));
        attend_jusqu_a(plan.remise);
        remise = Horloge::now();
        const QSize t = m_options.taille;
        const int h = std::min(m_options.sous_zone, t.height());
        m_copie(m_affichage, static_cast<unsigned long>(m_vue.fenetre_gl()->winId()), 0,
                (t.height() - h) / 2, t.width(), h);
        contexte->functions()->glFinish();
        fin = Horloge::now();
    }

    Horloge::time_point remise{}, fin{};

private:
    Vue3D &m_vue;
    const Options &m_options;
    void *m_affichage = nullptr;
    CopieSousZone m_copie = nullptr;
};

Mesures serie(Vue3D &vue, Texte3D *mot, MinuteurHR &minuteur, const Options &o)
{
    Presentateur presentateur(vue, o);
    QEventLoop boucle;
    PlanPresentation plan;
    QObject::connect(&minuteur, &MinuteurHR::echeance, &boucle, [&] {
        minuteur.definir_actif(false);
        presentateur.presente(plan);
        boucle.quit();
    });
    Mesures m;
    const int rodage = 10;
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
            const ImagePresentee &image = vue.derniere_image();
            m.erreurs.push_back(std::abs(ms(presentateur.fin - t_mot) - ms(plan.duree)));
            m.echanges.push_back(ms(presentateur.fin - presentateur.remise));
            m.retards.push_back(ms(presentateur.remise - plan.remise));
            m.manquees += image.manquees;
            m.images_min = std::min(m.images_min, image.images);
            m.images_max = std::max(m.images_max, image.images);
        }
        QTimer::singleShot(30, &boucle, &QEventLoop::quit);
        boucle.exec();
    }
    return m;
}

void rapport(const Options &o, const Vue3D &vue, const MinuteurHR &minuteur, const Mesures &m)
{
    const Rafraichissement &r = vue.rafraichissement();
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
    ligne("|exposition - consigne|", m.erreurs);
    ligne("échange (remise -> retour)", m.echanges);
    ligne("remise après l'heure prévue", m.retards);
    if (r.periode)
        std::printf("\nimages par exposition : %d à %d, images manquées : %d\n", m.images_min,
                    m.images_max, m.manquees);
}

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
    Texte3D *mot = prepare_scene(vue, o.taille);
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
    MinuteurHR minuteur;
    const Mesures m = serie(vue, mot, minuteur, o);
    rapport(o, vue, minuteur, m);
    return 0;
}
