#include "wordpairs/liste_memo.h"
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace fantrel::wordpairs {

namespace {

constexpr int intervalle_peinture_ms = 33;

// Marks the program's own changes of the text while it lives.
class Ecriture
{
public:
    explicit Ecriture(bool &drapeau) : m_drapeau(drapeau) { m_drapeau = true; }
    ~Ecriture() { m_drapeau = false; }
    Ecriture(const Ecriture &) = delete;
    Ecriture &operator=(const Ecriture &) = delete;

private:
    bool &m_drapeau;
};

} // namespace

ListeMemo::ListeMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChange, this, &ListeMemo::contenu_change);
    m_reprise_peinture = new QTimer(this);
    m_reprise_peinture->setSingleShot(true);
    connect(m_reprise_peinture, &QTimer::timeout, this, [this] { setUpdatesEnabled(true); });
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

void ListeMemo::remplace_tout(const QStringList &lignes)
{
    const Ecriture ecriture(m_ecriture);
    setPlainText(lignes.join(u'\n'));
}

void ListeMemo::ajoute_lignes(const QStringList &lignes)
{
    if (lignes.isEmpty())
        return;
    const Ecriture ecriture(m_ecriture);
    retarde_peinture();
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
    const Ecriture ecriture(m_ecriture);
    QTextCursor curseur(bloc);
    curseur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    curseur.insertText(ligne);
}

void ListeMemo::supprime_ligne(int numero)
{
    const QTextBlock bloc = document()->findBlockByNumber(numero);
    if (!bloc.isValid())
        return;
    const Ecriture ecriture(m_ecriture);
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

void ListeMemo::retient_ligne_du_curseur()
{
    if (document()->isEmpty())
        return;
    const QTextBlock bloc = textCursor().block();
    m_ligne_retenue = { bloc.position(), bloc.position() + bloc.length() - 1 };
    selectionne(m_ligne_retenue.debut, m_ligne_retenue.fin);
}

QString ListeMemo::texte_retenu() const
{
    const int bout = document()->characterCount() - 1;
    QTextCursor curseur(document());
    curseur.setPosition(std::clamp(m_ligne_retenue.debut, 0, bout));
    curseur.setPosition(std::clamp(m_ligne_retenue.fin, 0, bout), QTextCursor::KeepAnchor);
    QString texte = curseur.selectedText();
    texte.replace(QChar::ParagraphSeparator, u'\n');
    return texte;
}

void ListeMemo::curseur_au_debut_retenu()
{
    const int place = std::min(m_ligne_retenue.debut, document()->characterCount() - 1);
    selectionne(place, place);
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

void ListeMemo::paintEvent(QPaintEvent *evenement)
{
    m_peinte.start();
    QPlainTextEdit::paintEvent(evenement);
}

// The lines the change touched, read back from the text: every line before
// `position` and after `position + ajoutes` stands as it stood.
void ListeMemo::contenu_change(int position, int retires, int ajoutes)
{
    Q_UNUSED(retires);
    const QTextDocument *doc = document();
    const int ecart = doc->blockCount() - m_nb_blocs;
    m_nb_blocs = doc->blockCount();
    if (m_ecriture)
        return;
    const int bout = doc->characterCount() - 1;
    const QTextBlock premier = doc->findBlock(std::clamp(position, 0, bout));
    const QTextBlock dernier = doc->findBlock(std::clamp(position + ajoutes, 0, bout));
    QStringList lignes;
    for (QTextBlock bloc = premier; bloc.isValid(); bloc = bloc.next()) {
        lignes.append(bloc.text());
        if (bloc == dernier)
            break;
    }
    emit saisie(premier.blockNumber(), int(lignes.size()) - ecart, lignes);
}

// Adding a few lines costs less than painting the box: once it was painted less
// than 33 ms ago, it waits for the rest of that time.
void ListeMemo::retarde_peinture()
{
    if (!updatesEnabled() || !m_peinte.isValid() || m_peinte.elapsed() >= intervalle_peinture_ms)
        return;
    setUpdatesEnabled(false);
    m_reprise_peinture->start(intervalle_peinture_ms - int(m_peinte.elapsed()));
}

} // namespace fantrel::wordpairs
