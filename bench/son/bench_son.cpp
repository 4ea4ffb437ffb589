// The melodies as a listener hears them: a PulseAudio null sink is made the default
// output and its monitor recorded (parec) while the real musical trial plays the
// sample melodies through the program's output (the sound card's SortieAudio, opened
// when a session chooses the test, as the main window does). Each note's onset is then
// found in the recording and compared with the planned schedule:
//  - |inter-onset interval − planned| between consecutive notes of a melody (median,
//    p99, max, ms);
//  - the drift over a melody (last onset − first, against the plan);
//  - the first note's latency from the click (its spread; the first melody of each
//    session against the others; against what the trial recorded, debut_son_ms +
//    latence_sortie_ms);
//  - the notes that came out identical to their rendering (none cut or stretched).
// One row per output and load, idle or with one (or two) cores kept busy.
//
// Usage: bench_son [--seances N (2)] [--melodies M per session (4)]
//                  [--charges repos,coeur,deux (repos,coeur)]
//                  [--puits avec,sans (both: null sink with and without rewinds)]
//                  [--sortie SINK --source SOURCE: a real output and the capture its
//                   loopback cable feeds, instead of a null sink and its monitor]
//                  [--garde PREFIX: keep each recording, raw s16le mono 44.1 kHz]
//                  [--detail 1: each melody's latencies]
// Needs a PulseAudio server (PULSE_SERVER) and pactl, parec; see bench/README.md.
#include "../flash/charge_cpu.h"
#include "../flash/statistiques.h"
#include "attaques.h"
#include "boucle.h"
#include "music/essai_musical.h"
#include "music/sortie_audio.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/priorite_temps_reel.h"
#include "trials/etat_partage.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numeric>

using namespace fantrel;
using horloge = std::chrono::steady_clock;

