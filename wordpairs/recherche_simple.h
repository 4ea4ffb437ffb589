// The straightforward search: every pair of lines of the class, every word of one
// against every word of the other, and a scan of the whole base for each
// participle. Quadratic; kept as the reference the fast search is checked against.
#pragma once
#include "wordpairs/recherche.h"

namespace fantrel {

class RechercheSimple : public Recherche {
public:
    RechercheSimple(BaseMots base, Demande demande);
    bool avance(qint64 budget) override;
    bool finie() const override;

private:
    bool avance_classe(qint64 budget);
    bool avance_mot(qint64 budget);
    void compare(QStringView a, int ligne);

    ContientTexte m_contient;
    int m_i = 0;              // outer line
    int m_j = 0;              // next inner line (the next base line for a single word)
    bool m_entamee = false;   // outer line m_i counted and split
    int m_classe = 0;         // class of the outer line
    QStringList m_mots_ext;   // its words
};

} // namespace fantrel
