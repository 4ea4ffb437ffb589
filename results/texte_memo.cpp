#include "results/texte_memo.h"
#include "platform/fichier_texte.h"
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace fantrel::results {

QStringList lignes_memo(const QPlainTextEdit *memo)
{
    QString texte = memo->document()->toRawText();
    texte.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return platform::decoupe_lignes(texte);
}

void ajoute_ligne(QPlainTextEdit *memo, const QString &ligne)
{
    QTextCursor curseur(memo->document());
    curseur.movePosition(QTextCursor::End);
    // Text typed after the last break is a line of its own: close it first.
    if (!curseur.block().text().isEmpty())
        curseur.insertBlock();
    curseur.insertText(ligne);
    curseur.insertBlock();
    memo->moveCursor(QTextCursor::End);
    memo->ensureCursorVisible();
}

void ajoute_entete(QPlainTextEdit *memo, const QString &ligne)
{
    const bool modifie = memo->document()->isModified();
    ajoute_ligne(memo, ligne);
    if (!modifie)
        memo->document()->setModified(false);
}

void remplace_ligne(QPlainTextEdit *memo, qsizetype i, const QString &ligne)
{
    const QTextBlock bloc = memo->document()->findBlockByNumber(static_cast<int>(i));
    if (i < 0 || !bloc.isValid())
        return;
    QTextCursor curseur(bloc);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(ligne);
}

void remplace_lignes(QPlainTextEdit *memo, const QStringList &lignes)
{
    QString texte;
    for (const QString &ligne : lignes)
        texte += ligne + QLatin1Char('\n');
    memo->setPlainText(texte);
    memo->document()->setModified(false);
    memo->moveCursor(QTextCursor::End);
    memo->ensureCursorVisible();
}

} // namespace fantrel::results
