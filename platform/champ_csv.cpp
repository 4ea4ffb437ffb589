#include "platform/champ_csv.h"

namespace fantrel::platform {

QString champ_csv(const QString &texte)
{
    static const QString speciaux = QStringLiteral(",\"\r\n");
    bool a_citer = false;
    for (QChar c : texte)
        a_citer = a_citer || speciaux.contains(c);
    if (!a_citer)
        return texte;
    QString cite = texte;
    cite.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + cite + QLatin1Char('"');
}

} // namespace fantrel::platform