namespace {

constexpr int taux = music::taux_ton;

void attends(int ms)
{
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

double maintenant_ms()
{
    return std::chrono::duration<double, std::milli>(horloge::now().time_since_epoch()).count();
}

struct Options
{
    int seances = 2, melodies = 4;
    QStringList charges = { u"repos"_qs, u"coeur"_qs };
    QStringList puits = { u"avec"_qs, u"sans"_qs };
    QString sortie, source;
    QString garde; // keep each recording as <garde>-<output>-<load>.raw
    bool enfant = false; // run by the bench itself for one output: no header
    bool detail = false; // each melody's latencies on stderr
};

Options lit_options(const QStringList &a)
{
    Options o;
    for (qsizetype i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == u"--seances")
            o.seances = std::max(1, a[i + 1].toInt());
        else if (a[i] == u"--melodies")
            o.melodies = std::max(1, a[i + 1].toInt());
        else if (a[i] == u"--charges")
            o.charges = a[i + 1].split(u',');
        else if (a[i] == u"--puits")
            o.puits = a[i + 1].split(u',');
        else if (a[i] == u"--sortie")
            o.sortie = a[i + 1];
        else if (a[i] == u"--source")
            o.source = a[i + 1];
        else if (a[i] == u"--garde")
            o.garde = a[i + 1];
        else if (a[i] == u"--enfant")
            o.enfant = true;
        else if (a[i] == u"--detail")
            o.detail = a[i + 1] != u"0";
    }
    if (!o.sortie.isEmpty())
        o.puits = { o.sortie };
    return o;
}

// Plays the sessions through the real trial; what each melody was, as played.
QVector<banc_son::MelodieJouee> joue_seances(const Options &o, const QStringList &melodies,
                                             QString &priorite)
{
    QVector<banc_son::MelodieJouee> jouees;
    for (int s = 0; s < o.seances; ++s) {
        trials::EtatPartage etat;
        etat.hasard.graine(quint32(7919 * s + 1)); // each session draws its own melodies
        music::EssaiMusical essai(etat);
        essai.ouvre_sortie(); // the musical test is chosen
        attends(1000);
        const music::ReglagesMusique reglages{ u"100000"_qs, melodies, u"+1/2"_qs, 1 };
        for (int m = 0; m < o.melodies; ++m) {
            QEventLoop boucle;
            QObject::connect(&essai, &music::EssaiMusical::reponses_montrees, &boucle,
                             &QEventLoop::quit);
            QTimer::singleShot(120000, &boucle, &QEventLoop::quit);
            banc_son::MelodieJouee j;
            j.clic_ms = maintenant_ms();
            essai.BitBtn_ecouteClick(reglages);
            boucle.exec();
            j.echantillons = essai.flux.echantillons;
            j.debuts = essai.flux.debuts;
            for (const music::Note &n : essai.notes) {
                j.frequences << n.frequence;
                j.longueurs << (n.frequence == 0 ? 0 : music::echantillon_de(n.duree));
            }
            j.debut_son_ms = essai.debut_son_ms.value_or(qQNaN());
            j.latence_sortie_ms = essai.latence_sortie_ms.value_or(qQNaN());
            j.premiere_de_seance = m == 0;
            jouees << j;
            essai.bit_rep1Click();
            attends(400);
        }
        priorite = static_cast<music::SortieAudio &>(essai.sortie()).priorite();
        essai.abandonne(); // another test: the output closes
    }
    return jouees;
}

double ecart_type(const std::vector<double> &v)
{
    if (v.size() < 2)
        return 0;
    const double m = std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
    double s = 0;
    for (double x : v)
        s += (x - m) * (x - m);
    return std::sqrt(s / double(v.size() - 1));
}

double moyenne(const std::vector<double> &v)
{
    return v.empty() ? qQNaN() : std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

void rapporte(const QString &sortie, const QString &charge,
              const QVector<banc_son::MelodieJouee> &j, const QVector<banc_son::MelodieTrouvee> &t,
              const banc_flash::Occupation &occ, bool detail)
{
    std::vector<double> intervalles, derives, latences, premieres, autres, residus;
    int notes = 0, prevues = 0, identiques = 0, manquees = 0;
    double pire_correlation = 1;
    for (qsizetype m = 0; m < j.size(); ++m) {
        for (int f : j[m].frequences)
            prevues += f != 0;
        if (m >= t.size() || !t[m].trouvee) {
            ++manquees;
            continue;
        }
        const auto &n = t[m].notes;
        notes += int(n.size());
        for (qsizetype k = 0; k < n.size(); ++k) {
            identiques += n[k].identique;
            pire_correlation = std::min(pire_correlation, n[k].correlation);
            if (k == 0)
                continue;
            const double prevu = double(j[m].debuts[n[k].entree] - j[m].debuts[n[k - 1].entree]);
            intervalles.push_back((n[k].position - n[k - 1].position - prevu) * 1000.0 / taux);
        }
        const double plan = double(j[m].debuts[n.last().entree] - j[m].debuts[n.first().entree]);
        derives.push_back((n.last().position - n.first().position - plan) * 1000.0 / taux);
        // The stream's first sample in the recording, against the click (same origin for all).
        const double zero =
                (n.first().position - double(j[m].debuts[n.first().entree])) * 1000.0 / taux;
        const double latence = zero - (j[m].clic_ms - j[0].clic_ms);
        latences.push_back(latence);
        (j[m].premiere_de_seance ? premieres : autres).push_back(latence);
        residus.push_back(latence - j[m].debut_son_ms - j[m].latence_sortie_ms);
        if (detail)
            std::fprintf(stderr,
                         "melody %lld: click to first sample handed %.2f ms, queued ahead %.2f ms, "
                         "first sample heard %+.2f ms after melody 0's measure\n",
                         static_cast<long long>(m), j[m].debut_son_ms, j[m].latence_sortie_ms,
                         latence - latences.front());
    }
    const banc_flash::Resume e = banc_flash::resume(banc_flash::absolues(intervalles));
    const banc_flash::Resume d = banc_flash::resume(banc_flash::absolues(derives));
    const auto [lmin, lmax] = std::minmax_element(latences.begin(), latences.end());
    std::vector<double> reportees;
    for (const auto &m : j)
        reportees.push_back(m.debut_son_ms + m.latence_sortie_ms);
    std::printf("| %s | %s | %lld | %d/%d | %d | %.3f | %.3f | %.3f | %.3f | %.2f / %.2f | %+.2f | "
                "%.2f | %.1f / %.2f | %d/%d (r ≥ %.4f) | %.0f %% / %.1f |\n",
                qPrintable(sortie), qPrintable(charge), static_cast<long long>(j.size() - manquees),
                notes, prevues, e.n, e.mediane, e.p99, e.maximum, d.maximum, ecart_type(latences),
                latences.empty() ? 0.0 : *lmax - *lmin, moyenne(premieres) - moyenne(autres),
                ecart_type(residus), moyenne(reportees), ecart_type(reportees), identiques, notes,
                pire_correlation, occ.machine_pct, occ.charge_1min);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options o = lit_options(app.arguments());
    platform::interactions().sortie_son = music::sortie_audio;
    platform::interactions().information = [](const QString &) {};
    QStringList melodies =
            platform::lire_lignes(QStringLiteral(FANTREL_SOURCE "/exemple/melodies.mus"));
    melodies.removeIf([](const QString &l) { return l.trimmed().isEmpty(); });

    if (!o.enfant) {
        std::printf("| output | load | melodies | notes found/planned | intervals | median | "
                    "p99 | max | drift max | 1st-note latency SD / range | 1st of session − "
                    "others | latency − recorded, SD | recorded latency mean / SD | notes "
                    "identical | machine busy / load "
                    "|\n|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
        std::fflush(stdout);
    }
    if (o.puits.size() > 1) {
        // NOTE: Qt's list of outputs does not follow a new default made once it has looked:
        // each output gets a process of its own, which makes it the default first.
        for (const QString &puits : o.puits) {
            QProcess enfant;
            enfant.setProcessChannelMode(QProcess::ForwardedChannels);
            QStringList arguments = app.arguments().mid(1);
            arguments << QStringLiteral("--puits") << puits << QStringLiteral("--enfant")
                      << QStringLiteral("1");
            enfant.start(app.applicationFilePath(), arguments);
            enfant.waitForFinished(-1);
        }
        return 0;
    }
    // As the program does first: the audio library's thread, made later, inherits it.
    std::fprintf(stderr, "GUI thread: %s\n", qPrintable(platform::eleve_fil_interface().texte()));
    for (const QString &puits : o.puits) {
        banc_son::Sortie sortie(o.sortie, puits != u"sans");
        if (!sortie.prete()) {
            std::fprintf(stderr, "no PulseAudio output (is a server running? PULSE_SERVER?)\n");
            return 1;
        }
        // The program takes the default output; wait for Qt to see the new one.
        for (int i = 0; i < 50 && QMediaDevices::defaultAudioOutput().id() != sortie.nom().toUtf8();
             ++i)
            attends(100);
        const QAudioDevice defaut = QMediaDevices::defaultAudioOutput();
        std::fprintf(stderr, "output: %s (%s)\n", qPrintable(defaut.description()),
                     defaut.id().constData());
        if (defaut.id() != sortie.nom().toUtf8()) {
            std::fprintf(stderr, "the program's default output is not %s\n",
                         qPrintable(sortie.nom()));
            return 1;
        }
        for (const QString &charge : o.charges) {
            std::vector<std::unique_ptr<banc_flash::CoeurOccupe>> coeurs;
            for (int c = 0; c < (charge == u"deux" ? 2 : charge == u"coeur" ? 1 : 0); ++c)
                coeurs.push_back(std::make_unique<banc_flash::CoeurOccupe>());
            banc_son::Enregistrement enregistrement(o.source.isEmpty() ? sortie.source_par_defaut()
                                                                       : o.source);
            if (!enregistrement.lance()) {
                std::fprintf(stderr, "parec did not start\n");
                return 1;
            }
            const banc_flash::ReleveCpu avant = banc_flash::ReleveCpu::maintenant();
            QString priorite;
            const QVector<banc_son::MelodieJouee> jouees = joue_seances(o, melodies, priorite);
            const banc_flash::Occupation occ =
                    banc_flash::occupation(avant, banc_flash::ReleveCpu::maintenant());
            coeurs.clear();
            const QVector<qint16> enregistre = enregistrement.termine();
            if (!o.garde.isEmpty()) {
                QFile f(QStringLiteral("%1-%2-%3.raw").arg(o.garde, puits, charge));
                if (f.open(QIODevice::WriteOnly))
                    f.write(reinterpret_cast<const char *>(enregistre.constData()),
                            enregistre.size() * 2);
                for (qsizetype m = 0; m < jouees.size(); ++m) {
                    QFile g(QStringLiteral("%1-%2-%3-%4.raw").arg(o.garde, puits, charge).arg(m));
                    if (g.open(QIODevice::WriteOnly))
                        g.write(reinterpret_cast<const char *>(jouees[m].echantillons.constData()),
                                jouees[m].echantillons.size() * 2);
                }
            }
            std::fprintf(stderr, "feeding thread: %s; %.1f s recorded\n", qPrintable(priorite),
                         double(enregistre.size()) / taux);
            rapporte(sortie.description(), charge, jouees,
                     banc_son::trouve_attaques(enregistre, jouees), occ, o.detail);
        }
    }
    return 0;
}
