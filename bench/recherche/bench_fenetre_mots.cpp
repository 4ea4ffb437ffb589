// The word-pair window on a real base: how long the click holds the window (base
// loaded and shown), how late a 1 ms timer fires while the search runs (the
// window's responsiveness), and how much work the window's thread did between
// two of its firings (the same, without the time other programs took the CPU),
// how often the list of found pairs is painted, how long STOP takes to act. With --garder S the
// window stays S seconds after the last search, for a screenshot.
//
//   bench_fenetre_mots [dossier_de_tout.txt] [--classes a,b,…] [--garder S]
#include "platform/application.h"
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

struct Mesures
{
    double clic_ms = 0;
    double total_ms = 0;
    double retard_max_ms = 0;
    double retard_p99_ms = 0;
    double travail_max_ms = 0; // CPU time of the window's thread between two firings
    int affichages = 0;
    int couples = 0;
};

// Counts the paintings of the software's list.
struct CompteDessins : QObject
{
    int nombre = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        nombre += e->type() == QEvent::Paint;
        return false;
    }
};

double temps_cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))];
}

Mesures cherche(fantrel::wordpairs::TForm_choix_mots &f, int classe)
{
    Mesures m;
    CompteDessins dessins;
    f.Memo1->viewport()->installEventFilter(&dessins);
    std::vector<double> retards;
    std::vector<double> travaux;
    double cpu_avant = temps_cpu_ms();
    QElapsedTimer horloge;
    horloge.start();
    qint64 attendu = 0;
    QTimer sonde;
    sonde.setTimerType(Qt::PreciseTimer);
    sonde.setInterval(1);
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        const qint64 maintenant = horloge.nsecsElapsed();
        retards.push_back(double(maintenant - attendu) / 1e6);
        const double cpu = temps_cpu_ms();
        travaux.push_back(cpu - cpu_avant);
        cpu_avant = cpu;
        attendu = maintenant + 1'000'000;
    });
    f.boutons_longueur[std::size_t(classe)]->setChecked(true);
    f.BitBtn1->setFocus();
    QElapsedTimer chrono;
    chrono.start();
    f.BitBtn1Click();
    m.clic_ms = double(chrono.nsecsElapsed()) / 1e6;
    attendu = horloge.nsecsElapsed() + 1'000'000;
    cpu_avant = temps_cpu_ms();
    sonde.start();
    while (f.recherche().en_cours())
        QTest::qWait(1);
    sonde.stop();
    m.total_ms = double(chrono.nsecsElapsed()) / 1e6;
    m.retard_max_ms = retards.empty() ? 0 : *std::max_element(retards.begin(), retards.end());
    m.retard_p99_ms = percentile(retards, 0.99);
    m.travail_max_ms = travaux.empty() ? 0 : *std::max_element(travaux.begin(), travaux.end());
    m.affichages = dessins.nombre;
    m.couples = f.Memo1->nb_lignes();
    return m;
}

// STOP pressed at `apres_ms` into a search: time from the press being due to the
// search standing paused.
double latence_stop(fantrel::wordpairs::TForm_choix_mots &f, int classe, int apres_ms)
{
    f.boutons_longueur[std::size_t(classe)]->setChecked(true);
    f.BitBtn1->setFocus();
    f.BitBtn1Click();
    QElapsedTimer chrono;
    chrono.start();
    double latence = -1;
    QTimer::singleShot(apres_ms, Qt::PreciseTimer, [&] {
        if (!f.recherche().en_cours())
            return;
        f.STOP->click();
        latence = double(chrono.nsecsElapsed()) / 1e6 - apres_ms;
    });
    while (f.recherche().en_cours() && chrono.elapsed() < apres_ms + 1000)
        QTest::qWait(1);
    if (f.recherche().en_pause())
        f.STOPClick(); // take it up again to the end
    while (f.recherche().en_cours())
        QTest::qWait(1);
    return latence;
}

} // namespace

int main(int argc, char **argv)
{
    fantrel::platform::Application app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString dossier = qEnvironmentVariable("FANTREL_SHARED", QStringLiteral("../shared")) + "/data";
    QList<int> classes{ 5, 8, 9, 12 };
    int garder_s = 0;
    for (int k = 0; k < args.size(); ++k) {
        if (args[k] == "--classes" && k + 1 < args.size()) {
            classes.clear();
            for (const QString &c : args[++k].split(','))
                classes << c.toInt();
        } else if (args[k] == "--garder" && k + 1 < args.size()) {
            garder_s = args[++k].toInt();
        } else {
            dossier = args[k];
        }
    }

    fantrel::wordpairs::TForm_choix_mots f(dossier);
    f.Timer_debutTimer();
    f.resize(1350, 860);
    f.move(20, 20);
    f.show();
    (void)QTest::qWaitForWindowExposed(&f);

    std::printf("| classe | couples | clic ms | recherche ms | retard max ms | retard p99 ms | "
                "travail max ms | dessins/s |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (int classe : classes) {
        const Mesures m = cherche(f, classe);
        std::printf("| %d | %d | %.0f | %.0f | %.1f | %.1f | %.1f | %.0f |\n", classe, m.couples,
                    m.clic_ms, m.total_ms, m.retard_max_ms, m.retard_p99_ms, m.travail_max_ms,
                    m.affichages / std::max(m.total_ms / 1000, 0.001));
        std::fflush(stdout);
    }
    std::vector<double> latences;
    for (int apres : { 15, 40, 80, 120, 200 })
        if (const double l = latence_stop(f, classes.value(1, 8), apres); l >= 0)
            latences.push_back(l);
    std::printf("\nSTOP : %zu mesures, latence max %.1f ms, médiane %.1f ms\n", latences.size(),
                latences.empty() ? 0 : *std::max_element(latences.begin(), latences.end()),
                percentile(latences, 0.5));
    std::fflush(stdout);

    if (garder_s > 0) {
        // A few pairs chosen, as the experimenter would, before the screenshot.
        const QTextBlock cinquieme = f.Memo1->document()->findBlockByNumber(4);
        f.Memo1->selectionne(0, cinquieme.position() + 2);
        f.SpeedButton3Click();
        f.Memo1->selectionne(0, 0);
        for (int s = 0; s < garder_s; ++s) {
            f.raise(); // above any other program's window on a shared display
            QTest::qWait(1000);
        }
    }
    return 0;
}
