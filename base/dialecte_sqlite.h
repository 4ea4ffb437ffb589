// The one place where the trial database speaks SQLite's own language: connection
// options, pragmas (journal, durability, schema version, integrity) and the meaning
// of SQLite's error codes. Every other statement of the base is plain SQL, so that a
// shared server database can take over by replacing this file's counterpart.
#pragma once
#include "base/erreur_base.h"
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>

namespace fantrel::base {

QString pilote_base(); // Qt's driver name

// NOTE: a writer waits at most 200 ms for another program's lock, so that a base held
// elsewhere delays the next trial by that much and no more.
QString options_connexion(bool lecture_seule);

// The type of a key the base numbers itself.
QString type_cle_auto();

// Write-ahead journal and a synchronous commit: a trial committed survives the
// program killed at any moment (and a power cut, the journal being synced).
void regle_connexion(QSqlDatabase &db, const QString &chemin);

// The schema's version, 0 for a new file; setting it belongs in the migration's
// transaction.
int version_schema(QSqlDatabase &db, const QString &chemin);
void pose_version_schema(QSqlDatabase &db, int version, const QString &chemin);

// Throws a "corrompue" error when the file's pages are damaged.
void verifie_integrite(QSqlDatabase &db, const QString &chemin);

// The error the base reported, sorted by kind.
ErreurBase erreur_sql(const QSqlError &erreur, const QString &chemin);

// Runs one statement, throwing erreur_sql on failure; the query is positioned before
// its first row.
QSqlQuery execute_sql(QSqlDatabase &db, const QString &sql, const QString &chemin);

// Runs corps in a transaction: committed when it returns true, rolled back when it
// returns false or throws (the exception goes on); a failed commit throws erreur_sql.
void en_transaction(QSqlDatabase &db, const QString &chemin, const std::function<bool()> &corps);

} // namespace fantrel::base
