#include "base/dialecte_sqlite.h"
#include <QSqlError>

namespace fantrel::base {

namespace {

// SQLite's primary result codes (Qt's driver reports them as the native code).
enum CodeSqlite {
    occupee = 5,
    verrouillee = 6,
    lecture_seule = 8,
    entree_sortie = 10,
    corrompue = 11,
    pleine = 13,
    ouverture_impossible = 14,
    pas_une_base = 26,
};

QVariant valeur_pragma(QSqlDatabase &db, const QString &pragma, const QString &chemin)
{
    QSqlQuery q = execute_sql(db, QStringLiteral("PRAGMA ") + pragma, chemin);
    return q.next() ? q.value(0) : QVariant();
}

} // namespace

QString pilote_base()
{
    return QStringLiteral("QSQLITE");
}

QString options_connexion(bool lecture_seule)
{
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=200");
    if (lecture_seule)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    return options;
}

QString type_cle_auto()
{
    return QStringLiteral("INTEGER PRIMARY KEY"); // an alias of the row id
}

void regle_connexion(QSqlDatabase &db, const QString &chemin)
{
    const QString journal =
            valeur_pragma(db, QStringLiteral("journal_mode = WAL"), chemin).toString();
    if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw erreur_base(NatureErreurBase::autre, chemin,
                          QStringLiteral("Journal « %1 » au lieu de « wal ».").arg(journal));
    execute_sql(db, QStringLiteral("PRAGMA synchronous = FULL"), chemin);
    execute_sql(db, QStringLiteral("PRAGMA foreign_keys = ON"), chemin);
}

int version_schema(QSqlDatabase &db, const QString &chemin)
{
    return valeur_pragma(db, QStringLiteral("user_version"), chemin).toInt();
}

void pose_version_schema(QSqlDatabase &db, int version, const QString &chemin)
{
    execute_sql(db, QStringLiteral("PRAGMA user_version = %1").arg(version), chemin);
}

void verifie_integrite(QSqlDatabase &db, const QString &chemin)
{
    const QString bilan = valeur_pragma(db, QStringLiteral("quick_check"), chemin).toString();
    if (bilan != QLatin1String("ok"))
        throw erreur_base(NatureErreurBase::corrompue, chemin);
}

ErreurBase erreur_sql(const QSqlError &erreur, const QString &chemin)
{
    bool nombre = false;
    const int code = erreur.nativeErrorCode().toInt(&nombre);
    switch (nombre ? code : -1) {
    case occupee:
    case verrouillee:
        return erreur_base(NatureErreurBase::verrou, chemin);
    case lecture_seule:
        return erreur_base(NatureErreurBase::lecture_seule, chemin);
    case pleine:
        return erreur_base(NatureErreurBase::disque_plein, chemin);
    case corrompue:
    case pas_une_base:
        return erreur_base(NatureErreurBase::corrompue, chemin);
    default:
        break;
    }
    QString detail;
    if (code == entree_sortie)
        detail = QStringLiteral("Erreur d'entrée-sortie du disque.");
    else if (code == ouverture_impossible)
        detail = QStringLiteral("Le fichier ne peut être ni ouvert ni créé (dossier absent ?).");
    else // SQLite's own words, in English, are all there is to say
        detail = QStringLiteral("Erreur SQLite %1 : %2")
                         .arg(erreur.nativeErrorCode(),
                              erreur.databaseText().isEmpty() ? erreur.driverText()
                                                              : erreur.databaseText());
    return erreur_base(NatureErreurBase::autre, chemin, detail);
}

QSqlQuery execute_sql(QSqlDatabase &db, const QString &sql, const QString &chemin)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw erreur_sql(q.lastError(), chemin);
    return q;
}

void en_transaction(QSqlDatabase &db, const QString &chemin, const std::function<bool()> &corps)
{
    if (!db.transaction())
        throw erreur_sql(db.lastError(), chemin);
    try {
        if (!corps()) {
            db.rollback();
            return;
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QSqlError erreur = db.lastError();
        db.rollback();
        throw erreur_sql(erreur, chemin);
    }
}

} // namespace fantrel::base
