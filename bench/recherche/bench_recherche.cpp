// Word-pair search on a real word base: the fast search against the
// straightforward one, for every class and for single words, all filters on and
// all off. The straightforward search runs under a time limit; where it does not
// finish, its time is extrapolated from the share of the line pairs it visited.
// Where it finishes, both result lists are compared line for line.
//
//   bench_recherche [base] [--limite SECONDES] [--repetitions N] [--classes a-b]
#include "platform/fichier_texte.h"
#include "wordpairs/recherche_rapide.h"
#include "wordpairs/recherche_simple.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

using namespace fantrel;

namespace {

struct Mesure
{
    double ms = 0; // measured, or extrapolated when !complete
    bool complete = true;
    QStringList couples;
};

wordpairs::Filtres filtres_tous(bool coches)
{
    return { coches, coches, coches, coches, coches };
}

// Runs a search to its end, or until the time limit (in ms; 0: none).
Mesure execute(wordpairs::Recherche &recherche, const wordpairs::Filtres &filtres, double limite_ms,
               qint64 travail_total)
{
    recherche.definir_filtres(filtres);
    Mesure m;
    QElapsedTimer chrono;
    chrono.start();
    constexpr qint64 tranche = 64;
    qint64 fait = 0;
    while (!recherche.avance(tranche)) {
        fait += tranche;
        m.couples += recherche.prend_couples();
        if (limite_ms > 0 && double(chrono.nsecsElapsed()) / 1e6 > limite_ms) {
            m.complete = false;
            break;
        }
    }
    m.couples += recherche.prend_couples();
    m.ms = double(chrono.nsecsElapsed()) / 1e6;
    if (!m.complete)
        m.ms *= double(travail_total) / double(std::max<qint64>(fait, 1));
    return m;
}

double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString temps(const Mesure &m)
{
    return (m.complete ? QString() : QStringLiteral("~"))
            + QString::number(m.ms, 'f', m.ms < 10 ? 2 : 0);
}

long pic_memoire_ko()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    double limite_s = 3;
    int repetitions = 3;
    int classe_min = 1, classe_max = 1000;
    QString chemin =
            qEnvironmentVariable("FANTREL_SHARED", QStringLiteral("../shared")) + "/data/tout.txt";
    for (int k = 0; k < args.size(); ++k) {
        if (args[k] == "--limite" && k + 1 < args.size())
            limite_s = args[++k].toDouble();
        else if (args[k] == "--repetitions" && k + 1 < args.size())
            repetitions = std::max(1, args[++k].toInt());
        else if (args[k] == "--classes" && k + 1 < args.size()) {
            const QStringList bornes = args[++k].split('-');
            classe_min = bornes.value(0).toInt();
            classe_max = bornes.value(1, bornes.value(0)).toInt();
        } else
            chemin = args[k];
    }

    QElapsedTimer chrono;
    chrono.start();
    const QStringList lignes = platform::lire_lignes(chemin);
    const double ms_lecture = double(chrono.nsecsElapsed()) / 1e6;
    chrono.restart();
    const wordpairs::BaseMots base(lignes);
    const double ms_classes = double(chrono.nsecsElapsed()) / 1e6;
    std::printf("Base %s: %lld lignes, lecture %.0f ms, classes %.1f ms\n\n",
                qPrintable(QFileInfo(chemin).fileName()), qlonglong(lignes.size()), ms_lecture,
                ms_classes);

