#include "base/adresse_labo.h"
#include <QUrl>
#include <QUrlQuery>

namespace fantrel::base {

namespace {

bool port_valide(const QString &texte, int &port)
{
    bool ok = false;
    const int p = texte.toInt(&ok);
    if (!ok || p < 1 || p > 65535)
        return false;
    port = p;
    return true;
}

} // namespace

std::optional<AdresseLabo> lit_uri_labo(const QString &uri, QString *erreur)
{
    const auto refuse = [&](const QString &raison) -> std::optional<AdresseLabo> {
        if (erreur)
            *erreur = raison;
        return std::nullopt;
    };
    const QString texte = uri.trimmed();
    if (!texte.startsWith(QLatin1String("postgresql://"))
        && !texte.startsWith(QLatin1String("postgres://")))
        return refuse(QStringLiteral("l'adresse doit commencer par « postgresql:// »"));
    const QUrl url(texte, QUrl::StrictMode);
    if (!url.isValid())
        return refuse(QStringLiteral("adresse illisible (%1)").arg(url.errorString()));

    AdresseLabo a;
    a.hote = url.host(QUrl::FullyDecoded);
    a.utilisateur = url.userName(QUrl::FullyDecoded);
    a.mot_de_passe = url.password(QUrl::FullyDecoded);
    a.base = url.path(QUrl::FullyDecoded).mid(1);
    if (url.port() != -1)
        a.port = url.port();
    const QUrlQuery requete(url);
    for (const auto &[cle, valeur_brute] : requete.queryItems(QUrl::FullyDecoded)) {
        const QString valeur = valeur_brute;
        if (cle == QLatin1String("host"))
            a.hote = valeur;
        else if (cle == QLatin1String("port")) {
            if (!port_valide(valeur, a.port))
                return refuse(QStringLiteral("port invalide : « %1 »").arg(valeur));
        } else if (cle == QLatin1String("dbname"))
            a.base = valeur;
        else if (cle == QLatin1String("user"))
            a.utilisateur = valeur;
        else if (cle == QLatin1String("password"))
            a.mot_de_passe = valeur;
        else if (cle == QLatin1String("sslmode")) {
            static const QStringList modes = { "disable", "allow",     "prefer",
                                               "require", "verify-ca", "verify-full" };
            if (!modes.contains(valeur))
                return refuse(QStringLiteral("sslmode inconnu : « %1 »").arg(valeur));
            a.sslmode = valeur;
        } else
            return refuse(QStringLiteral("paramètre inconnu : « %1 »").arg(cle));
    }
    if (a.base.isEmpty())
        return refuse(QStringLiteral("le nom de la base manque"));
    if (a.hote.isEmpty())
        a.hote = QStringLiteral("localhost");
    return a;
}

QString uri_labo(const AdresseLabo &a, bool avec_mot_de_passe)
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(a.utilisateur);
    if (avec_mot_de_passe && !a.mot_de_passe.isEmpty())
        url.setPassword(a.mot_de_passe);
    url.setPath(QLatin1Char('/') + a.base);
    QUrlQuery requete;
    // A socket's folder cannot stand in the authority: libpq takes it as ?host=.
    if (a.hote.startsWith(QLatin1Char('/'))) {
        url.setHost(QString());
        requete.addQueryItem(QStringLiteral("host"), a.hote);
        requete.addQueryItem(QStringLiteral("port"), QString::number(a.port));
    } else {
        url.setHost(a.hote);
        if (a.port != 5432)
            url.setPort(a.port);
    }
    if (!a.sslmode.isEmpty())
        requete.addQueryItem(QStringLiteral("sslmode"), a.sslmode);
    url.setQuery(requete);
    QString texte = url.toString(QUrl::FullyEncoded);
    // QUrl drops an empty authority ("postgresql:/base"), which libpq would misread.
    if (!texte.startsWith(QLatin1String("postgresql://")))
        texte.replace(0, int(sizeof("postgresql:") - 1), QStringLiteral("postgresql://"));
    return texte;
}

QString description_labo(const AdresseLabo &a)
{
    return QStringLiteral("%1 sur %2:%3").arg(a.base, a.hote).arg(a.port);
}

} // namespace fantrel::base
