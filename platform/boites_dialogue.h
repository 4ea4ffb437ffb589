// The window system's boxes and file dialogs behind the seams of interactions.h:
// the program installs them at start (Application does), tests call them directly.
#pragma once
#include "platform/interactions.h"

class QWidget;

namespace fantrel::platform {

// Message boxes, the question box and the file dialogs of the window system, with
// the real wait and tone.
Interactions interactions_reelles();

// Parent widget of the real boxes and dialogs (the main window).
void definir_fenetre_parente(QWidget *parent);

} // namespace fantrel::platform
