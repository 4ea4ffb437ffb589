// Number conversions with the run-time's rules and error messages.
#pragma once
#include <QString>
#include <QChar>

namespace fantrel::platform {

// Decimal integer: optional blanks before, optional sign, digits, nothing after;
// fits in 32 bits. Otherwise throws erreur_entier(texte).
int vers_entier(const QString &texte);

// Real with the given decimal separator (also accepts exponent "E"), throws
// erreur_reel(texte) when the text is not a whole real.
double vers_reel(const QString &texte, QChar separateur);

// Shortest form with at most 15 significant digits, the given decimal separator,
// no thousands separator, an exponent only for very small or very large values
// (0.8f widened gives "0,800000011920929" with ',').
QString reel_general(double valeur, QChar separateur);

// The decimal separator of the machine's regional settings (QLocale::system()).
QChar separateur_regional();

} // namespace fantrel::platform
