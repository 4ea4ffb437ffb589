// A simulated monitor: refreshes at a set period, phase and jitter, and chosen flips
// that miss by one or more periods. The frame lands on the first refresh after its swap
// was handed over (one flip a refresh at most, as with swap interval 1), the view waits
// until that refresh, and the frame is stamped with it.
//
// Chosen in code (Vue3D::definir_source_rafraichissement) or, for benchmarks and for
// looking at the program, by FANTREL_RAFRAICHISSEMENT_SIMULE, e.g. "60", "144",
// "60;gigue=0.2;phase=3;manques=40,75x2" (ms; flip 40 misses one refresh, flip 75 two);
// "precoces=40,41": those flips are stamped as a swap that returns at once (at its
// handover), before the refresh it lands on (as on a display without swap counts).
#pragma once
#include "engine3d/source_rafraichissement.h"

#include <QString>

#include <map>
#include <optional>

namespace fantrel::engine3d {

struct ReglageSimulation
{
    double frequence_hz = 60;
    Duree phase{}; // refresh 0 comes this long after the source is made
    Duree gigue{}; // each refresh moves by up to this much either way (below a quarter period)
    std::map<long long, int> manques; // flip (0: the first through the source) -> periods missed
    std::map<long long, int> precoces; // flips stamped by an early swap return
};

// The variable's text read as above; nothing for a text that does not read whole, a
// frequency outside 10–1000 Hz or a jitter of a quarter period or more.
std::optional<ReglageSimulation> lit_reglage_simulation(const QString &texte);
// The setting of FANTREL_RAFRAICHISSEMENT_SIMULE, when set and valid (warns otherwise).
std::optional<ReglageSimulation> reglage_simulation_environnement();

class SourceSimulee : public SourceRafraichissement
{
public:
    explicit SourceSimulee(ReglageSimulation reglage,
                           Horloge::time_point creation = Horloge::now());

    Horloge::time_point horodate(Horloge::time_point remise, Horloge::time_point fin,
                                 int voulues) override;
    QString description() const override;
    QString methode() const override { return QStringLiteral("simule"); }
    bool horodatage_au_retour() const override { return m_au_retour; }

    Duree periode() const { return m_periode; }
    // The moment of refresh k (may be negative: before the origin).
    Horloge::time_point rafraichissement(long long k) const;
    // Flips stamped so far: the rank the next one will have.
    long long flips() const { return m_flips; }
    // The flip of this rank lands `periodes` refreshes later than it would.
    void ajoute_manque(long long rang, int periodes) { m_reglage.manques[rang] = periodes; }
    // The flip of this rank is stamped by a swap returning at once, before its refresh.
    void ajoute_precoce(long long rang) { m_reglage.precoces[rang] = 1; }
    // From now on the ranks of the setting count only flips due on a set refresh (those
    // that end a timed stimulus), the next one being 1: in a series of flashes with one
    // such flip each, "manques=40" makes the 40th flash's end late.
    void compte_remises_prevues() { m_rang_prevu = 0; }
    // Flips due on a set refresh but handed over after it: the misses it did not inject.
    int remises_tardives() const { return m_remises_tardives; }
    // How long before the refresh it was due on the last flip was handed over (negative:
    // late); none for a flip due on the first refresh after its handover.
    std::optional<Duree> derniere_marge() const { return m_derniere_marge; }

private:
    long long premier_apres(Horloge::time_point moment) const;

    ReglageSimulation m_reglage;
    Duree m_periode{};
    Horloge::time_point m_origine{};
    long long m_flips = 0;
    std::optional<long long> m_dernier; // refresh of the last flip
    int m_remises_tardives = 0;
    std::optional<Duree> m_derniere_marge;
    bool m_au_retour = false;
    std::optional<long long> m_rang_prevu; // flips due on a set refresh, once counted
};

} // namespace fantrel::engine3d
