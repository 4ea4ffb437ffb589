// The response time as the program records it against the true one: per trial, a
// thread of our own watches the screen (the X server's own pixels) until the answer
// buttons are there, waits a fixed delay, and presses F through XTest, so the server
// stamps the key as it stamps a real keyboard's. Recorded (`temps_reponse_ms`) minus
// the true delay (press handed over − pixels seen), median and p99, with the result
// windows closed, then with the 3D results, the statistics and the participants'
// chart open (each answer redraws them). Where the difference comes from: the pixels
// seen against the program's "shown" instant, and the server's stamp against the
// press handed over (recorded − true delay is their sum); and the press to the
// trial's report (what the windows cost, outside the time).
//
// Usage: bench_temps_reponse [essais par série, 100] [délai, 300 ms]
// Run under an X display (Xvfb) with LIBGL_ALWAYS_SOFTWARE=1 QT_QPA_PLATFORM=xcb.
#include "banc_flash.h"
#include "charge_cpu.h"
#include "frappe_x11.h"
#include "statistiques.h"
#include "app/commandes_essai.h"
#include "app/fenetre_principale.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "trials/essai_korvane.h"
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <X11/keysym.h>
#include <cstdio>

using namespace fantrel;
using namespace fantrel::banc_flash;

namespace {

constexpr int essais_rodage = 3;

struct Mesure
{
    double ecart = 0; // recorded − true delay
    double montrees_pixels = 0; // pixels seen − the program's "shown" instant
    double traitement = 0; // press handed over → trial reported
    double sondage = 0;
};

double en_ms(Horloge::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

QByteArray charge_moyenne()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readLine().trimmed() : QByteArray("?");
}

// One trial started with the button, answered by the key `delai` after the buttons
// appeared on screen.
std::optional<Mesure> essai(BancFlash &banc, FrappeX11 &frappe, std::chrono::milliseconds delai)
{
    app::TForm1 &f = banc.form();
    QPushButton *gauche = f.commandes->bit_rep1;
    const QRect bouton(gauche->mapToGlobal(QPoint(0, 0)), gauche->size());
    const QRect bande(bouton.left() + 2, bouton.center().y(), bouton.width() - 4, 1);
    Horloge::time_point montrees{}, termine{};
    std::optional<double> temps;
    const auto c1 = QObject::connect(f.korvane, &trials::EssaiMots::propositions_montrees, &f,
                                     [&] { montrees = Horloge::now(); });
    const auto c2 = QObject::connect(f.korvane, &trials::EssaiMots::essai_termine, &f,
                                     [&](const trials::CompteRenduEssai &r) {
                                         termine = Horloge::now();
                                         temps = r.temps_reponse_ms;
                                     });
    banc.oublie_affichages();
    platform::proteger([&f] { f.BitBtn2Click(); });
    // Armed once the start button is gone, in the program's wait before the answer.
    QTimer::singleShot(100, &f, [&] { frappe.arme(bande, delai, XK_f); });
    QElapsedTimer chrono;
    chrono.start();
    while (!(temps && frappe.resultat()) && !frappe.echec() && chrono.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    QTest::qWait(200); // the windows redrawn before the next trial
    const std::optional<Frappe> fr = frappe.resultat();
    if (!temps || !fr)
        return std::nullopt;
    return Mesure{ *temps - en_ms(fr->frappe - fr->apparition), en_ms(fr->apparition - montrees),
                   en_ms(termine - fr->frappe), fr->sondage_ms };
}

void ligne(const char *fenetres, const std::vector<Mesure> &m, int rates, const Occupation &o,
           const QByteArray &charge_avant)
{
    std::vector<double> ecarts, pixels, traitements;
    double sondage = 0;
    for (const Mesure &x : m) {
        ecarts.push_back(x.ecart);
        pixels.push_back(x.montrees_pixels);
        traitements.push_back(x.traitement);
        sondage += x.sondage / double(m.size());
    }
    const Resume e = resume(ecarts), a = resume(absolues(ecarts)), p = resume(pixels),
                 t = resume(traitements);
    std::vector<double> tri = ecarts;
    std::sort(tri.begin(), tri.end());
    std::vector<double> serveur; // the server's stamp − the press handed over
    for (const Mesure &x : m)
        serveur.push_back(x.ecart - x.montrees_pixels);
    const Resume h = resume(serveur);
    std::printf("| %-9s | %3d | %+6.2f | %5.2f | %+6.2f / %+6.2f | %+6.2f / %6.2f | %+5.2f / %5.2f "
                "| %6.1f / %6.1f | %4.2f | %5.1f %% | %s → %.2f | %d |\n",
                fenetres, e.n, e.mediane, a.p99, tri.empty() ? 0 : tri.front(),
                tri.empty() ? 0 : tri.back(), p.mediane, resume(absolues(pixels)).p99,
                h.mediane, h.p99, t.mediane, t.p99, sondage, o.machine_pct,
                charge_avant.left(4).constData(), o.charge_1min, rates);
}

} // namespace

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    const int essais = argc > 1 ? std::atoi(argv[1]) : 100;
    const std::chrono::milliseconds delai(argc > 2 ? std::atoi(argv[2]) : 300);
    BancFlash banc(essais + essais_rodage + 1, 30);
    if (!banc.pret()) {
        std::fprintf(stderr, "pas d'affichage\n");
        return 1;
    }
    app::TForm1 &f = banc.form();
    FrappeX11 frappe(f.winId());
    if (!frappe.pret()) {
        std::fprintf(stderr, "pas d'extension XTest\n");
        return 1;
    }
    std::printf("Délai %lld ms, %d essais par série (après %d de rodage). Écarts en ms.\n\n",
                static_cast<long long>(delai.count()), essais, essais_rodage);
    std::printf("| fenêtres  |   n | méd enregistré − délai | p99 |écart| | min / max | pixels − "
                "« montrées » méd / p99 |x| | horodatage − frappe méd / p99 | frappe → essai rendu "
                "méd / p99 | sondage | CPU machine | charge | ratés |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const bool ouvertes : { false, true }) {
        if (ouvertes) {
            f.Courbe21Click();
            f.Statistiques1Click();
            f.Graphiquedesparticipants1Click();
            // Beside the main window's buttons, never over them (no window manager).
            int x = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != &f && w->isVisible()) {
                    w->move(x, f.frameGeometry().bottom() - 150);
                    x += 450;
                }
            QTest::qWait(500);
        }
        banc.relance_liste();
        for (int i = 0; i < essais_rodage; ++i)
            essai(banc, frappe, delai);
        std::vector<Mesure> mesures;
        int rates = 0;
        const QByteArray charge_avant = charge_moyenne();
        const ReleveCpu avant = ReleveCpu::maintenant();
        for (int i = 0; i < essais; ++i) {
            if (const std::optional<Mesure> m = essai(banc, frappe, delai))
                mesures.push_back(*m);
            else
                ++rates;
        }
        ligne(ouvertes ? "ouvertes" : "fermées", mesures, rates,
              occupation(avant, ReleveCpu::maintenant()), charge_avant);
        std::fflush(stdout);
    }
    if (!banc.erreur().isEmpty())
        std::fprintf(stderr, "erreurs : %s\n", qPrintable(banc.erreur()));
    return 0;
}
