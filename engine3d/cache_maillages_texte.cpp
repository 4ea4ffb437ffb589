#include "engine3d/cache_maillages_texte.h"

#include <QHash>

#include <algorithm>

namespace fantrel::engine3d {

std::size_t CacheMaillagesTexte::Hachage::operator()(const ParametresTexte &p) const
{
    return qHashMulti(0, p.texte, p.famille, p.hauteur_pixels, p.profondeur);
}

CacheMaillagesTexte::CacheMaillagesTexte(std::size_t capacite)
    : m_capacite(std::max<std::size_t>(capacite, 1))
{
}

std::shared_ptr<const Maillage> CacheMaillagesTexte::maillage(const ParametresTexte &parametres)
{
    if (const auto trouve = m_index.find(parametres); trouve != m_index.end()) {
        m_ordre.splice(m_ordre.begin(), m_ordre, trouve->second);
        return trouve->second->second;
    }
    auto nouveau = std::make_shared<const Maillage>(construit_texte_extrude(parametres));
    ++m_nb_constructions;
    m_ordre.emplace_front(parametres, nouveau);
    m_index.emplace(parametres, m_ordre.begin());
    if (m_ordre.size() > m_capacite) {
        m_index.erase(m_ordre.back().first);
        m_ordre.pop_back();
    }
    return nouveau;
}

void CacheMaillagesTexte::vide()
{
    m_index.clear();
    m_ordre.clear();
}

CacheMaillagesTexte &CacheMaillagesTexte::commun()
{
    static CacheMaillagesTexte cache;
    return cache;
}

} // namespace fantrel::engine3d
