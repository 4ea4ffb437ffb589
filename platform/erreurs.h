// Run-time errors of the program: one exception type carrying the French message
// the user sees in the standard error box. Handlers never catch it; one place does
// (fantrel::Application::notify, or proteger()) and shows it.
#pragma once
#include <QString>
#include <exception>
#include <functional>

namespace fantrel::platform {

class ErreurExecution : public std::exception
{
public:
    explicit ErreurExecution(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {
    }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The messages, exactly as the user reads them.
ErreurExecution erreur_fichier_introuvable(); // "Fichier introuvable"
ErreurExecution erreur_acces_refuse(); // "Accès au fichier refusé"
ErreurExecution erreur_entree_sortie(int numero); // "Erreur E/S %d"
ErreurExecution erreur_ouverture(const QString &fichier); // "Impossible d'ouvrir le fichier %s"
ErreurExecution erreur_creation(const QString &fichier); // "Impossible de créer le fichier %s"
ErreurExecution erreur_entier(const QString &texte); // "'%s' n'est pas une valeur entière correcte"
ErreurExecution
erreur_reel(const QString &texte); // "'%s' n'est pas une valeur en virgule flottante correcte"

// Runs an action; an ErreurExecution escaping it is shown in the error box (through
// the seam) and swallowed, so the state reached so far stays. Returns false then.
bool proteger(const std::function<void()> &action);

} // namespace fantrel::platform
