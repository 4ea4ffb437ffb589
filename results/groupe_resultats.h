// The floating group "Fichier résultats" of the main window: the results record shown
// and edited in place in Memo_enreg_test, with its open, save and close buttons and
// their dialogs. The record itself (its lines, headers, files) is RecordResultats.
#pragma once
#include "platform/interactions.h"
#include <QGroupBox>
#include <QStringList>

class QPlainTextEdit;
class QToolButton;

namespace fantrel::results {

class RecordResultats;

class GroupeResultats : public QGroupBox
{
    Q_OBJECT
public:
    // OpenDialog1: the main window's open dialog, shared with the exercise lists (its
    // file name and filter index stay as the user leaves them).
    GroupeResultats(RecordResultats &record, platform::OptionsDialogue &OpenDialog1,
                    QWidget *parent = nullptr);

    // --- the record shown (RecordResultats says more) ---
    QStringList lignes() const;
    void ajoute_ligne(const QString &ligne);
    QStringList reponses_listees(int n) const;
    bool record_modifie() const;
    bool enregistre(const QString &chemin);
    bool lit(const QString &chemin);

    // Before unsaved lines would be lost (quitting, opening a file): asks "Enregistrer les
    // résultats ?" (Oui, Non, Annuler) and saves on Oui. True when they may go.
    bool peut_abandonner_record();

    QPlainTextEdit *Memo_enreg_test = nullptr; // the record's own text, edited in place
    QToolButton *SpeedButton5 = nullptr; // open
    QToolButton *Speed_sauve_result = nullptr; // save
    QToolButton *SpeedButton4 = nullptr; // "X"
    platform::OptionsDialogue SaveDialog1; // keeps the last name between uses; adds ".res"

public slots:
    // Save dialog, then the record to the chosen file. True when a file was written.
    bool Speed_sauve_resultClick();
    // Unsaved lines offered for saving, then the open dialog with its current name and
    // filter, then the file read back.
    bool SpeedButton5Click();
    // Menu "Ouvrir un résultat": no name, third filter entry, then as SpeedButton5Click.
    bool ouvrirunrsultat1Click();
    void SpeedButton4Click();

private:
    void montre_fin(); // the last lines in view, the cursor after them

    RecordResultats &m_record;
    platform::OptionsDialogue &m_OpenDialog1;
};

} // namespace fantrel::results
