// The fixed content of the 3D results view: camera aimed at an anchor over the
// middle of the rows, two point lights, the background grid and the four category
// labels that ride on the sum row's bars.
#pragma once
#include <array>

namespace fantrel::engine3d {
class Ancre;
class Grille;
class Lumiere;
class Scene;
class Texte3D;
} // namespace fantrel::engine3d

namespace fantrel::results {

struct SceneResultats3D
{
    engine3d::Ancre *GLDummyCube1 = nullptr; // the camera's target
    engine3d::Lumiere *GLLightSource1 = nullptr;
    engine3d::Lumiere *GLLightSource2 = nullptr;
    engine3d::Grille *GLXYZGrid1 = nullptr;
    engine3d::Texte3D *GLSpaceText1 = nullptr; // "Connoté", over category 1
    engine3d::Texte3D *GLSpaceText4 = nullptr; // "Faux", over category 2
    engine3d::Texte3D *GLSpaceText2 = nullptr; // "Neutre", over category 3
    engine3d::Texte3D *GLSpaceText3 = nullptr; // "Faux", over category 4

    // The label over the sum row's bar of category c (1..4).
    engine3d::Texte3D *etiquette_categorie(int c) const;
};

SceneResultats3D construit_scene_resultats_3d(engine3d::Scene &scene);

} // namespace fantrel::results
