// A throwaway PostgreSQL cluster for the tests and benchmarks of the lab server: initdb
// and pg_ctl in a temporary folder, a Unix socket there and no TCP port, run as the
// unprivileged user "postgres" when we are root; stopped and removed at the end. Never
// a system cluster.
#pragma once
#include "base/adresse_labo.h"
#include <QString>
#include <QTemporaryDir>

namespace fantrel::tests {

class GrappePostgres
{
public:
    enum class Acces {
        confiance, // any local connection is let in
        mot_de_passe, // SCRAM: the user must give mot_de_passe_grappe
    };
    static constexpr const char *mot_de_passe_grappe = "secret-labo";

    // Why no cluster can run here (binaries or the postgres user missing); empty when
    // one can.
    static QString impossible();

    // Made, started, with an empty base "labo" for the user "fantrel". ok() says
    // whether it worked, erreur() why not.
    explicit GrappePostgres(Acces acces = Acces::confiance);
    ~GrappePostgres();
    GrappePostgres(const GrappePostgres &) = delete;
    GrappePostgres &operator=(const GrappePostgres &) = delete;

    bool ok() const { return m_erreur.isEmpty(); }
    const QString &erreur() const { return m_erreur; }

    bool arrete(); // fast shutdown: connections cut as a server failing would
    bool demarre();
    // The lab's address for the user "fantrel", without its password.
    base::AdresseLabo adresse() const;
    // psql's output of sql, run as the cluster's owner ("-At": bare values).
    QString psql(const QString &sql);

private:
    bool lance(const QString &programme, const QStringList &arguments, QString *sortie = nullptr);

    QTemporaryDir m_dossier;
    QString m_binaires;
    int m_port = 0;
    bool m_en_marche = false;
    QString m_erreur;
};

} // namespace fantrel::tests
