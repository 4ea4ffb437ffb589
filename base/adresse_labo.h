// The lab server's address: a postgresql:// URI as libpq reads it, including a Unix
// socket's folder given as ?host=/folder&port=N. fantrel.ini keeps it without its
// password; the password lives only in memory (asked once per run) or in
// PostgreSQL's password file, which the driver reads itself.
#pragma once
#include <QString>
#include <optional>

namespace fantrel::base {

struct AdresseLabo
{
    QString hote; // name or address; a Unix socket's folder when it starts with '/'
    int port = 5432;
    QString base;
    QString utilisateur;
    QString mot_de_passe; // never written to a file
    QString sslmode; // empty: the driver's default
};

// The address in uri; nullopt with a French reason in *erreur when it is not one.
std::optional<AdresseLabo> lit_uri_labo(const QString &uri, QString *erreur = nullptr);
// The URI of the address; its password only when asked (in memory, for a connection).
QString uri_labo(const AdresseLabo &adresse, bool avec_mot_de_passe = false);
// "base sur hôte:port" as the experimenter reads it in messages.
QString description_labo(const AdresseLabo &adresse);

} // namespace fantrel::base
