// Where the sending to the lab server stands, as the status bar says it.
#pragma once
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <optional>

namespace fantrel::base {

enum class RefusLabo {
    aucun,
    injoignable, // no answer: rows wait and the sender tries again
    mot_de_passe, // the server asks for a password and none is known: ask the user once
    authentification, // the server refused the user or the password
    version, // the server's schema is newer than this program: nothing is sent
    autre,
};

struct EtatLabo
{
    bool actif = false; // a server is set
    qint64 essais_en_attente = 0; // local trials not yet on the server
    std::optional<QDateTime> injoignable_depuis; // local time of the first failure in a row
    RefusLabo refus = RefusLabo::aucun;
    QString message; // the last refusal's reason, in French
};

// "" with no server; "Base du laboratoire : à jour"; "Base du laboratoire : 12 essais en
// attente (injoignable depuis 14:02)"; a refusal's reason after the count.
QString texte_etat_labo(const EtatLabo &etat);

} // namespace fantrel::base

Q_DECLARE_METATYPE(fantrel::base::EtatLabo)
