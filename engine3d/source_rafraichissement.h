// Where a view's presented frames get their time stamps: the seam between the view
// and the display. The real source is the swap itself; a simulated one stands for a
// monitor with a refresh, so that tests and benchmarks drive the real view, timers and
// trials at 60 or 144 Hz on a display that has none.
#pragma once
#include "engine3d/mesure_rafraichissement.h"

#include <QString>

namespace fantrel::engine3d {

class SourceRafraichissement
{
public:
    virtual ~SourceRafraichissement() = default;

    // The swap of a frame, handed over at `remise`, has returned at `fin` with the GPU
    // done: the moment the frame reached the screen. A source that stands for a refresh
    // waits until then, as a swap paced by a refresh would. `voulues`: the refreshes after
    // the previous frame it is due on (0: the first after its handover).
    virtual Horloge::time_point horodate(Horloge::time_point remise, Horloge::time_point fin,
                                         int voulues) = 0;
    // What its stamps are, in French (for reports and the session's record).
    virtual QString description() const = 0;
    // The same as stored: "oml" (the window system's swap counts), "retour_echange" (the
    // swap's return), "simule".
    virtual QString methode() const = 0;
    // Whether the last stamp was the swap's return, which may come before the refresh.
    virtual bool horodatage_au_retour() const = 0;
};

} // namespace fantrel::engine3d
