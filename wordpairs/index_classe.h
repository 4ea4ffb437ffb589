// Index of the words of one run of lines, to find for an outer word a every word
// b that the pair test takes as a candidate (exactly one difference over a's
// length) without comparing a with every word.
//
// For each place d, the distinct words longer than d are sorted by the word with
// its letter d deleted. The words b of length ≥ |a| that equal a everywhere but
// at d are those whose deleted form starts with a's deleted form: neighbours of a
// in that order. The one other case, b one letter shorter, is b = a less its last
// letter: a hash look-up.
#pragma once
#include <QHash>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace fantrel::wordpairs {

class IndexClasse
{
public:
    // Indexes the words of lines debut .. fin − 1 (the key of each line is left out).
    IndexClasse(const QStringList &lignes, int debut, int fin);

    struct Occurrence
    {
        int ligne;
        int place; // place of the word in its line, from 0
    };
    struct Candidat
    {
        int mot; // id of b
        int difference; // place d of the difference
    };

    int nb_mots() const { return int(m_mots.size()); }
    QStringView mot(int id) const { return m_mots[std::size_t(id)]; }
    // Word ids of one indexed line, in order; -1 for an empty word.
    const int *mots_ligne(int ligne, int &nombre) const;
    // Places where a word stands, in line order then place order.
    const Occurrence *occurrences(int id, int &nombre) const;
    // Appends every candidate b of the indexed word a; returns the entries looked at.
    qint64 candidats(int id_a, std::vector<Candidat> &sortie) const;
    qsizetype memoire_octets() const;

private:
    void indexe_mots(int fin);
    void indexe_occurrences(int fin);
    void indexe_ordres();

    QStringList m_lignes; // keeps the viewed text alive
    int m_debut = 0;
    std::vector<QStringView> m_mots; // distinct non-empty words
    QHash<QStringView, int> m_ids;
    std::vector<int> m_debut_ligne; // per line: first entry in m_mots_lignes
    std::vector<int> m_mots_lignes;
    std::vector<int> m_nb_occ; // per word, while the index is built
    std::vector<int> m_debut_occ; // per word: first entry in m_occ
    std::vector<Occurrence> m_occ;
    std::vector<std::vector<int>> m_ordre; // per place d: word ids sorted by deleted form
    std::vector<int> m_debut_rang; // per word: first entry in m_rang
    std::vector<int> m_rang; // rank of word id in m_ordre[d], at m_debut_rang[id] + d
};

} // namespace fantrel::wordpairs
