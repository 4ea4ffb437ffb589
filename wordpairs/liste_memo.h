// A list of text lines shown in a plain text box, one entry a line, never wrapped,
// with the line operations the tool needs and signals after a press and a
// double-click (once the box itself has placed the caret).
#pragma once
#include <QPlainTextEdit>
#include <QStringList>

namespace fantrel::wordpairs {

// A line of a list by the offsets of its first character and of its line break
// (or the end of the text), the box's line breaks counting one character.
struct Plage
{
    int debut = 0;
    int fin = 0;
};

class ListeMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ListeMemo(QWidget *parent = nullptr);

    // The lines, as a file holds them: a final line break adds no line, an empty
    // box has none.
    QStringList lignes() const;
    int nb_lignes() const;
    // The whole text, lines separated by '\n', characters as they stand (no
    // conversion of non-breaking spaces); offsets of the caret index it.
    QString texte_brut() const;

    void remplace_tout(const QStringList &lignes);
    // Adds lines after the last one (into an empty last line when there is one);
    // the view follows when it was showing the end.
    void ajoute_lignes(const QStringList &lignes);
    void ajoute_ligne(const QString &ligne) { ajoute_lignes({ ligne }); }
    void remplace_ligne(int numero, const QString &ligne);
    void supprime_ligne(int numero);
    void selectionne(int debut, int fin);

    // The line holding the caret; a caret just before a line break belongs to
    // the line it ends, one after a final line break to an empty line.
    Plage ligne_du_curseur() const;
    // The text between two offsets (clamped to the text), line breaks as '\n'.
    QString texte_entre(int debut, int fin) const;
    // The lines touched by the selection (or the caret), whole; the empty place
    // after a final line break adds none.
    QStringList lignes_selection() const;
    // Number of the first (or last) line equal to `ligne`, -1 when none.
    int cherche_ligne(const QString &ligne, bool derniere) const;
    // Replaces every line equal to `ancienne`.
    void remplace_lignes_egales(const QString &ancienne, const QString &nouvelle);

signals:
    void appui();
    void double_clic();

protected:
    void mousePressEvent(QMouseEvent *evenement) override;
    void mouseDoubleClickEvent(QMouseEvent *evenement) override;
};

} // namespace fantrel::wordpairs
