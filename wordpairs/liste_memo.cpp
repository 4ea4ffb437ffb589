#include "wordpairs/liste_memo.h"
#include <QScrollBar>
#include <algorithm>
#include <QTextBlock>
#include <QTextDocument>

namespace fantrel::wordpairs {

ListeMemo::ListeMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QStringList ListeMemo::lignes() const
{
    QStringList resultat;
    const QTextDocument *doc = document();
    resultat.reserve(doc->blockCount());
    for (QTextBlock bloc = doc->begin(); bloc.isValid(); bloc = bloc.next())
        resultat.append(bloc.text());
    if (resultat.last().isEmpty())
        resultat.removeLast();
    return resultat;
}

int ListeMemo::nb_lignes() const
{
    const QTextDocument *doc = document();
    return doc->blockCount() - (doc->lastBlock().length() <= 1 ? 1 : 0);
}

QString ListeMemo::texte_brut() const
{
    QString texte = document()->toRawText();
    texte.replace(QChar::ParagraphSeparator, u'\n');
    return texte;
}

void ListeMemo::remplace_tout(const QStringList &lignes)
{
    setPlainText(lignes.join(u'\n'));
}

void ListeMemo::ajoute_lignes(const QStringList &lignes)
{
    if (lignes.isEmpty())
        return;
    QScrollBar *barre = verticalScrollBar();
    const bool au_bout = barre->value() == barre->maximum();
    QTextCursor curseur(document());
    curseur.movePosition(QTextCursor::End);
    curseur.beginEditBlock();
    if (curseur.block().length() > 1)
        curseur.insertBlock();
    curseur.insertText(lignes.join(u'\n'));
    curseur.endEditBlock();
    if (au_bout)
        barre->setValue(barre->maximum());
}

void ListeMemo::remplace_ligne(int numero, const QString &ligne)
{
    const QTextBlock bloc = document()->findBlockByNumber(numero);
    if (!bloc.isValid())
        return;
    QTextCursor curseur(bloc);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(ligne);
}

void ListeMemo::supprime_ligne(int numero)
{
    const QTextBlock bloc = document()->findBlockByNumber(numero);
    if (!bloc.isValid())
        return;
    QTextCursor curseur(bloc);
    if (bloc.next().isValid()) {
        curseur.setPosition(bloc.next().position(), QTextCursor::KeepAnchor);
    } else if (bloc.previous().isValid()) {
        curseur.setPosition(bloc.previous().position() + bloc.previous().length() - 1);
        curseur.setPosition(bloc.position() + bloc.length() - 1, QTextCursor::KeepAnchor);
    } else {
        curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    curseur.removeSelectedText();
}

void ListeMemo::selectionne(int debut, int fin)
{
    QTextCursor curseur = textCursor();
    curseur.setPosition(debut);
    curseur.setPosition(fin, QTextCursor::KeepAnchor);
    setTextCursor(curseur);
}

Plage ListeMemo::ligne_du_curseur() const
{
    const QTextBlock bloc = textCursor().block();
    return { bloc.position(), bloc.position() + bloc.length() - 1 };
}

QString ListeMemo::texte_entre(int debut, int fin) const
{
    const int bout = document()->characterCount() - 1;
    QTextCursor curseur(document());
    curseur.setPosition(std::clamp(debut, 0, bout));
    curseur.setPosition(std::clamp(fin, 0, bout), QTextCursor::KeepAnchor);
    QString texte = curseur.selectedText();
    texte.replace(QChar::ParagraphSeparator, u'\n');
    return texte;
}

QStringList ListeMemo::lignes_selection() const
{
    const QTextCursor curseur = textCursor();
    const QTextDocument *doc = document();
    const QTextBlock premier = doc->findBlock(curseur.selectionStart());
    QTextBlock dernier = doc->findBlock(curseur.selectionEnd());
    if (dernier == doc->lastBlock() && dernier.length() <= 1 && dernier != premier)
        dernier = dernier.previous();
    QStringList lignes;
    if (premier == doc->lastBlock() && premier.length() <= 1)
        return lignes;
    for (QTextBlock bloc = premier; bloc.isValid(); bloc = bloc.next()) {
        lignes.append(bloc.text());
        if (bloc == dernier)
            break;
    }
    return lignes;
}

int ListeMemo::cherche_ligne(const QString &ligne, bool derniere) const
{
    const QTextDocument *doc = document();
    if (derniere) {
        for (QTextBlock bloc = doc->lastBlock(); bloc.isValid(); bloc = bloc.previous())
            if (bloc.length() - 1 == ligne.size() && bloc.text() == ligne)
                return bloc.blockNumber();
    } else {
        for (QTextBlock bloc = doc->begin(); bloc.isValid(); bloc = bloc.next())
            if (bloc.length() - 1 == ligne.size() && bloc.text() == ligne)
                return bloc.blockNumber();
    }
    return -1;
}

void ListeMemo::remplace_lignes_egales(const QString &ancienne, const QString &nouvelle)
{
    for (QTextBlock bloc = document()->begin(); bloc.isValid(); bloc = bloc.next()) {
        if (bloc.length() - 1 != ancienne.size() || bloc.text() != ancienne)
            continue;
        QTextCursor curseur(bloc);
        curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        curseur.insertText(nouvelle);
    }
}

void ListeMemo::mousePressEvent(QMouseEvent *evenement)
{
    QPlainTextEdit::mousePressEvent(evenement);
    emit appui();
}

void ListeMemo::mouseDoubleClickEvent(QMouseEvent *evenement)
{
    QPlainTextEdit::mouseDoubleClickEvent(evenement);
    emit double_clic();
}

} // namespace fantrel::wordpairs
