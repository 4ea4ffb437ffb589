// A list of text lines shown in a plain text box, one entry a line, never wrapped:
// the word-pair tool's lists. The program changes it through the line operations
// below (as its data tells it); any other change, the user's typing, is reported by
// saisie() so that the data can follow. A press selects the line under the caret
// and keeps its offsets for the double-click that follows.
#pragma once
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringList>

class QTimer;

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

    // The program's changes (not reported by saisie()).
    void remplace_tout(const QStringList &lignes);
    // Adds lines after the last one (into an empty last line when there is one);
    // the view follows when it was showing the end.
    // NOTE: while lines stream in, the box is painted at most ~30 times a second.
    void ajoute_lignes(const QStringList &lignes);
    void remplace_ligne(int numero, const QString &ligne);
    void supprime_ligne(int numero);

    void selectionne(int debut, int fin);
    // The press: selects the line holding the caret and keeps its offsets (nothing
    // on an empty box). A caret just before a line break belongs to the line it
    // ends, one after a final line break to an empty line.
    void retient_ligne_du_curseur();
    Plage ligne_retenue() const { return m_ligne_retenue; }
    // The text between the kept offsets (clamped to the text), line breaks as '\n'.
    QString texte_retenu() const;
    // The caret at the start of the kept line, nothing selected (clamped to the text).
    void curseur_au_debut_retenu();
    // The lines touched by the selection (or the caret), whole; the empty place
    // after a final line break adds none.
    QStringList lignes_selection() const;

signals:
    void appui();
    void double_clic();
    // Lines premiere .. premiere + nb_remplacees - 1 of the text (counted as the
    // box counts them, an empty last line included) are now `lignes`.
    void saisie(int premiere, int nb_remplacees, const QStringList &lignes);

protected:
    void mousePressEvent(QMouseEvent *evenement) override;
    void mouseDoubleClickEvent(QMouseEvent *evenement) override;
    void paintEvent(QPaintEvent *evenement) override;

private:
    void contenu_change(int position, int retires, int ajoutes);
    void retarde_peinture();

    Plage m_ligne_retenue;
    bool m_ecriture = false; // the program is changing the text
    int m_nb_blocs = 1;
    QElapsedTimer m_peinte; // since the last painting
    QTimer *m_reprise_peinture = nullptr;
};

} // namespace fantrel::wordpairs
