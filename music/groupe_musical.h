// The floating group "Fichier musical": the melody list editor Memo_music and its
// open, save and close buttons. The editor's lines are the melody list; what is
// typed there is used by the next test without saving.
#pragma once
#include <QGroupBox>
#include <QStringList>

class QPlainTextEdit;
class QToolButton;

namespace fantrel::music {

class GroupeMusical : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupeMusical(QWidget *parent = nullptr);

    QPlainTextEdit *Memo_music = nullptr;
    QToolButton *SpeedButton7 = nullptr; // open
    QToolButton *SpeedButton8 = nullptr; // save
    QToolButton *SpeedButton9 = nullptr; // "X": hides the group

    // The melody list as it stands in the editor (typed lines count, unsaved).
    QStringList melodies() const;
    // Replaces the editor's content by the file's lines. Throws erreur_ouverture, or
    // erreur_capacite_memo for a text too long for the editor; it keeps its content then.
    void charge(const QString &chemin);
    // Writes the editor's text as it stands, lines separated by CR LF, a line end
    // after the last line only when the text ends with one. Throws erreur_creation.
    void sauve(const QString &chemin) const;
    // Loads repertoire + "/melodies.mus" when the editor is empty; an edited list stays.
    void charge_defaut(const QString &repertoire);

    // The buttons' handlers (connected inside, through relie(): an error is shown
    // in the error box). Called directly, they throw.
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
};

} // namespace fantrel::music
