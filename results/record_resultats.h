// The results record: its lines (a header per user, then that user's answer lines),
// the rows' sections counted from the header of row 1, whether it changed since it
// was last saved or read, and its ".res" files. It follows the table of result rows:
// a new user's header (past row 20 too), a renamed user's header; a file read back
// rebuilds the table. Widget-free: the lines are held in a QTextDocument, Qt's text
// model, which the group "Fichier résultats" shows and lets the experimenter edit in
// place: hand edits, their undo and the rows' anchor behave as in any text box.
#pragma once
#include <QObject>
#include <QStringList>
#include <QTextCursor>

class QTextDocument;

namespace fantrel::results {

class TableauResultats;

class RecordResultats : public QObject
{
    Q_OBJECT
public:
    explicit RecordResultats(TableauResultats &tableau, QObject *parent = nullptr);

    // The text itself, for the box that shows and edits it.
    QTextDocument *document() const { return m_document; }

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
    bool modifie() const;
    void marque_enregistre();
    void marque_modifie(); // a record rebuilt after a crash is not saved anywhere

    // Writes the record to a file, atomically; false (error shown) when it cannot.
    bool enregistre(const QString &chemin);
    // Reads a results file back into the record and the table of result rows: all
    // or nothing. False (error shown, nothing changed) when it cannot be read.
    bool lit(const QString &chemin);
    // A results file's lines as the record, the table of result rows rebuilt from them.
    void charge_lignes(const QStringList &lignes);

signals:
    void fin_atteinte(); // a line added at the end, or the whole text replaced
    void fichier_lu(const QString &chemin, const QStringList &lignes);
    void fichier_enregistre(const QString &chemin);

private:
    qsizetype index_entete_rangee(int n) const;

    TableauResultats &m_tableau;
    // A child: deleted after the record's destroyed(), when the box has let it go.
    QTextDocument *m_document = nullptr;
    // At the header of row 1; follows the text typed or added before it.
    QTextCursor m_debut_rangees;
};

} // namespace fantrel::results
