#include "trials/reponses.h"

namespace fantrel::trials {

QString debut_ligne_resultat(const QString &montre)
{
    return QStringLiteral("Mot affiché=") + montre + QStringLiteral(" prop=");
}

std::pair<QString, QString> legendes_propositions(const QString &mot1, const QString &mot2, int r)
{
    return r == 1 ? std::pair{ mot1, mot2 } : std::pair{ mot2, mot1 };
}

QString propositions(const QString &mot1, const QString &mot2, int r)
{
    return r == 1 ? QStringLiteral("$") + mot1 + u' ' + mot2 : mot2 + QStringLiteral(" $") + mot1;
}

} // namespace fantrel::trials
