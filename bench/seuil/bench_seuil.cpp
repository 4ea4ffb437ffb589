// Simulated observers (Weibull, β 3.5, γ 0.5, δ 0.01) against QUEST after 40 trials
// and the staircase after 40 and 60, 1000 runs per true threshold at 60 Hz: the share
// of runs within ±1 frame, the bias and spread of the estimate (frames).
//   bench_seuil [runs] [seed]
#include "trials/procedure_seuil.h"
#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

using namespace fantrel::trials;

namespace {

struct Bilan
{
    double dedans = 0, biais = 0, ecart_type = 0, mediane = 0;
};

Bilan bilan(const std::vector<double> &est, double vrai)
{
    Bilan b;
    for (double e : est) {
        b.dedans += std::abs(e - vrai) <= 1.0;
        b.biais += e - vrai;
    }
    b.dedans /= double(est.size());
    b.biais /= double(est.size());
    for (double e : est)
        b.ecart_type += (e - vrai - b.biais) * (e - vrai - b.biais);
    b.ecart_type = std::sqrt(b.ecart_type / double(est.size() - 1));
    std::vector<double> tri = est;
    std::sort(tri.begin(), tri.end());
    b.mediane = tri[tri.size() / 2];
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned graine = argc > 2 ? unsigned(std::atoi(argv[2])) : 1;
    // The range is wider than the program's 0..100 ms (6 frames) so that 8 frames fits.
    const ParametresSeuil base{ MethodeSeuil::quest, 4, 1, 15, 1 };
    std::printf("%-10s %6s %8s %9s %8s %8s %8s\n", "procédure", "vrai", "essais", "±1 image",
                "biais", "écart-t", "médiane");
    for (double vrai : { 2.0, 3.0, 5.0, 8.0 }) {
        struct Cas { MethodeSeuil m; int essais; const char *nom; };
        for (const Cas c : { Cas{ MethodeSeuil::quest, 40, "quest" },
                             Cas{ MethodeSeuil::escalier, 40, "escalier" },
                             Cas{ MethodeSeuil::escalier, 60, "escalier" } }) {
            std::mt19937 alea(graine);
            std::uniform_real_distribution<double> u(0, 1);
            std::vector<double> est;
            int sans = 0;
            for (int r = 0; r < runs; ++r) {
                ParametresSeuil p = base;
                p.methode = c.m;
                ProcedureSeuil proc(p);
                for (int i = 0; i < c.essais; ++i)
                    proc.note(u(alea) < ProcedureSeuil::psychometrique(proc.niveau(), vrai, p));
                if (const auto e = proc.estimation())
                    est.push_back(e->seuil);
                else
                    ++sans;
            }
            const Bilan b = bilan(est, vrai);
            std::printf("%-10s %6.0f %8d %8.1f%% %+8.2f %8.2f %8.2f%s\n", c.nom, vrai, c.essais,
                        100 * b.dedans * double(est.size()) / runs, b.biais, b.ecart_type,
                        b.mediane, sans ? qPrintable(QStringLiteral(" (%1 sans inversion)").arg(sans)) : "");
        }
    }
    return 0;
}
