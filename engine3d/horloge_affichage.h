// The display clock of a view: the refresh it found, a time stamp for every frame
// presented, frames that came late, and the arithmetic of durations in whole frames.
// Widget-free and GL-free: the view feeds it the time stamps its refresh source gives.
//
// A monitor changes its picture only at a refresh: a duration E is shown as the n
// refreshes nearest to it, and a swap handed over half a period before the refresh it
// aims at lands on it whatever the timer's lateness up to that half period.
#pragma once
#include "engine3d/mesure_rafraichissement.h"

#include <chrono>
#include <deque>

namespace fantrel::engine3d {

// Whole frames for an exposure E at period P: max(1, round(E / P)).
int images_pour_duree(Duree exposition, Duree periode);
// What n frames at period P show: n·P.
Duree duree_des_images(int images, Duree periode);
// When to hand over the swap of the frame due n refreshes after a frame stamped t:
// t + (n − ½)·P, so that it lands on the refresh t + n·P.
Horloge::time_point echeance_remise(Horloge::time_point horodatage, int images, Duree periode);
// Refreshes between two stamps, to the nearest (jitter of the stamps cancels out).
int images_entre(Horloge::time_point avant, Horloge::time_point apres, Duree periode);

// Sleeps, then polls the steady clock, until the moment (the scheduler's wake-up
// lateness would cost a millisecond or more).
void attend_jusqu_a(Horloge::time_point moment);

// One frame that reached the screen.
struct ImagePresentee
{
    Horloge::time_point horodatage{}; // when it reached the screen, as near as the platform tells
    Horloge::time_point remise{}; // when its swap was handed over
    int images_voulues = 0; // refreshes after the previous frame it was due on; 0: the first one
                            // after its swap was handed over
    int images = 0; // refreshes after the previous frame it came on (0 without a refresh)
    int manquees = 0; // refreshes later than the one it was due on
    int en_avance = 0; // refreshes earlier than the one it was due on (an exposure cut short)
    // Due on a set refresh but stamped by a swap that returned before the first refresh
    // after its handover: where it reached the screen is not known, so its counts are
    // not to be trusted.
    bool douteuse = false;
};

// How a duration will be shown: planned right after a frame is presented, executed
// when the next one is (Vue3D::presente).
struct PlanPresentation
{
    int images = 0; // whole refreshes; 0 without a refresh (the duration is kept as asked)
    Duree duree{}; // what the screen will show: n·P, or the duration asked
    Horloge::time_point remise{}; // when the next frame's swap is to be handed over
    // When the timer is to fire: a little before the handover, which Vue3D::presente
    // waits for on the GUI thread, so that the timer's own lateness (the GUI thread
    // taking its event late) is absorbed: a quarter period with a refresh, else 1 ms.
    Horloge::time_point reveil{};
};

class HorlogeAffichage
{
public:
    // A new measurement replaces the last; an unknown refresh counts as none.
    void definir_rafraichissement(const Rafraichissement &mesure) { m_rafraichissement = mesure; }
    const Rafraichissement &rafraichissement() const { return m_rafraichissement; }

    // Records a frame whose swap was handed over at `remise`, returned at `fin_echange`
    // and reached the screen at `horodatage`. `voulues` as in ImagePresentee. A frame of
    // the measurement (compte = false) keeps the phase of the refresh, but neither its
    // misses nor its swap time are counted. `au_retour`: the stamp is the swap's return
    // (checked against the refresh; a doubtful frame keeps the refresh it aimed at as
    // the phase the next frames are planned from).
    const ImagePresentee &note_image(Horloge::time_point remise, Horloge::time_point fin_echange,
                                     Horloge::time_point horodatage, int voulues,
                                     bool compte = true, bool au_retour = false);
    // NOTE: meaningful once a frame was presented (a_une_image()).
    const ImagePresentee &derniere_image() const { return m_derniere; }
    bool a_une_image() const { return m_a_une_image; }
    // Missed refreshes added up over every frame presented.
    int manquees_total() const { return m_manquees_total; }

    // Median time of the last swaps (handed over until returned), 0 before the first:
    // how early a swap is handed over when there is no refresh.
    Duree duree_echange() const;

    // From the last frame presented: E rounded to whole refreshes with a refresh;
    // without one, E as asked, handed over early by the swap's median time.
    PlanPresentation planifie(Duree exposition) const;
    // n refreshes after the last frame presented (without a refresh: n = 0, at once).
    PlanPresentation planifie_images(int images) const;

private:
    int manquees(const ImagePresentee &image, Horloge::time_point precedente) const;

    Rafraichissement m_rafraichissement;
    ImagePresentee m_derniere;
    Horloge::time_point m_phase{}; // the last frame's refresh, as trusted
    bool m_a_une_image = false;
    int m_manquees_total = 0;
    std::deque<Duree> m_echanges; // the latest, oldest first
};

} // namespace fantrel::engine3d
