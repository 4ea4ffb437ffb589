// The floating group "Fichier résultats" of the main window: the results record
// Memo_enreg_test with its open, save and close buttons, and the saving and reading
// of results files.
#pragma once
#include "platform/interactions.h"
#include <QGroupBox>
#include <QStringList>

class QPlainTextEdit;
class QToolButton;

namespace fantrel::results {

class TForm_courbe2;

class GroupeResultats : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupeResultats(QWidget *parent = nullptr);

    // courbe2 receives the rows of a file read back; OpenDialog1 is the main window's
    // open dialog, shared with the exercise lists (its file name and filter index stay
    // as the user leaves them).
    void relier(TForm_courbe2 *courbe2, platform::OptionsDialogue *OpenDialog1);

    QStringList lignes() const; // the record as it stands
    void ajoute_ligne(const QString &ligne); // an answer line, as the answer buttons write it
    // Lines added or typed since the record was last saved or read (a lone header
    // written for a new row does not count).
    bool record_modifie() const;
    void marque_enregistre();

    // Writes the record to a file, atomically; false (error shown) when it cannot.
    bool enregistre(const QString &chemin);
    // Reads a results file back into the record and the 3D results window: all or
    // nothing. False (error shown, nothing changed) when it cannot be read.
    bool lit(const QString &chemin);

    QPlainTextEdit *Memo_enreg_test = nullptr;
    QToolButton *SpeedButton5 = nullptr; // open
    QToolButton *Speed_sauve_result = nullptr; // save
    QToolButton *SpeedButton4 = nullptr; // "X"
    platform::OptionsDialogue SaveDialog1; // keeps the last name between uses

public slots:
    // Save dialog, then the record to the chosen file. True when a file was written.
    bool Speed_sauve_resultClick();
    // Open dialog with its current name and filter, then the file read back.
    bool SpeedButton5Click();
    // Menu "Ouvrir un résultat": no name, third filter entry, then as SpeedButton5Click.
    bool ouvrirunrsultat1Click();
    void SpeedButton4Click();

private:
    TForm_courbe2 *m_courbe2 = nullptr;
    platform::OptionsDialogue *m_OpenDialog1 = nullptr;
};

} // namespace fantrel::results
