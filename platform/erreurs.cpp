#include "platform/erreurs.h"
#include "platform/interactions.h"

namespace fantrel::platform {

ErreurExecution erreur_fichier_introuvable()
{
    return ErreurExecution(QStringLiteral("Fichier introuvable"));
}

ErreurExecution erreur_acces_refuse()
{
    return ErreurExecution(QStringLiteral("Accès au fichier refusé"));
}

ErreurExecution erreur_entree_sortie(int numero)
{
    return ErreurExecution(QStringLiteral("Erreur E/S %1").arg(numero));
}

ErreurExecution erreur_ouverture(const QString &fichier)
{
    return ErreurExecution(QStringLiteral("Impossible d'ouvrir le fichier %1").arg(fichier));
}

ErreurExecution erreur_creation(const QString &fichier)
{
    return ErreurExecution(QStringLiteral("Impossible de créer le fichier %1").arg(fichier));
}

ErreurExecution erreur_entier(const QString &texte)
{
    return ErreurExecution(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(texte));
}

ErreurExecution erreur_reel(const QString &texte)
{
    return ErreurExecution(
            QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(texte));
}

bool proteger(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const ErreurExecution &e) {
        montre_erreur(e.message());
        return false;
    }
}

} // namespace fantrel::platform
