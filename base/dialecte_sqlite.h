// The trial database in SQLite's own language, for the local file fantrel.sqlite: the
// file checked before anything writes it, connection options, pragmas (journal,
// durability, schema version, integrity) and the meaning of SQLite's error codes.
#pragma once
#include "base/dialecte.h"

namespace fantrel::base {

class DialecteSqlite final : public Dialecte
{
public:
    QString pilote() const override; // "QSQLITE"
    QString type_cle_auto() const override; // INTEGER PRIMARY KEY, an alias of the row id
    // The file and its folder writable (SQLite writes its journal beside the file); an
    // existing file looked at through a read-only connection first, so that a damaged
    // one is set aside exactly as it was (a writing connection would checkpoint its
    // journal into it, or delete that journal, on closing). NOTE: a file or folder
    // without any write permission bit counts as read-only even for root.
    void verifie_avant_ecriture(const QString &chemin) const override;
    // NOTE: a writer waits at most 200 ms for another program's lock, so that a base
    // held elsewhere delays the next trial by that much and no more.
    void designe_cible(QSqlDatabase &db, const QString &chemin, bool lecture_seule) const override;
    // Write-ahead journal and a synchronous commit: a trial committed survives the
    // program killed at any moment (and a power cut, the journal being synced).
    void regle_connexion(QSqlDatabase &db, const QString &chemin) const override;
    void debute_ecriture(QSqlDatabase &db, const QString &chemin) const override;
    int version_schema(QSqlDatabase &db, const QString &chemin) const override; // user_version
    void pose_version_schema(QSqlDatabase &db, int version, const QString &chemin) const override;
    void verifie_integrite(QSqlDatabase &db, const QString &chemin) const override; // quick_check
    ErreurBase erreur_sql(const QSqlError &erreur, const QString &chemin) const override;
};

// The one instance: a dialect holds no state.
const Dialecte &dialecte_sqlite();

} // namespace fantrel::base
