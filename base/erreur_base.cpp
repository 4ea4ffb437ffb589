#include "base/erreur_base.h"
#include "base/adresse_labo.h"
#include <QDir>

namespace fantrel::base {

namespace {

QString raison_fichier(NatureErreurBase nature)
{
    switch (nature) {
    case NatureErreurBase::verrou:
        return QStringLiteral("le fichier %1 est verrouillé par un autre programme.");
    case NatureErreurBase::lecture_seule:
        return QStringLiteral("le fichier %1 ou son dossier est en lecture seule.");
    case NatureErreurBase::disque_plein:
        return QStringLiteral("le disque qui porte le fichier %1 est plein.");
    case NatureErreurBase::corrompue:
        return QStringLiteral("le fichier %1 est endommagé.");
    case NatureErreurBase::version:
        return QStringLiteral("le fichier %1 a été créé par une version plus récente du "
                              "programme.");
    case NatureErreurBase::injoignable:
    case NatureErreurBase::mot_de_passe:
    case NatureErreurBase::authentification:
    case NatureErreurBase::autre:
        break;
    }
    return QStringLiteral("erreur du fichier %1.");
}

QString raison_serveur(NatureErreurBase nature)
{
    switch (nature) {
    case NatureErreurBase::verrou:
        return QStringLiteral("la base du laboratoire %1 est occupée par une autre station.");
    case NatureErreurBase::lecture_seule:
        return QStringLiteral("la base du laboratoire %1 refuse l'écriture à cet utilisateur.");
    case NatureErreurBase::disque_plein:
        return QStringLiteral("le disque du serveur de la base du laboratoire %1 est plein.");
    case NatureErreurBase::corrompue:
        return QStringLiteral("la base du laboratoire %1 est endommagée.");
    case NatureErreurBase::version:
        return QStringLiteral("la base du laboratoire %1 a été créée par une version plus "
                              "récente du programme : rien n'y est envoyé.");
    case NatureErreurBase::injoignable:
        return QStringLiteral("le serveur de la base du laboratoire %1 ne répond pas.");
    case NatureErreurBase::mot_de_passe:
        return QStringLiteral("la base du laboratoire %1 demande un mot de passe.");
    case NatureErreurBase::authentification:
        return QStringLiteral("la base du laboratoire %1 a refusé l'utilisateur ou le mot de "
                              "passe.");
    case NatureErreurBase::autre:
        break;
    }
    return QStringLiteral("erreur de la base du laboratoire %1.");
}

} // namespace

ErreurBase erreur_base(NatureErreurBase nature, const QString &chemin, const QString &detail)
{
    // A server is named as the user set it, never with the password its URI may hold.
    const std::optional<AdresseLabo> serveur =
            chemin.startsWith(QLatin1String("postgres")) ? lit_uri_labo(chemin) : std::nullopt;
    const QString raison = serveur
            ? raison_serveur(nature).arg(description_labo(*serveur))
            : raison_fichier(nature).arg(QDir::toNativeSeparators(chemin));
    const bool sans_type = nature == NatureErreurBase::autre;
    if (sans_type && !detail.isEmpty())
        return ErreurBase(nature, raison + QLatin1Char('\n') + detail);
    return ErreurBase(nature, raison);
}

} // namespace fantrel::base
