// What the settings panel says of a duration and of the screen: with a refresh, a
// duration is shown as whole frames, and the experimenter sees how long that really is.
#pragma once
#include <QString>
#include <optional>

namespace fantrel::app {

// "30 ms" as set, then, when the screen has a refresh of period_ms, what it will show:
// "30 ms (2 images = 33,3 ms)", "5 ms (1 image = 16,7 ms)". A phase of 0 ms that is
// skipped (saute_zero) stays "0 ms"; a text that does not start with a number is kept.
QString texte_duree(const QString &reglage, std::optional<double> periode_ms, bool saute_zero);

// "image" or "images" after a count of frames: singular below 2, as French has it
// ("1 image", "1,50 image", "2 images").
QString unite_images(double nombre);

// "Écran : 60,0 Hz, 16,67 ms par image", or for a display whose swaps are not paced
// by a refresh "Écran sans synchronisation : durées au chronomètre".
QString texte_ecran(std::optional<double> periode_ms);

} // namespace fantrel::app
