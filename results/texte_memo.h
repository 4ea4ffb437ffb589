// The results record's text as a store of lines: every line the program adds ends with
// a line break, so the text is the lines each followed by "\n" and a last line break
// adds no line (as in the files). The text is a QTextDocument, the model a text box
// shows and edits.
#pragma once
#include <QString>
#include <QStringList>

class QTextDocument;

namespace fantrel::results {

// The lines as they stand (the user may have typed into the box). Characters are
// kept as typed: no-break spaces stay (QTextDocument::toPlainText would turn them
// into blanks).
QStringList lignes_memo(const QTextDocument &texte);

// Appends a line after the last one and marks the text modified.
void ajoute_ligne(QTextDocument &texte, const QString &ligne);
// Appends a header line; a text without unsaved changes stays so, since a row's
// header alone holds no answer worth asking about on quitting.
void ajoute_entete(QTextDocument &texte, const QString &ligne);
// Replaces line i (0-based) when it exists and marks the text modified.
void remplace_ligne(QTextDocument &texte, qsizetype i, const QString &ligne);
// Replaces all lines (each followed by a break), unmodified.
void remplace_lignes(QTextDocument &texte, const QStringList &lignes);

} // namespace fantrel::results
