#include "wordpairs/recherche_simple.h"
#include "wordpairs/participes.h"

namespace fantrel::wordpairs {

RechercheSimple::RechercheSimple(BaseMots base, Demande demande, ContientTexte contient)
    : Recherche(std::move(base), std::move(demande)), m_contient(std::move(contient))
{
    if (!m_contient)
        m_contient = [lignes = m_base.lignes](const QString &texte) {
            return base_contient_simple(lignes, texte);
        };
    m_i = m_bornes.debut;
}

bool RechercheSimple::finie() const
{
    if (m_demande.mot_seul)
        return m_j >= m_base.nb_lignes();
    return m_i >= m_bornes.fin - 1;
}

bool RechercheSimple::avance(qint64 budget)
{
    return m_demande.mot_seul ? avance_mot(budget) : avance_classe(budget);
}

const std::vector<QStringView> &RechercheSimple::mots(int ligne)
{
    if (m_mots.empty())
        m_mots.resize(std::size_t(m_base.nb_lignes()));
    auto &mots = m_mots[std::size_t(ligne)];
    if (mots.empty())
        mots = mots_de_la_ligne_vues(m_base.lignes.at(ligne));
    return mots;
}

void RechercheSimple::compare(const std::vector<QStringView> &mots_a, int ligne)
{
    for (QStringView a : mots_a)
        for (QStringView b : mots(ligne))
            if (est_couple(a, b, m_filtres, m_contient))
                liste(a, b);
}

bool RechercheSimple::avance_mot(qint64 budget)
{
    if (!progression_prete())
        prepare_progression(m_base.nb_lignes());
    for (; m_j < m_base.nb_lignes() && budget > 0; ++m_j, --budget) {
        progresse_de_un();
        if (m_base.classes[std::size_t(m_j)] == m_demande.longueur)
            compare({ QStringView(m_demande.mot) }, m_j);
    }
    return finie();
}

bool RechercheSimple::avance_classe(qint64 budget)
{
    const int fin = m_bornes.fin;
    while (m_i < fin - 1 && budget > 0) {
        if (!m_entamee) {
            m_classe = m_base.classes[std::size_t(m_i)];
            if (!ligne_cochee(m_classe)) {
                ++m_i;
                --budget;
                continue;
            }
            if (!progression_prete())
                prepare_progression(m_base.nb_lignes_classe(m_classe));
            progresse_de_un();
            m_entamee = true;
            m_j = m_i + 1;
        }
        for (; m_j <= fin - 1 && budget > 0; ++m_j, --budget) {
            if (m_base.classes[std::size_t(m_j)] != m_classe)
                continue;
            compare(mots(m_i), m_j);
        }
        if (m_j > fin - 1) {
            m_entamee = false;
            ++m_i;
        }
    }
    return finie();
}

} // namespace fantrel::wordpairs
