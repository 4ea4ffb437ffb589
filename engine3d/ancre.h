// Invisible dummy object, a target for the camera: never drawn, never picked.
#pragma once
#include "engine3d/objet.h"

namespace fantrel::engine3d {

class Ancre : public Objet
{
public:
    Genre genre() const override { return Genre::Ancre; }
};

} // namespace fantrel::engine3d
