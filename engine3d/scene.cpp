#include "engine3d/scene.h"

#include <algorithm>

namespace fantrel::engine3d {

Scene::Scene()
{
    m_camera.m_scene = this;
}

// Objects may look at each other (the camera's target) while they go.
Scene::~Scene()
{
    m_rappel = nullptr;
    m_camera.definir_cible(nullptr);
}

void Scene::ajoute_objet(std::unique_ptr<Objet> objet)
{
    if (!objet)
        return;
    objet->m_scene = this;
    if (objet->genre() == Genre::Lumiere)
        m_lumieres.push_back(static_cast<Lumiere *>(objet.get()));
    m_objets.push_back(std::move(objet));
    signale_modification();
}

void Scene::retire(Objet *objet)
{
    const auto trouve = std::find_if(m_objets.begin(), m_objets.end(),
                                     [objet](const auto &o) { return o.get() == objet; });
    if (!objet || trouve == m_objets.end())
        return;
    if (m_camera.cible() == objet)
        m_camera.definir_cible(nullptr);
    std::erase(m_lumieres, objet);
    m_objets.erase(trouve);
    signale_modification();
}

void Scene::definir_lumiere_ambiante(const CouleurRVBA &couleur)
{
    if (couleur == m_lumiere_ambiante)
        return;
    m_lumiere_ambiante = couleur;
    signale_modification();
}

void Scene::signale_modification()
{
    if (m_rappel)
        m_rappel();
}

} // namespace fantrel::engine3d
