// Recently used text meshes, so flipping between a mask and a word rebuilds nothing.
#pragma once
#include "engine3d/extrusion_texte.h"

#include <list>
#include <memory>
#include <unordered_map>

namespace fantrel::engine3d {

class CacheMaillagesTexte
{
public:
    explicit CacheMaillagesTexte(std::size_t capacite = 64);

    // The mesh of these parameters, built on a miss; the least recently used
    // entry is dropped past the capacity (objects showing it keep their copy).
    std::shared_ptr<const Maillage> maillage(const ParametresTexte &parametres);

    void vide();
    std::size_t taille() const { return m_ordre.size(); }
    std::size_t nb_constructions() const { return m_nb_constructions; }

    // The one cache the text objects share (GUI thread only).
    static CacheMaillagesTexte &commun();

private:
    struct Hachage
    {
        std::size_t operator()(const ParametresTexte &p) const;
    };
    using Entree = std::pair<ParametresTexte, std::shared_ptr<const Maillage>>;

    std::size_t m_capacite = 64;
    std::size_t m_nb_constructions = 0;
    std::list<Entree> m_ordre; // most recent first
    std::unordered_map<ParametresTexte, std::list<Entree>::iterator, Hachage> m_index;
};

} // namespace fantrel::engine3d
