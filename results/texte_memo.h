// A QPlainTextEdit used as a store of lines, as the results record is: every line
// the program adds ends with a line break, so the text is the lines each followed
// by "\n" and a last line break adds no line (as in the files).
#pragma once
#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace fantrel::results {

// The lines as they stand (the user may have typed into the box). Characters are
// kept as typed: no-break spaces stay (QPlainTextEdit::toPlainText would turn them
// into blanks).
QStringList lignes_memo(const QPlainTextEdit *memo);

// Appends a line after the last one and marks the box modified.
void ajoute_ligne(QPlainTextEdit *memo, const QString &ligne);
// Appends a header line; a box without unsaved changes stays so, since a row's
// header alone holds no answer worth asking about on quitting.
void ajoute_entete(QPlainTextEdit *memo, const QString &ligne);
// Replaces line i (0-based) when it exists and marks the box modified.
void remplace_ligne(QPlainTextEdit *memo, qsizetype i, const QString &ligne);
// Replaces all lines (each followed by a break), scrolled to the end, unmodified.
void remplace_lignes(QPlainTextEdit *memo, const QStringList &lignes);

} // namespace fantrel::results
