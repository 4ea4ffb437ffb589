#include "base/erreur_base.h"
#include <QDir>

namespace fantrel::base {

ErreurBase erreur_base(NatureErreurBase nature, const QString &chemin, const QString &detail)
{
    const QString fichier = QDir::toNativeSeparators(chemin);
    QString raison;
    switch (nature) {
    case NatureErreurBase::verrou:
        raison = QStringLiteral("le fichier %1 est verrouillé par un autre programme.");
        break;
    case NatureErreurBase::lecture_seule:
        raison = QStringLiteral("le fichier %1 ou son dossier est en lecture seule.");
        break;
    case NatureErreurBase::disque_plein:
        raison = QStringLiteral("le disque qui porte le fichier %1 est plein.");
        break;
    case NatureErreurBase::corrompue:
        raison = QStringLiteral("le fichier %1 est endommagé.");
        break;
    case NatureErreurBase::version:
        raison = QStringLiteral("le fichier %1 a été créé par une version plus récente du "
                                "programme.");
        break;
    case NatureErreurBase::autre:
        raison = QStringLiteral("erreur du fichier %1.");
        break;
    }
    raison = raison.arg(fichier);
    if (nature == NatureErreurBase::autre && !detail.isEmpty())
        raison += QLatin1Char('\n') + detail;
    return ErreurBase(nature, raison);
}

} // namespace fantrel::base
