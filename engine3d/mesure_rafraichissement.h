// Whether a view's swaps are paced by a refresh, and its period, from the time stamps
// of unchanged frames presented one after the other.
//
// Frames come in two kinds: "tight" ones, drawn and swapped as soon as the previous one
// is out, and "spaced" ones, drawn after an idle pause of half the tight interval. Paced
// by a refresh, both land on refreshes: the spaced interval is a whole number of tight
// ones. Without a refresh each interval is the work itself, and the spaced one is half
// as long again. This tells a virtual display from a fast monitor after a few frames
// (a few ms on Xvfb), where the length of the interval alone could not. Intervals count
// only between frames the event loop ran promptly one after the other.
#pragma once
#include <chrono>
#include <optional>
#include <vector>

namespace fantrel::engine3d {

using Horloge = std::chrono::steady_clock;
using Duree = Horloge::duration;

// What a measurement found.
struct Rafraichissement
{
    bool mesure = false; // false until a measurement has ended
    std::optional<Duree> periode; // none: swaps are not paced (virtual display)
    Duree mediane{}; // median tight interval
    Duree dispersion{}; // median absolute deviation of the tight intervals
    int intervalles = 0; // tight intervals it rests on
};

class MesureRafraichissement
{
public:
    // Tight intervals for the period once a refresh is found: about a second at 60 Hz.
    static constexpr int intervalles_periode = 60;

    // How long to stay idle after the last frame's stamp before drawing the next one
    // (zero: at once). NOTE: call once per frame, before it: it decides its kind.
    Duree pause_avant_image();
    // The stamp of the frame drawn after that pause, and when its step began (before the
    // pause): a step the event loop ran late does not count. NOTE: after 600 frames
    // without enough of them, the measurement ends with what it has (no refresh, unless
    // one was already found).
    void ajoute(Horloge::time_point horodatage, Horloge::time_point debut);

    bool terminee() const { return m_terminee; }
    const Rafraichissement &resultat() const { return m_resultat; }

private:
    void decide();
    void conclut(bool rythme);

    std::vector<Duree> m_serres;
    std::vector<Duree> m_espaces;
    std::optional<Horloge::time_point> m_derniere;
    int m_images = 0;
    int m_a_ecarter = 0; // intervals still not to count
    bool m_prochaine_espacee = false;
    bool m_derniere_espacee = false; // tight and spaced frames alternate
    std::optional<bool> m_rythme; // decided after the first spaced frames
    bool m_terminee = false;
    Rafraichissement m_resultat;
};

// Median of durations (0 for none).
Duree mediane(std::vector<Duree> durees);

} // namespace fantrel::engine3d
