// The display server's side of a paint: a repaint handed over is a request in the
// connection's queue until the server has carried it out, later when it is busy.
#pragma once

namespace fantrel::platform {

// Returns once the display server has carried out every request this program sent
// (one round trip on X11): the widgets just repainted are then in its frame buffer.
// Without X11 (Wayland, offscreen) it returns at once.
void attend_serveur_affichage();

} // namespace fantrel::platform
