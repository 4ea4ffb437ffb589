#include "results/objets_rangee.h"
#include "engine3d/boite.h"
#include "engine3d/scene.h"
#include "engine3d/texte3d.h"
#include "results/geometrie_barres.h"

namespace fantrel::results {

using namespace engine3d;

QString ObjetsRangee::nom() const
{
    return texte_nom ? texte_nom->texte() : QString();
}

Texte3D *cree_etiquette(Scene &scene, const QString &texte, float extrusion, int tag)
{
    auto *etiquette = scene.cree<Texte3D>();
    etiquette->definir_ancrage(Texte3D::Ancrage::GaucheLigneBase);
    etiquette->definir_police(QStringLiteral("Arial"));
    etiquette->definir_echelle(0.3f);
    etiquette->definir_extrusion(extrusion);
    etiquette->definir_texte(texte);
    etiquette->definir_tag(tag);
    return etiquette;
}

void cree_objets_rangee(Scene &scene, ObjetsRangee &rangee, int n, const QString &nom,
                        const CouleursRangee &couleurs, double pas)
{
    const float z = float(z_rangee(n, pas));
    for (int c = 1; c <= 4; ++c) {
        auto *barre = scene.cree<Boite>();
        if (c <= 2)
            barre->definir_diffuse(couleurs.connote);
        barre->definir_profondeur(float(profondeur_barre(n)));
        barre->definir_hauteur(1.0f);
        barre->definir_largeur(float(largeur_barre));
        barre->definir_position({ float(x_categorie(c)), 0.5f, z });
        barre->definir_tag(n);
        rangee.cubes[c] = barre;

        auto *valeur = cree_etiquette(scene, QStringLiteral("0"), 0.2f, -1);
        valeur->definir_position({ float(x_categorie(c)), 1.1f, z });
        if (c == 2 || c == 4)
            valeur->definir_diffuse(couleurs.faux);
        rangee.textes_valeur[c] = valeur;
    }
    rangee.texte_nom = cree_etiquette(scene, nom, 0.2f, n);
    rangee.texte_nom->definir_position({ float(x_nom), 0.0f, z });
}

void place_rangee(ObjetsRangee &rangee, float z)
{
    for (int c = 1; c <= 4; ++c) {
        if (rangee.cubes[c])
            rangee.cubes[c]->definir_z(z);
        if (rangee.textes_valeur[c])
            rangee.textes_valeur[c]->definir_z(z);
    }
    if (rangee.texte_nom)
        rangee.texte_nom->definir_z(z);
}

void detruit_objets_rangee(Scene &scene, ObjetsRangee &rangee)
{
    for (int c = 1; c <= 4; ++c) {
        scene.retire(rangee.cubes[c]);
        scene.retire(rangee.textes_valeur[c]);
    }
    scene.retire(rangee.texte_nom);
    rangee = ObjetsRangee{};
}

void pose_barre(ObjetsRangee &rangee, int c, double h, const QString &texte)
{
    Boite *barre = rangee.cubes[c];
    if (!barre)
        return;
    barre->definir_hauteur(float(h));
    barre->definir_y(float(h / 2));
    if (Texte3D *valeur = rangee.textes_valeur[c]) {
        valeur->definir_y(barre->hauteur() / 2 + barre->position().y());
        valeur->definir_texte(texte);
    }
}

} // namespace fantrel::results
