// The trial database in PostgreSQL's words, for the lab server every station sends to:
// the target is the server's postgresql:// URI (with its password when one is known,
// in memory only), the schema's version a row of its own table, the migration
// serialised between stations, and the server's errors sorted by what the user can do.
#pragma once
#include "base/dialecte.h"

namespace fantrel::base {

class DialectePostgres final : public Dialecte
{
public:
    QString pilote() const override; // "QPSQL"
    // INTEGER, numbered by the server: the columns that name a session stay INTEGER.
    QString type_cle_auto() const override;
    // A URI libpq reads; the server itself answers at the connection.
    void verifie_avant_ecriture(const QString &uri) const override;
    // Host (a Unix socket's folder works as the host), port, base, user, password when
    // the URI holds one (else libpq reads PGPASSFILE or ~/.pgpass), sslmode, and a
    // short connect timeout so that a server down costs seconds, not minutes.
    void designe_cible(QSqlDatabase &db, const QString &uri, bool lecture_seule) const override;
    // A statement that hangs (network gone) ends within a bounded time.
    void regle_connexion(QSqlDatabase &db, const QString &uri) const override;
    // Two stations migrating one server at once: the second waits for the first
    // (a lock held until the transaction ends).
    void debute_ecriture(QSqlDatabase &db, const QString &uri) const override;
    // The row of table version_schema; 0 when the table is absent (a new server).
    int version_schema(QSqlDatabase &db, const QString &uri) const override;
    void pose_version_schema(QSqlDatabase &db, int version, const QString &uri) const override;
    // The server checks its own pages: nothing to do here.
    void verifie_integrite(QSqlDatabase &db, const QString &uri) const override;
    // By SQLSTATE when the server answered, else by libpq's text (English or French).
    ErreurBase erreur_sql(const QSqlError &erreur, const QString &uri) const override;
};

const Dialecte &dialecte_postgres();

} // namespace fantrel::base
