// A word-pair search that runs by steps: the window calls avance() between two
// rounds of its event loop, and can stop calling (STOP) and call again later
// (REPRENDRE) without a pair of lines being skipped or visited twice.
//
// Two searches, one behaviour: RechercheSimple compares every pair of lines as
// the tool always did; RechercheRapide finds the same lines, in the same order,
// through an index.
#pragma once
#include "wordpairs/base_mots.h"
#include "wordpairs/filtre_couple.h"
#include <QStringList>

namespace fantrel::wordpairs {

// What is searched: every pair of the run of lines of class `longueur`, or
// (mot_seul) every partner of `mot` in the lines of class `longueur`.
struct Demande
{
    bool mot_seul = false;
    int longueur = 0;
    QString mot;
};

class Recherche
{
public:
    Recherche(BaseMots base, Demande demande);
    virtual ~Recherche() = default;
    Recherche(const Recherche &) = delete;
    Recherche &operator=(const Recherche &) = delete;

    // Works for about `budget` units (comparisons or candidates), stopping only
    // between two inner lines. Returns finie().
    virtual bool avance(qint64 budget) = 0;
    // A class search ends when its outer line reaches the last line of the run;
    // a single-word search when every line of the base has been examined.
    virtual bool finie() const = 0;

    // The check boxes, read at the next pair tested.
    void definir_filtres(const Filtres &filtres) { m_filtres = filtres; }
    // The checked length button (0: none). An outer line is processed only when
    // its class is checked at the moment the search reaches it.
    void definir_longueur_cochee(int longueur) { m_longueur_cochee = longueur; }

    // Result lines ("outer  inner") found since the last call, in listing order.
    QStringList prend_couples();
    // The progress bar: set up (maximum, position 0) at the first processed line,
    // then advanced by one per outer line (per base line for a single word).
    bool progression_prete() const { return m_progression_prete; }
    int progression_maximum() const { return m_progression_maximum; }
    int progression_position() const { return m_progression_position; }

    const Demande &demande() const { return m_demande; }
    BornesClasse bornes() const { return m_bornes; }

protected:
    void liste(QStringView a, QStringView b) { m_trouves.append(ligne_couple(a, b)); }
    void prepare_progression(int maximum);
    void progresse(int position) { m_progression_position = position; }
    void progresse_de_un() { ++m_progression_position; }
    bool ligne_cochee(int classe) const { return classe >= 1 && classe == m_longueur_cochee; }

    BaseMots m_base;
    Demande m_demande;
    BornesClasse m_bornes;
    Filtres m_filtres;
    int m_longueur_cochee = 0;

private:
    QStringList m_trouves;
    bool m_progression_prete = false;
    int m_progression_maximum = 0;
    int m_progression_position = 0;
};

} // namespace fantrel::wordpairs
