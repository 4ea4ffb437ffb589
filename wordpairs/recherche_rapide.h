// The fast search: same result lines, same order, same progress as
// RechercheSimple. A class search asks the class index for the candidates of
// each outer line and sorts them into listing order (inner line, place of the
// outer word, place of the inner word); a single-word search examines only the
// lines of the word's class. Participles are answered by the indexed, cached scan.
// The indexes of a class search are built on threads of their own (a small
// class's in place), so that a step never holds the window for long: until the
// ones it needs are ready, avance() waits a little and returns. The threads are
// not waited for when a search is dropped.
#pragma once
#include "wordpairs/index_classe.h"
#include "wordpairs/participes.h"
#include "wordpairs/recherche.h"
#include <future>
#include <memory>

namespace fantrel::wordpairs {

class RechercheRapide : public Recherche
{
public:
    RechercheRapide(BaseMots base, Demande demande);
    ~RechercheRapide() override;
    bool avance(qint64 budget) override;
    bool finie() const override;
    // Bytes held by the indexes built so far.
    qsizetype memoire_octets() const;

private:
    struct Trouve
    {
        int ligne;
        int place_a;
        int place_b;
        int mot_a;
        int mot_b;
        int difference;
    };

    bool index_pret();
    bool contient(const QString &texte);
    bool avance_classe(qint64 budget);
    bool avance_mot(qint64 budget);
    qint64 rassemble(int ligne);

    std::future<std::shared_ptr<IndexParticipes>> m_futur_participes;
    std::future<std::shared_ptr<IndexClasse>> m_futur_index;
    std::shared_ptr<IndexParticipes> m_participes;
    std::shared_ptr<IndexClasse> m_index;
    ContientTexte m_contient;
    QHash<QString, bool> m_reponses; // answered by a scan (single word)
    std::vector<IndexClasse::Candidat> m_candidats;
    std::vector<Trouve> m_trouves; // candidates of the outer line, in listing order
    std::size_t m_suivant = 0; // first candidate not yet tested
    int m_i = 0;
    bool m_entamee = false;
    // Single word: the lines of its class, and how far the examination went.
    std::vector<int> m_lignes_mot;
    std::size_t m_k = 0;
    bool m_mot_fini = false;
};

} // namespace fantrel::wordpairs
