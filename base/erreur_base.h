// Failures of the trial database, sorted by what the user can do about them. The
// message is the French reason, ready to follow "Les essais ne sont plus
// enregistrés dans la base : ".
#pragma once
#include "platform/erreurs.h"

namespace fantrel::base {

enum class NatureErreurBase {
    verrou, // another program holds the base: wait, close it
    lecture_seule, // the file or its folder cannot be written
    disque_plein,
    corrompue, // not a database, or damaged: set aside, never written over
    version, // made by a newer program: left alone
    autre,
    // A server's:
    injoignable, // no answer (down, network, socket absent): try again later
    mot_de_passe, // a password is required and none was given: ask the user
    authentification, // the user or its password refused
};

class ErreurBase : public platform::ErreurExecution
{
public:
    ErreurBase(NatureErreurBase nature, const QString &raison)
        : ErreurExecution(raison), m_nature(nature)
    {
    }
    NatureErreurBase nature() const { return m_nature; }

private:
    NatureErreurBase m_nature;
};

// The reason as the user reads it, for a base at chemin (a file, or a lab server's
// postgresql:// URI, named without its password). detail: the driver's own text,
// shown only when the failure is of no known kind.
ErreurBase erreur_base(NatureErreurBase nature, const QString &chemin,
                       const QString &detail = QString());

} // namespace fantrel::base
