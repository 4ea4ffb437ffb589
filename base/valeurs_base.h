// The structs of the trial database as column values and back. Empty texts and
// absent optionals become NULL; measured times are kept to 0.01 ms.
#pragma once
#include "base/donnees_essais.h"
#include <QSqlQuery>
#include <QVariantList>

namespace fantrel::base {

// Columns written by an insert, in the order of the values below.
QStringList colonnes_insertion_essai(); // colonnes_essais() without id, then ordre, uuid
QStringList colonnes_insertion_evenement(); // colonnes_evenements() without id
QStringList colonnes_insertion_seance(); // colonnes_seances() without id

QVariantList valeurs_essai(const Essai &essai);
QVariantList valeurs_evenement(const Evenement &evenement);
QVariantList valeurs_seance(const Seance &seance);
QVariantList valeurs_participant(const Participant &participant); // colonnes_participants()

// From a query selecting colonnes_essais() then ordre, uuid (the others their own
// columns), at its current row.
Essai essai_lu(const QSqlQuery &q);
Evenement evenement_lu(const QSqlQuery &q);
Seance seance_lue(const QSqlQuery &q);
Participant participant_lu(const QSqlQuery &q);

// Lines as one text, each followed by a line feed: no line and one empty line differ.
QString texte_lignes(const QStringList &lignes);
QStringList lignes_texte(const QString &texte);

// "67.12/33.4/33.35/66.98": the four phases, decimal point, 0.01 ms.
QString texte_phases(const std::array<double, 4> &phases);
std::optional<std::array<double, 4>> phases_texte(const QString &texte);

double au_centieme(double ms);

} // namespace fantrel::base
