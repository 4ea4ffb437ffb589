#include "results/cadrage_resultats_3d.h"
#include "engine3d/boite.h"
#include "engine3d/camera.h"
#include "engine3d/grille.h"
#include "engine3d/maillage.h"
#include "engine3d/scene.h"
#include "engine3d/texte3d.h"
#include <algorithm>
#include <cmath>

namespace fantrel::results {

using namespace engine3d;

namespace {

void ajoute_coins(std::vector<QVector3D> &coins, const QMatrix4x4 &m, QVector3D bas,
                  QVector3D haut)
{
    for (int i = 0; i < 8; ++i)
        coins.push_back(m.map(QVector3D(i & 1 ? haut.x() : bas.x(), i & 2 ? haut.y() : bas.y(),
                                        i & 4 ? haut.z() : bas.z())));
}

} // namespace

std::vector<QVector3D> coins_a_montrer(const Scene &scene)
{
    std::vector<QVector3D> coins;
    for (const auto &objet : scene.objets()) {
        if (!objet->visible())
            continue;
        switch (objet->genre()) {
        case Genre::Boite:
            ajoute_coins(coins, static_cast<const Boite &>(*objet).matrice_boite(),
                         QVector3D(-0.5f, -0.5f, -0.5f), QVector3D(0.5f, 0.5f, 0.5f));
            break;
        case Genre::Texte3D: {
            const auto &texte = static_cast<const Texte3D &>(*objet);
            if (const auto m = texte.maillage(); m && !m->vide())
                ajoute_coins(coins, texte.matrice_texte(), m->minimum(), m->maximum());
            break;
        }
        case Genre::Grille: {
            const auto &grille = static_cast<const Grille &>(*objet);
            if (const auto m = grille.maillage(); m && !m->vide())
                ajoute_coins(coins, grille.matrice_modele(), m->minimum(), m->maximum());
            break;
        }
        default:
            break;
        }
    }
    return coins;
}

float recul_necessaire(const Camera &camera, const std::vector<QVector3D> &coins)
{
    const QMatrix4x4 vue = camera.matrice_vue();
    const float proche = 0.01f * camera.biais_plan_proche() * camera.echelle_scene();
    float manque = 0;
    for (const QVector3D &c : coins) // the view looks down its −z
        manque = std::max(manque, proche + 1 - -vue.map(c).z());
    return manque;
}

float focale_cadrant(const Camera &camera, const std::vector<QVector3D> &coins, QSize pixels)
{
    // In the orthographic view, x and y of a point about the camera's axis scale with
    // 1 / focal: half the view's height is demi_hauteur_focale_1 / focal.
    const QMatrix4x4 vue = camera.matrice_vue();
    const double aspect = double(std::max(pixels.width(), 1)) / std::max(pixels.height(), 1);
    double etendue = 1e-3; // half-height needed, in scene units
    for (const QVector3D &c : coins) {
        const QVector3D v = vue.map(c);
        etendue = std::max({ etendue, std::abs(double(v.y())), std::abs(double(v.x())) / aspect });
    }
    const double marge = 1 - 12.0 / std::max(pixels.height(), 24); // about 6 pixels a side
    return float(Camera::demi_hauteur_focale_1 * marge / etendue);
}

QSize taille_fenetre_resultats(int rangees)
{
    return { std::clamp(441 + 8 * (rangees - 15), 441, 600),
             std::clamp(333 + 22 * (rangees - 10), 333, 760) };
}

} // namespace fantrel::results
