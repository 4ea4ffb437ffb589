// Answers of the word trials: the proposals of the results line, the judging, the
// shown word of a trial and the answer category.
#pragma once
#include "trials/etat_partage.h"
#include <QString>

namespace fantrel {

// Which word a trial shows: word 2 on odd trials, word 1 on even ones, so a whole
// evened-out run shows both equally often.
inline int rang_du_essai(int num_essai)
{
    return num_essai % 2 != 0 ? 2 : 1;
}

// "Mot affiché=" + shown + " prop=".
QString debut_ligne_resultat(const QString &montre);

// The proposals as the buttons show them: "$mot1 mot2" when word 1 is on the left
// button (r = 1), "mot2 $mot1" when it is on the right one (r = 2).
QString propositions(const QString &mot1, const QString &mot2, int r);

// Byte-for-byte comparison: case and accents count, nothing trimmed.
inline bool juge(const QString &reponse, const QString &montre)
{
    return reponse == montre;
}

// Category 1..4 of an answer (0: counts nothing): 1 word 1 right, 2 word 1 wrong,
// 3 word 2 right, 4 word 2 wrong.
inline int categorie(int rang_mot, bool bonne_reponse)
{
    if (rang_mot == 1)
        return bonne_reponse ? 1 : 2;
    if (rang_mot == 2)
        return bonne_reponse ? 3 : 4;
    return 0;
}

} // namespace fantrel
