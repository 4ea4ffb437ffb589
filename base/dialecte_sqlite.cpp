#include "base/dialecte_sqlite.h"
#include "base/schema_base.h"
#include <QFileInfo>
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
    QSqlQuery q = execute_sql(db, dialecte_sqlite(), QStringLiteral("PRAGMA ") + pragma, chemin);
    return q.next() ? q.value(0) : QVariant();
}

bool sans_ecriture(const QFileInfo &info)
{
    constexpr auto ecriture = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & ecriture);
}

// Looks at an existing file without writing anything: its version, its pages.
void sonde(const Dialecte &dialecte, const QString &chemin)
{
    const QString nom = nouvelle_connexion();
    try {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialecte.pilote(), nom);
        dialecte.designe_cible(db, chemin, true);
        if (!db.open())
            throw dialecte.erreur_sql(db.lastError(), chemin);
        if (dialecte.version_schema(db, chemin) > version_schema_programme())
            throw erreur_base(NatureErreurBase::version, chemin);
        dialecte.verifie_integrite(db, chemin);
    } catch (...) {
        retire_connexion(nom);
        throw;
    }
    retire_connexion(nom);
}

} // namespace

QString DialecteSqlite::pilote() const
{
    return QStringLiteral("QSQLITE");
}

QString DialecteSqlite::type_cle_auto() const
{
    return QStringLiteral("INTEGER PRIMARY KEY"); // an alias of the row id
}

void DialecteSqlite::verifie_avant_ecriture(const QString &chemin) const
{
    const QFileInfo fichier(chemin);
    const QFileInfo dossier(fichier.absolutePath());
    if ((fichier.exists() && sans_ecriture(fichier))
        || (dossier.exists() && sans_ecriture(dossier)))
        throw erreur_base(NatureErreurBase::lecture_seule, chemin);
    if (fichier.size() > 0)
        sonde(*this, chemin);
}

void DialecteSqlite::designe_cible(QSqlDatabase &db, const QString &chemin,
                                   bool lecture_seule) const
{
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=200");
    if (lecture_seule)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setDatabaseName(chemin);
    db.setConnectOptions(options);
}

void DialecteSqlite::debute_ecriture(QSqlDatabase &db, const QString &chemin) const
{
    // IMMEDIATE: the write lock before the first read, so that two programs setting up
    // one base wait for each other instead of failing when the reader turns writer.
    execute_sql(db, *this, QStringLiteral("BEGIN IMMEDIATE"), chemin);
}

void DialecteSqlite::regle_connexion(QSqlDatabase &db, const QString &chemin) const
{
    const QString journal =
            valeur_pragma(db, QStringLiteral("journal_mode = WAL"), chemin).toString();
    if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw erreur_base(NatureErreurBase::autre, chemin,
                          QStringLiteral("Journal « %1 » au lieu de « wal ».").arg(journal));
    execute_sql(db, *this, QStringLiteral("PRAGMA synchronous = FULL"), chemin);
    execute_sql(db, *this, QStringLiteral("PRAGMA foreign_keys = ON"), chemin);
}

int DialecteSqlite::version_schema(QSqlDatabase &db, const QString &chemin) const
{
    return valeur_pragma(db, QStringLiteral("user_version"), chemin).toInt();
}

void DialecteSqlite::pose_version_schema(QSqlDatabase &db, int version, const QString &chemin) const
{
    execute_sql(db, *this, QStringLiteral("PRAGMA user_version = %1").arg(version), chemin);
}

void DialecteSqlite::verifie_integrite(QSqlDatabase &db, const QString &chemin) const
{
    const QString bilan = valeur_pragma(db, QStringLiteral("quick_check"), chemin).toString();
    if (bilan != QLatin1String("ok"))
        throw erreur_base(NatureErreurBase::corrompue, chemin);
}

ErreurBase DialecteSqlite::erreur_sql(const QSqlError &erreur, const QString &chemin) const
{
    bool nombre = false;
    // NOTE: the driver reports extended codes (517 = busy snapshot, 778 = write I/O,
    // 1032 = read-only database moved): the kind is the primary code, the low byte.
    const int code = erreur.nativeErrorCode().toInt(&nombre) & 0xff;
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

const Dialecte &dialecte_sqlite()
{
    static const DialecteSqlite dialecte;
    return dialecte;
}

} // namespace fantrel::base
