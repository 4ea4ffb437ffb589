// The seam between the trial database's portable SQL and the database that runs it.
// The tables, inserts and selections are written once, in plain SQL (schema_base,
// base_essais); what differs from one database to another goes through a Dialecte:
// the driver, how a connection names its target and checks it before writing, the
// type of the keys the base numbers, durability, the schema's version, integrity, and
// what the driver's error codes mean. SQLite's (dialecte_sqlite.h) serves the local
// file; a shared server's dialect is another implementation of the same interface.
#pragma once
#include "base/erreur_base.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>

class QSqlError;

namespace fantrel::base {

class Dialecte
{
public:
    virtual ~Dialecte() = default;

    virtual QString pilote() const = 0; // Qt's driver name
    virtual QString type_cle_auto() const = 0; // the type of a key the base numbers itself
    // Before the first connection that writes: the target can be written, and an
    // existing one is sound. Throws ErreurBase.
    virtual void verifie_avant_ecriture(const QString &cible) const = 0;
    // Points db at the target (a file, a server) with the connection's options.
    virtual void designe_cible(QSqlDatabase &db, const QString &cible,
                               bool lecture_seule) const = 0;
    // Right after a writing connection opens: journal, durability, foreign keys.
    virtual void regle_connexion(QSqlDatabase &db, const QString &cible) const = 0;
    // Opens a transaction that will write, holding the write lock from its start where
    // the database has one (the schema's set-up reads, then writes).
    virtual void debute_ecriture(QSqlDatabase &db, const QString &cible) const;
    // The schema's version, 0 for a new base; setting it belongs in the migration's
    // transaction.
    virtual int version_schema(QSqlDatabase &db, const QString &cible) const = 0;
    virtual void pose_version_schema(QSqlDatabase &db, int version, const QString &cible) const = 0;
    // Throws a "corrompue" error when the base is damaged.
    virtual void verifie_integrite(QSqlDatabase &db, const QString &cible) const = 0;
    // The error the driver reported, sorted by kind.
    virtual ErreurBase erreur_sql(const QSqlError &erreur, const QString &cible) const = 0;
};

// --- the same on every dialect ---

// Runs one statement, throwing the dialect's error on failure; the query is positioned
// before its first row.
QSqlQuery execute_sql(QSqlDatabase &db, const Dialecte &dialecte, const QString &sql,
                      const QString &cible);

// Runs corps in a transaction: committed when it returns true, rolled back when it
// returns false or throws (the exception goes on); a failed commit throws.
// ecriture: opened by the dialect's debute_ecriture.
void en_transaction(QSqlDatabase &db, const Dialecte &dialecte, const QString &cible,
                    const std::function<bool()> &corps, bool ecriture = false);

// Qt keeps connections by name: one new name per connection, and the connection
// closed and forgotten once done.
QString nouvelle_connexion();
void retire_connexion(const QString &nom);

} // namespace fantrel::base
