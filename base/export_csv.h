// The trials as a CSV file for R, pandas or a spreadsheet: RFC 4180, UTF-8 without
// byte order mark, comma separated, CR LF between rows, the column names as header,
// one row per trial, numbers with a decimal point whatever the locale, NULL as an
// empty field. read.csv(f, encoding = "UTF-8") and pandas.read_csv(f) load it as is.
// NOTE: with their default options both readers take a field "NA" (pandas also
// "nan", "null", "NULL"…) for a missing value, quoted or not: a word spelt so is
// read back as missing.
#pragma once
#include "base/dialecte_sqlite.h"
#include "platform/champ_csv.h"
#include <QString>
#include <QVariant>
#include <optional>

namespace fantrel::base {

using platform::champ_csv;
using platform::FormeCsv;
// A value of the base as its field: NULL empty, reals in their shortest exact form.
// Numbers are never defused: a negative number stays a number in a spreadsheet.
QString champ_valeur(const QVariant &valeur, FormeCsv forme = FormeCsv::r_pandas);

// Writes the trials of one session (with those of the sessions it recovered), or of
// all, of the base at chemin_base into chemin_csv (colonnes_csv()), replacing it atomically: a failure leaves the previous file whole.
// Throws ErreurExecution: "Impossible de créer le fichier %s" (and the reason) when
// the file cannot be written, "Impossible d'ouvrir le fichier %s" (and the reason)
// when the base cannot be read. NOTE: trials the recorder still holds in memory (base
// unavailable) are not in the file.
// forme tableur_france renders the same rows and columns for a French spreadsheet.
// dialecte_postgres() with the lab server's URI as chemin_base: every station's trials.
void exporte_csv(const QString &chemin_base, const QString &chemin_csv,
                 std::optional<qint64> seance = std::nullopt,
                 FormeCsv forme = FormeCsv::r_pandas,
                 const Dialecte &dialecte = dialecte_sqlite());

} // namespace fantrel::base
