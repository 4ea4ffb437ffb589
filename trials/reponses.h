// Answers of the word trials: the proposals of the results line, the judging, the
// shown word of a trial and the answer category.
#pragma once
#include "trials/etat_partage.h"
#include <QString>
#include <utility>

namespace fantrel::trials {

// Which word a trial shows: word 2 on odd trials, word 1 on even ones, so a whole
// evened-out run shows both equally often.
inline int rang_du_essai(int num_essai)
{
    return num_essai % 2 != 0 ? 2 : 1;
}

// "Mot affiché=" + shown + " prop=".
QString debut_ligne_resultat(const QString &montre);

// The captions of the left and right answer buttons: word 1 on the left when r = 1,
// on the right when r = 2.
std::pair<QString, QString> legendes_propositions(const QString &mot1, const QString &mot2, int r);

// The proposals as the buttons show them: "$mot1 mot2" when word 1 is on the left
// button (r = 1), "mot2 $mot1" when it is on the right one (r = 2).
QString propositions(const QString &mot1, const QString &mot2, int r);

// Byte-for-byte comparison: case and accents count, nothing trimmed.
inline bool juge(const QString &reponse, const QString &montre)
{
    return reponse == montre;
}

// Answer category 1..4: 1 first word shown (or incongruous melody) and right,
// 2 first and wrong, 3 second word (or plain melody) and right, 4 second and wrong.
inline int categorie_reponse(bool premier_mot, bool juste)
{
    if (premier_mot)
        return juste ? 1 : 2;
    return juste ? 3 : 4;
}

// From the answer state of a trial: rang_mot 1 or 2; any other rang_mot gives 0
// (counts nothing).
inline int categorie_essai(int rang_mot, bool bonne_reponse)
{
    if (rang_mot != 1 && rang_mot != 2)
        return 0;
    return categorie_reponse(rang_mot == 1, bonne_reponse);
}

} // namespace fantrel::trials
