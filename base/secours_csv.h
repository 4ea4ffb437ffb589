// The rescue file: trials the base could not take when the program quit, written
// beside it as CSV (the export's columns, then each trial's order and UUID) so that
// nothing answered is lost, and imported into the base at a later start.
#pragma once
#include "base/donnees_essais.h"
#include <QHash>

namespace fantrel::base {

class BaseEssais;

// "essais-non-enregistres-AAAAMMJJ-HHMMSS.csv" in dossier, never an existing name.
QString nom_secours(const QString &dossier, const QDateTime &moment);
// The rescue files of dossier, oldest first.
QStringList fichiers_secours(const QString &dossier);

// Writes the trials of seance (codes: participant UUID → code) into a new rescue file
// in dossier and returns its path. Throws ErreurExecution when it cannot be written.
QString ecrit_secours(const QString &dossier, const Seance &seance, const QVector<Essai> &essais,
                      const QHash<QString, QString> &codes);

// Splits a CSV text written by this program (RFC 4180, CR LF) into rows of fields.
QVector<QStringList> lignes_csv(const QString &texte);

// Puts a rescue file's trials into the base, under their session (made when the base
// never held it, on this station and folder); trials already there (same UUID) are
// skipped, so importing twice adds nothing. The session is then marked quit cleanly:
// the file was written at a clean quit. Returns the trials added. Throws ErreurBase,
// or ErreurExecution when the file cannot be read or is not a rescue file.
int importe_secours(BaseEssais &base, const QString &fichier, const QString &poste,
                    const QString &repertoire);

} // namespace fantrel::base
