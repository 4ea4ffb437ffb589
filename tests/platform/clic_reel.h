// A real mouse click through the X server (XTest), so that it reaches the program by the
// window system's queue as the user's would, and not by direct delivery as QTest's does.
#pragma once
#include <QPoint>

// Loads libX11 and libXtst at run time; false when they or the display are missing.
bool clic_reel_disponible();
// Moves the pointer to the global position and clicks the left button there.
bool clic_reel(QPoint global);
