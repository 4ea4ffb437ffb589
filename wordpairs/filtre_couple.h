// The pair test: two words differ in exactly one letter, then the five filters of
// the check boxes, in their order. Pure functions shared by both searches.
#pragma once
#include <QString>
#include <QStringView>
#include <functional>

namespace fantrel::wordpairs {

// The five check boxes of the window; all checked at first.
struct Filtres
{
    bool s_final = true; // Check_s: no pair whose last letters differ with an "s"
    bool accent = true; // Check_accent: the differing letter is no accented vowel nor ç
    bool non_derniere = true; // check_non_der: same last letter
    bool non_premiere = true; // check_non_prem: same first letter
    bool participes = true; // Check_participes: no present participle of a verb of the base
    bool operator==(const Filtres &) const = default;
};

// Place (from 0) of the one difference when the outer word a and the inner word b
// form a candidate, -1 otherwise. Only a's length is compared: letters of b
// beyond it are ignored, a missing letter of b counts as a difference.
int position_difference(QStringView a, QStringView b);

// Looks like a present participle: ends in "ant" or "ante".
bool ressemble_participe(QStringView mot);
// The verb it would come from ("chantant", "chantante" → "chanter"; "enfant" →
// "enfer"); empty when the word is no participle or the stem is empty.
QString infinitif_de(QStringView mot);

// Answers whether some line of the base holds the text anywhere (plain substring).
using ContientTexte = std::function<bool(const QString &texte)>;

// The participle filter: rejects when a or b looks like a participle whose
// infinitive stands somewhere in the base.
bool participe_rejete(QStringView a, QStringView b, const ContientTexte &contient);

// The checked filters in their order, for a candidate whose difference is at d.
bool accepte_candidat(QStringView a, QStringView b, int d, const Filtres &filtres,
                      const ContientTexte &contient);

// The whole test: an empty word never pairs; one difference; then the filters.
bool est_couple(QStringView a, QStringView b, const Filtres &filtres,
                const ContientTexte &contient);

// The result line of a pair: outer word, two spaces, inner word.
QString ligne_couple(QStringView a, QStringView b);

} // namespace fantrel::wordpairs
