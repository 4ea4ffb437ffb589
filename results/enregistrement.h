// The results record as a whole (its lines): what a results file yields when read
// back, the header of a row for renaming, and a row's listed answers.
#pragma once
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

namespace fantrel::results {

using Comptes = std::array<std::int32_t, 5>; // indices 1..4, by answer category

// Trial rows 1..30; row 0 is "Somme". NOTE: 20 once; the diagram now fits 30.
inline constexpr int nb_max_util = 30;

struct RangeeLue
{
    QString nom; // the whole header line
    Comptes comptes{}; // answers of its section
    Comptes saisies{}; // of comptes, answers no button gives (typed ones)
};

// What reading a record gives, worked out before anything is touched.
struct PlanLecture
{
    QVector<RangeeLue> rangees; // trial rows 1.., at most nb_max_util
    int nb_entetes = 0; // header lines: rows the reading runs "Nouvel utilisateur" for
    Comptes somme{}; // every answer of the file, for the sum row
    Comptes saisies{}; // of somme, the typed answers
};

// Each header opens a row; answers count in their section's row and in the sum.
// Answers before the first header, and those of sections past the last row, count
// in the sum only. An answer that is neither proposal was typed, and is counted so.
PlanLecture plan_lecture(const QStringList &lignes);

// Index of the n-th header line (n >= 1) counted from line `depuis`, or -1 when the
// record holds fewer.
qsizetype index_entete(const QStringList &lignes, int n, qsizetype depuis = 0);

// The answer lines of the section whose header is line `entete`, as listed
// (ligne_listee): from the line after it up to the first line that is not
// "Mot affiché=" or the end. Empty for an index outside the record.
QStringList reponses_de_section(const QStringList &lignes, qsizetype entete);
// The same for the first section whose header equals nom.
QStringList lignes_listees(const QStringList &lignes, const QString &nom);

} // namespace fantrel::results
