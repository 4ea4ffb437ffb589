// Exercise lists: one pair a line ("mot1  mot2" or "mot1-mot2", "$" marks the
// connoted word), evened out, shuffled, and the mask derived from them.
#pragma once
#include "trials/etat_partage.h"
#include <QString>
#include <QStringList>

namespace fantrel::trials {

// Splits one list line into its two words. The marked word becomes word 1.
// NOTE: a line with a single space gives word 2 after that space; a line with
// neither a space nor a hyphen gives two empty words (and still counts as a line).
Couple decoupe_ligne_exercice(const QString &ligne);

// Evens out an odd list by removing one line drawn uniformly (the lines are
// changed in place), fills liste_mots and nb_couples, then shuffles.
void tri_liste(QStringList &lignes, EtatPartage &etat);

// Random transpositions of the first nb_couples pairs: 200 of them, or twice the
// number of pairs for lists longer than 100, so long lists are mixed too.
void melange_des_lignes(EtatPartage &etat);

// The first paradigm's mask for a list whose second line is ligne2: the first sign
// of masque_courant repeated as many times as the line has characters once its
// first hyphen prefix, first space and first "$" are removed. An empty current
// mask stays empty.
QString masque_derive(const QString &ligne2, const QString &masque_courant);

// The file name without its folder (after the last "\" or "/").
QString nom_sans_dossier(const QString &chemin);

} // namespace fantrel::trials
