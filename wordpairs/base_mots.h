// The word base as the searches see it: lines "key word word …", the length
// class of a line being the length of its key. Pure functions, no files.
#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace fantrel::wordpairs {

// Characters before the first space; -1 for a line without a space (no class).
int classe_ligne(QStringView ligne);

// The words after the key, split at each single space. A line without a space
// is one word; two spaces in a row give an empty word (which never pairs).
// NOTE: no limit on the number of words of a line.
QStringList mots_de_la_ligne(QStringView ligne);

// Same split, as views into the line (which must outlive them).
std::vector<QStringView> mots_de_la_ligne_vues(QStringView ligne);

// The lines of a base with their classes, computed once per loaded base.
struct BaseMots
{
    QStringList lignes;
    std::vector<int> classes; // classe_ligne of each line

    BaseMots() = default;
    explicit BaseMots(QStringList lignes_base);
    int nb_lignes() const { return int(lignes.size()); }
    // Number of lines of the whole base whose class is `classe` (not only the first run).
    int nb_lignes_classe(int classe) const;
};

// The run of lines searched for one class: `debut` is the first line of that
// class, `fin` the first line after it of another class (the line count when
// the class runs to the end); both -1 when no line has that class.
struct BornesClasse
{
    int debut = -1;
    int fin = -1;
};
BornesClasse bornes_classe(const std::vector<int> &classes, int classe);

// Lower case for the letters A to Z only; accented capitals stay.
QString minuscules_az(const QString &texte);

} // namespace fantrel::wordpairs