    std::printf("| classe | lignes | filtres | couples | rapide ms (méd., min-max) | index Mo | "
                "simple ms | identique |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    int max_classe = 0;
    for (int c : base.classes)
        max_classe = std::max(max_classe, c);
    double pire_classe = 0;
    for (int classe = std::max(1, classe_min); classe <= std::min(max_classe, classe_max);
         ++classe) {
        const wordpairs::BornesClasse bornes = wordpairs::bornes_classe(base.classes, classe);
        if (bornes.debut < 0)
            continue;
        const qint64 m = bornes.fin - bornes.debut;
        const qint64 travail = m * (m - 1) / 2;
        for (bool coches : { true, false }) {
            std::vector<double> durees;
            Mesure rapide;
            qsizetype memoire = 0;
            for (int r = 0; r < repetitions; ++r) {
                wordpairs::RechercheRapide recherche(base, { false, classe, {} });
                rapide = execute(recherche, filtres_tous(coches), 0, 0);
                durees.push_back(rapide.ms);
                memoire = recherche.memoire_octets();
            }
            pire_classe = std::max(pire_classe, mediane(durees));
            wordpairs::RechercheSimple simple_r(base, { false, classe, {} });
            const Mesure simple = execute(simple_r, filtres_tous(coches), limite_s * 1000, travail);
            std::printf("| %d | %lld | %s | %lld | %.1f (%.1f-%.1f) | %.1f | %s | %s |\n", classe,
                        m, coches ? "tous" : "aucun", qlonglong(rapide.couples.size()),
                        mediane(durees), *std::min_element(durees.begin(), durees.end()),
                        *std::max_element(durees.begin(), durees.end()), double(memoire) / 1e6,
                        qPrintable(temps(simple)),
                        simple.complete
                                ? (simple.couples == rapide.couples ? "oui" : "NON")
                                : (rapide.couples.mid(0, simple.couples.size()) == simple.couples
                                           ? "début oui"
                                           : "début NON"));
            std::fflush(stdout);
        }
    }

    // Twenty words spread over the classes 4 to 15: the first word of evenly spaced lines.
    QStringList mots;
    std::vector<int> candidates;
    for (int k = 0; k < base.nb_lignes(); ++k)
        if (base.classes[std::size_t(k)] >= 4 && base.classes[std::size_t(k)] <= 15)
            candidates.push_back(k);
    for (int n = 0; n < 20 && !candidates.empty(); ++n)
        mots << wordpairs::mots_de_la_ligne(
                        lignes[candidates[candidates.size() * std::size_t(n) / 20]])
                        .value(0);

    std::printf(
            "\n| mot | filtres | couples | rapide ms (méd., min-max) | simple ms | identique |\n");
    std::printf("|---|---|---|---|---|---|\n");
    double pire_mot = 0;
    for (const QString &mot : std::as_const(mots)) {
        for (bool coches : { true, false }) {
            std::vector<double> durees;
            Mesure rapide;
            for (int r = 0; r < repetitions; ++r) {
                wordpairs::RechercheRapide recherche(base, { true, int(mot.size()), mot });
                rapide = execute(recherche, filtres_tous(coches), 0, 0);
                durees.push_back(rapide.ms);
            }
            pire_mot = std::max(pire_mot, mediane(durees));
            wordpairs::RechercheSimple simple_r(base, { true, int(mot.size()), mot });
            const Mesure simple =
                    execute(simple_r, filtres_tous(coches), limite_s * 1000, base.nb_lignes());
            std::printf("| %s | %s | %lld | %.2f (%.2f-%.2f) | %s | %s |\n", qPrintable(mot),
                        coches ? "tous" : "aucun", qlonglong(rapide.couples.size()),
                        mediane(durees), *std::min_element(durees.begin(), durees.end()),
                        *std::max_element(durees.begin(), durees.end()), qPrintable(temps(simple)),
                        simple.complete ? (simple.couples == rapide.couples ? "oui" : "NON") : "-");
            std::fflush(stdout);
        }
    }
    std::printf("\nPire classe (médiane rapide) : %.1f ms ; pire mot seul : %.2f ms ; pic mémoire "
                "du processus : %.0f Mo\n",
                pire_classe, pire_mot, double(pic_memoire_ko()) / 1024);
    std::printf("(~ : temps extrapolé de la recherche simple arrêtée après %.0f s)\n", limite_s);
    return 0;
}
