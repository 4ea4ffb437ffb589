// Where the bars and labels of the 3D results view stand, in scene units: one row
// of four bars per user along the depth axis, the sum row at the far end.
#pragma once
#include <QString>
#include <cstdint>

namespace fantrel::results {

// Depth of row n: pas × n − 0.7, and 0.3 further back for the sum row.
double z_rangee(int n, double pas = 0.5);
// The rows' pitch: 0.5 up to 10 users, then 0.8, so that seen from the camera each
// name stands clear of the next row's.
double pas_rangees(int nb_util);
// x of the bar and value label of category c (1..4): −1.5, −0.5, 0.5, 1.5.
double x_categorie(int c);
inline constexpr double x_nom = -2.9; // name labels
inline constexpr double largeur_barre = 0.8;
// Bar depth: the sum row's bars are twice as deep.
double profondeur_barre(int n);

// Scale of row n's bars: 1 for a user, (100 − position of Scroll_coeff) / 100 for the sum.
double echelle_rangee(int n, int position_coeff);
// Height of one answer: a grid step (0.3 × 0.85) until the largest count of the rows
// drawn alike would rise past 20 steps, then 20 steps shared by that count.
inline constexpr double pas_grille = 0.3 * 0.85;
double unite_barre(std::int32_t plus_grand_compte);
// Height of a bar: count × scale × unit, one grid step per answer on a user row.
double hauteur_barre(std::int32_t compte, int n, int position_coeff, double unite = pas_grille);

// The hidden test scroll bars drive a bar from a level p in 0..100: height (100 − p) / 15,
// label 50 − p / 2 rounded half to even.
double hauteur_niveau(int p);
QString texte_niveau(int p);

// z of the anchor the camera aims at, keeping the rows centred: (0.5 n − 2) / 2.
double z_ancre(int nb_util);

} // namespace fantrel::results
