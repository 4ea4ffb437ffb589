// The trial database's tables, version by version, and the forward migration that
// brings any older file (a new one is version 0) to the program's version.
#pragma once
#include "base/dialecte.h"
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

namespace fantrel::base {

// From version n − 1 to n: statements run in one transaction with the new version.
struct EtapeSchema
{
    QStringList instructions;
};

// The program's steps from an empty base, in the dialect's words where they differ;
// the schema's version is their count.
// NOTE: a step, once released, never changes: a later change is a new step.
QVector<EtapeSchema> etapes_schema(const Dialecte &dialecte);
int version_schema_programme();

// Runs the steps past the base's version, each in its own transaction: a failed step
// leaves the base at the previous version. A base of a newer version throws a
// "version" error and is left untouched.
void migre_schema(QSqlDatabase &db, const Dialecte &dialecte, const QVector<EtapeSchema> &etapes,
                  const QString &cible);

// The trial columns as exported, in order. The table also holds "ordre", the trial's
// place among the session's events, and "uuid".
const QStringList &colonnes_essais();
const QStringList &colonnes_evenements();
const QStringList &colonnes_seances();
const QStringList &colonnes_participants();
const QStringList &colonnes_verifications(); // without id
// What the CSV adds after colonnes_essais(), from the session and the participant.
const QStringList &colonnes_jointes_csv();
// The CSV's header: colonnes_essais() then colonnes_jointes_csv().
QStringList colonnes_csv();

// "?, ?, ?" for n values, and the insertion of one row of those columns into table.
QString marques(qsizetype n);
QString insertion(const QString &table, const QStringList &colonnes);

} // namespace fantrel::base
