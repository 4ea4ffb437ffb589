// The floating group "Fichier résultats" of the main window: the results record
// Memo_enreg_test with its open, save and close buttons, and the saving and reading
// of results files. The record follows the table of result rows: a new user's
// header (past row 20 too), a renamed user's header; a file read back rebuilds the table.
#pragma once
#include "platform/interactions.h"
#include <QGroupBox>
#include <QStringList>
#include <QTextCursor>

class QPlainTextEdit;
class QToolButton;

namespace fantrel::results {

class TableauResultats;

class GroupeResultats : public QGroupBox
{
    Q_OBJECT
public:
    // OpenDialog1: the main window's open dialog, shared with the exercise lists (its
    // file name and filter index stay as the user leaves them).
    GroupeResultats(TableauResultats &tableau, platform::OptionsDialogue &OpenDialog1,
                    QWidget *parent = nullptr);

    QStringList lignes() const; // the record as it stands
    void ajoute_ligne(const QString &ligne); // an answer line, as the answer buttons write it
    // A new user's header line; a record without unsaved answers stays so.
    void ajoute_entete(const QString &nom);
    // The header of row n (n >= 1) takes the new name: the n-th header line of the
    // rows' sections, which begin at the header of row 1 (after a "Tout effacer", the
    // earlier subjects' sections stand before it).
    void renomme_entete(int n, const QString &nom);
    // Row n's answers as listed in the exercise box (its own section's).
    QStringList reponses_listees(int n) const;
    // Lines added or typed since the record was last saved or read (a lone header
    // written for a new row does not count).
    bool record_modifie() const;
    void marque_enregistre();
    void marque_modifie(); // a record rebuilt after a crash is not saved anywhere
    // Before unsaved lines would be lost (quitting, opening a file): asks "Enregistrer les
    // résultats ?" (Oui, Non, Annuler) and saves on Oui. True when they may go.
    bool peut_abandonner_record();

    // Writes the record to a file, atomically; false (error shown) when it cannot.
    bool enregistre(const QString &chemin);
    // Reads a results file back into the record and the table of result rows: all
    // or nothing. False (error shown, nothing changed) when it cannot be read.
    bool lit(const QString &chemin);
    // A results file's lines as the record, the table of result rows rebuilt from them.
    void charge_lignes(const QStringList &lignes);

    QPlainTextEdit *Memo_enreg_test = nullptr;
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

signals:
    void fichier_lu(const QString &chemin, const QStringList &lignes);
    void fichier_enregistre(const QString &chemin);

private:
    qsizetype index_entete_rangee(int n) const;

    TableauResultats &m_tableau;
    platform::OptionsDialogue &m_OpenDialog1;
    // At the header of row 1; follows the text typed or added before it.
    QTextCursor m_debut_rangees;
};

} // namespace fantrel::results
