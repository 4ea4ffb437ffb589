// Surface look of a lit object, with the classic fixed-pipeline meaning.
#pragma once
#include "engine3d/couleur.h"

namespace fantrel::engine3d {

struct Materiau
{
    CouleurRVBA emission{ 0, 0, 0, 1 }; // added whatever the lights
    CouleurRVBA ambiante{ 0.2f, 0.2f, 0.2f, 1 }; // times the ambient light
    CouleurRVBA diffuse{ 0.8f, 0.8f, 0.8f,
                         1 }; // times the lights' diffuse; its alpha is the object's
    CouleurRVBA speculaire{ 0, 0, 0, 1 };
    float brillance = 0.0f; // specular exponent, 0..128
    friend bool operator==(const Materiau &, const Materiau &) = default;
};

} // namespace fantrel::engine3d
