// The scene objects of one row of the 3D results view: four bars with their value
// labels, by answer category 1..4, and a name label.
#pragma once
#include "engine3d/couleur.h"
#include <QString>
#include <array>

namespace fantrel::engine3d {
class Boite;
class Scene;
class Texte3D;
} // namespace fantrel::engine3d

namespace fantrel::results {

struct ObjetsRangee
{
    std::array<engine3d::Boite *, 5> cubes{}; // 1..4; null until the row is created
    std::array<engine3d::Texte3D *, 5> textes_valeur{}; // 1..4
    engine3d::Texte3D *texte_nom = nullptr;

    bool creee() const { return texte_nom != nullptr; }
    QString nom() const; // the name label's text
};

// Colours the row copies from the category labels.
struct CouleursRangee
{
    engine3d::CouleurRVBA connote; // bars of categories 1 and 2
    engine3d::CouleurRVBA faux; // value labels of categories 2 and 4
};

// Makes row n's objects in the scene: bars of height 1 standing on y = 0, value
// labels "0" over them, the name label. Bars and name carry the tag n, value labels −1.
void cree_objets_rangee(engine3d::Scene &scene, ObjetsRangee &rangee, int n, const QString &nom,
                        const CouleursRangee &couleurs, double pas = 0.5);
// Moves the row's objects to depth z.
void place_rangee(ObjetsRangee &rangee, float z);
// Destroys the row's objects.
void detruit_objets_rangee(engine3d::Scene &scene, ObjetsRangee &rangee);

// Bar c of the row at height h (standing on y = 0) with its value label on top.
void pose_barre(ObjetsRangee &rangee, int c, double h, const QString &texte);

// An extruded label as the view uses them all: Arial, scale 0.3, anchored at the
// left end of its baseline.
engine3d::Texte3D *cree_etiquette(engine3d::Scene &scene, const QString &texte, float extrusion,
                                  int tag);

} // namespace fantrel::results
