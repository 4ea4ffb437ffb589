// The statistics table as CSV for R or pandas, in the form of the trials' export:
// UTF-8, commas, CR LF, the column names as header, numbers with a decimal point and
// to full precision (percentages 0..100), a statistic that does not exist empty. One
// row per line of the table; the group's rows also hold the t-test.
#pragma once
#include "results/modele_statistiques.h"

namespace fantrel::results {

QStringList colonnes_statistiques(); // "ligne", "participant", "test", "n", …
QStringList lignes_csv_statistiques(const QVector<LigneCalculee> &lignes, double echelle_a_priori);

// Replaces the file atomically; throws ErreurExecution ("Impossible de créer le fichier
// %s" and the reason) when it cannot be written.
void exporte_statistiques(const QString &chemin, const QVector<LigneCalculee> &lignes,
                          double echelle_a_priori);

} // namespace fantrel::results
