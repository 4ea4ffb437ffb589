// Lines of the results record, one at a time: telling answer lines from headers,
// cutting an answer line into its pieces, and its answer category.
// Answer line: "Mot affiché=" shown " prop=" proposals " répondu=" answer, where the
// proposals are "$" first " " second, or second " $" first.
#pragma once
#include <QString>
#include <optional>

namespace fantrel::results {

// Any line containing "Mot affiché" is an answer line; every other line, the empty
// one included, is a header.
bool est_ligne_reponse(const QString &ligne);
inline bool est_entete(const QString &ligne)
{
    return !est_ligne_reponse(ligne);
}

// The three pieces of an answer line; a piece whose marker is missing is absent
// (an absent piece never matches anything, so a torn line counts as wrong).
struct ReponseLue
{
    std::optional<QString> montre; // after the first "=", up to the next blank
    std::optional<QString> propositions; // after "prop=", up to the blank before "répondu"
    std::optional<QString> reponse; // after the "=" that follows "répondu", to the end
};
ReponseLue analyse_ligne_reponse(const QString &ligne);

// True when propositions hold "$" + mot as a whole word: followed by a blank or the
// end. NOTE: "chat" is not found in "$chats chat", so a shown second word that
// begins the first one still counts as a second-word trial.
bool contient_mot_marque(const QString &propositions, const QString &mot);

// From an answer line read back from a file: never 0.
int categorie_ligne(const QString &ligne);
// Whether the answer cannot have come from a button: it is neither proposal. NOTE: a
// typed answer equal to a proposal cannot be told from a click, and counts as one.
bool reponse_hors_propositions(const QString &ligne);

// One answer line as listed in the exercise box: the proposals with their first blank
// turned into "-" ("$fiel-fier" or "fier-$fiel"). Proposals without a blank are
// listed unchanged.
QString ligne_listee(const QString &ligne);

} // namespace fantrel::results
