#include "wordpairs/recherche.h"

namespace fantrel::wordpairs {

Recherche::Recherche(BaseMots base, Demande demande)
    : m_base(std::move(base)),
      m_demande(std::move(demande)),
      m_bornes(bornes_classe(m_base.classes, m_demande.longueur)),
      m_longueur_cochee(m_demande.longueur)
{
}

QStringList Recherche::prend_couples()
{
    return std::exchange(m_trouves, {});
}

void Recherche::prepare_progression(int maximum)
{
    m_progression_prete = true;
    m_progression_maximum = maximum;
    m_progression_position = 0;
}

} // namespace fantrel::wordpairs
