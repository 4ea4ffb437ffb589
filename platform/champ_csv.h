// One CSV field, as RFC 4180 writes it: shared by every export of the program.
#pragma once
#include <QString>

namespace fantrel::platform {

// A text as its field: quoted when it holds a comma, a quote, a CR or an LF, quotes
// doubled.
QString champ_csv(const QString &texte);

} // namespace fantrel::platform
