// The straightforward search: every pair of lines of the class, every word of one
// against every word of the other, and a scan of the whole base for each
// participle. Quadratic; kept as the reference the fast search is checked against.
// (Each line is split once and its words kept.)
#pragma once
#include "wordpairs/recherche.h"

namespace fantrel::wordpairs {

class RechercheSimple : public Recherche
{
public:
    // `contient` answers the participle filter; by default a scan of every line
    // for each question, as the tool always did.
    RechercheSimple(BaseMots base, Demande demande, ContientTexte contient = {});
    bool avance(qint64 budget) override;
    bool finie() const override;

private:
    bool avance_classe(qint64 budget);
    bool avance_mot(qint64 budget);
    void compare(const std::vector<QStringView> &mots_a, int ligne);
    const std::vector<QStringView> &mots(int ligne);

    ContientTexte m_contient;
    int m_i = 0; // outer line
    int m_j = 0; // next inner line (the next base line for a single word)
    bool m_entamee = false; // outer line m_i counted
    int m_classe = 0; // class of the outer line
    std::vector<std::vector<QStringView>> m_mots; // words of each line, split once
};

} // namespace fantrel::wordpairs
