// One CSV field, as RFC 4180 writes it: shared by every export of the program.
#pragma once
#include <QString>

namespace fantrel::platform {

// The two renderings of the same rows: for R and pandas (",", decimal point, no byte
// order mark), or for a French spreadsheet (";", decimal comma, byte order mark,
// formulas defused).
enum class FormeCsv { r_pandas, tableur_france };

// A text as its field: quoted when it holds a comma, a quote, a CR or an LF, quotes
// doubled.
QString champ_csv(const QString &texte);

// The same for the given form. A spreadsheet's text field quotes on ";" instead of ","
// and, starting with "=", "+", "-" or "@", gets a leading "'" so that it is never
// evaluated as a formula.
QString champ_csv(const QString &texte, FormeCsv forme);

// A number's field: shortest exact digits, "." or "," as the form's decimal mark.
QString nombre_csv(double valeur, FormeCsv forme);

// The separator between fields, and what opens the file (the byte order mark).
QChar separateur_csv(FormeCsv forme);
QByteArray debut_fichier_csv(FormeCsv forme);

} // namespace fantrel::platform
