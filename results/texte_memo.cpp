#include "results/texte_memo.h"
#include "platform/fichier_texte.h"
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace fantrel::results {

QStringList lignes_memo(const QTextDocument &texte)
{
    QString brut = texte.toRawText();
    brut.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return platform::decoupe_lignes(brut);
}

void ajoute_ligne(QTextDocument &texte, const QString &ligne)
{
    QTextCursor curseur(&texte);
    curseur.movePosition(QTextCursor::End);
    // Text typed after the last break is a line of its own: close it first.
    if (!curseur.block().text().isEmpty())
        curseur.insertBlock();
    curseur.insertText(ligne);
    curseur.insertBlock();
}

void ajoute_entete(QTextDocument &texte, const QString &ligne)
{
    const bool modifie = texte.isModified();
    ajoute_ligne(texte, ligne);
    if (!modifie)
        texte.setModified(false);
}

void remplace_ligne(QTextDocument &texte, qsizetype i, const QString &ligne)
{
    const QTextBlock bloc = texte.findBlockByNumber(static_cast<int>(i));
    if (i < 0 || !bloc.isValid())
        return;
    QTextCursor curseur(bloc);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(ligne);
}

void remplace_lignes(QTextDocument &texte, const QStringList &lignes)
{
    QString brut;
    for (const QString &ligne : lignes)
        brut += ligne + QLatin1Char('\n');
    texte.setPlainText(brut);
    texte.setModified(false);
}

} // namespace fantrel::results
