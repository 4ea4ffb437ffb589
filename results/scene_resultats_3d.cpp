#include "results/scene_resultats_3d.h"
#include "engine3d/ancre.h"
#include "engine3d/grille.h"
#include "engine3d/lumiere.h"
#include "engine3d/scene.h"
#include "engine3d/texte3d.h"
#include "results/objets_rangee.h"

namespace fantrel::results {

using namespace engine3d;

namespace {

constexpr CouleurRVBA orange_connote{ 0.89f, 0.47f, 0.2f, 1 };
constexpr CouleurRVBA rouge_faux{ 1, 0, 0, 1 };
constexpr CouleurRVBA noir{ 0, 0, 0, 1 };

Lumiere *cree_lumiere(Scene &scene, QVector3D position, CouleurRVBA ambiante, CouleurRVBA diffuse)
{
    auto *lumiere = scene.cree<Lumiere>();
    lumiere->definir_position(position);
    lumiere->definir_ambiante(ambiante);
    lumiere->definir_diffuse(diffuse);
    lumiere->definir_attenuation_constante(1.0f);
    return lumiere;
}

Texte3D *cree_categorie(Scene &scene, const QString &texte, float x, float extrusion)
{
    Texte3D *etiquette = cree_etiquette(scene, texte, extrusion, -1);
    etiquette->definir_position({ x, 0.0f, -1.5f });
    return etiquette;
}

} // namespace

Texte3D *SceneResultats3D::etiquette_categorie(int c) const
{
    switch (c) {
    case 1:
        return GLSpaceText1;
    case 2:
        return GLSpaceText4;
    case 3:
        return GLSpaceText2;
    case 4:
        return GLSpaceText3;
    default:
        return nullptr;
    }
}

SceneResultats3D construit_scene_resultats_3d(Scene &scene)
{
    SceneResultats3D s;
    s.GLDummyCube1 = scene.cree<Ancre>();
    s.GLDummyCube1->definir_echelle(0.5f);
    s.GLDummyCube1->definir_position({ 0.0f, 1.8f, 0.0f });

    Camera &camera = scene.camera();
    camera.definir_position({ -1.1f, 3.0f, 3.0f });
    camera.definir_cible(s.GLDummyCube1);
    camera.definir_focale(6.0f);
    camera.definir_echelle_scene(12.0f);
    camera.definir_profondeur_vue(100.0f);
    camera.definir_biais_plan_proche(5.0f);

    s.GLLightSource1 = cree_lumiere(scene, { 10, 6, 0 }, { 0.137255f, 0.137255f, 0.556863f, 1 },
                                    { 1, 1, 1, 1 });
    s.GLLightSource2 =
            cree_lumiere(scene, { 1, 2, 8 }, noir, { 0.74902f, 0.847059f, 0.847059f, 1 });

    s.GLXYZGrid1 = scene.cree<Grille>();
    s.GLXYZGrid1->definir_plage_x(-3, 3, 1);
    s.GLXYZGrid1->definir_plage_y(0, 7, 0.3f);
    s.GLXYZGrid1->definir_couleur({ 0.8f, 0.8f, 0.8f, 1 });
    s.GLXYZGrid1->definir_position({ 0, 0, -0.5f });
    s.GLXYZGrid1->definir_echelle(QVector3D(1, 0.85f, 1));

    s.GLSpaceText1 = cree_categorie(scene, QStringLiteral("Connoté"), -2.0f, 0.2f);
    s.GLSpaceText1->definir_diffuse(orange_connote);
    s.GLSpaceText1->definir_ambiante(noir);
    s.GLSpaceText4 = cree_categorie(scene, QStringLiteral("Faux"), -0.85f, 0.2f);
    s.GLSpaceText4->definir_diffuse(rouge_faux);
    s.GLSpaceText2 = cree_categorie(scene, QStringLiteral("Neutre"), 0.0f, 0.3f);
    s.GLSpaceText2->definir_ambiante(noir);
    s.GLSpaceText3 = cree_categorie(scene, QStringLiteral("Faux"), 1.2f, 0.2f);
    s.GLSpaceText3->definir_diffuse(rouge_faux);
    return s;
}

} // namespace fantrel::results
