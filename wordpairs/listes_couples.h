// The word-pair tool's two lists as data: the pairs selected by the software
// (shown in Memo1) and the pairs chosen by the user (Memo3), the operations the
// window performs on them, their files and the flags of unsaved work. The text
// boxes only show this data: every change is told by a signal, line by line.
//
//     ListesCouples listes;
//     listes.ajoute_trouves({ "chat  chas" });   // a search found a pair
//     listes.choisit("chat  chas");              // double-click: moved, marked
//     listes.ecrit_utilisateur("mes.liste_fantrel");
//
// A list is held as its text box holds it: one entry per line of the text, at
// least one (an empty text is one empty line), a final empty entry being the
// place after the last line break. As a file, a list leaves that entry out.
// NOTE: the user may also type into his list: the box reports the lines typed
// (ListeMemo::saisie) and saisie_utilisateur() takes them, which counts as a change.
#pragma once
#include <QObject>
#include <QSet>
#include <QStringList>

namespace fantrel::wordpairs {

class ListesCouples : public QObject
{
    Q_OBJECT
public:
    explicit ListesCouples(QObject *parent = nullptr);

    // The lists as a file holds them (a final line break adds no line).
    QStringList logiciel() const;
    QStringList utilisateur() const;
    int nb_logiciel() const;
    int nb_utilisateur() const;

    // Unsaved work, asked about before it is lost.
    // The user's list changed (double-clicks, "Sélection" buttons, typing) since
    // its last save; a load leaves the flag as it is.
    bool liste_modifiee() const { return m_liste_modifiee; }
    // The software's list holds search results not saved as ".select_log".
    bool liste_logiciel_a_sauver() const { return m_logiciel_a_sauver; }
    void definir_liste_modifiee(bool modifiee) { m_liste_modifiee = modifiee; }
    void definir_liste_logiciel_a_sauver(bool a_sauver) { m_logiciel_a_sauver = a_sauver; }

    // Double-click in the software's list: the pair goes to the user's list and the
    // last software line equal to it is marked. Refused (false) when empty or
    // holding "--".
    bool choisit(const QString &couple);
    // Double-click in the user's list: its last line equal to the pair goes, and
    // the last software line that is that pair marked is bare again. Refused
    // (false) when empty.
    bool rend(const QString &couple);
    // The upper "Sélection" button: each line not skipped goes to the user's list
    // and the first software line equal to it is marked.
    void choisit_lignes(const QStringList &lignes);
    // The lower "Sélection" button: each line is taken out of the user's list (its
    // last equal line) and every software line that is it marked is bare again.
    void rend_lignes(const QStringList &lignes);

    // The software's list replaced whole (a new search empties it) / pairs found
    // appended, marked when the user's list holds them.
    void remplace_logiciel(const QStringList &lignes);
    void ajoute_trouves(const QStringList &couples);
    // A search ended or was paused: its results are unsaved.
    void recherche_arretee();

    // The user's list replaced whole, without marks nor flag.
    void remplace_utilisateur(const QStringList &lignes);
    // The user typed: entries premiere .. premiere + nb_remplacees - 1 of his list
    // are now `lignes`. The box already shows them; no signal.
    void saisie_utilisateur(int premiere, int nb_remplacees, const QStringList &lignes);

    // Files (Windows-1252, CR LF; the platform's file errors, before any change).
    // An exercise list read into the user's list; its pairs are marked in the software's.
    void lit_utilisateur(const QString &chemin);
    void ecrit_utilisateur(const QString &chemin); // the lines as they stand
    void lit_logiciel(const QString &chemin); // a ".select_log": no marks added
    void ecrit_logiciel(const QString &chemin); // ".select_log": the lines without marks
    void ecrit_trouves(const QString &chemin); // the software's lines as they stand

signals:
    // For the software's box: its whole text (as entries), lines appended after the
    // last one (into an empty last line), one line changed.
    void logiciel_remplace(const QStringList &entrees);
    void logiciel_ajoute(const QStringList &lignes);
    void ligne_logiciel_changee(int numero, const QString &ligne);
    // For the user's box: the same, and one line deleted.
    void utilisateur_remplace(const QStringList &entrees);
    void utilisateur_ajoute(const QStringList &lignes);
    void ligne_utilisateur_supprimee(int numero);
    // The counts to show: after the moves (user's list) and after a search (software's).
    void compte_utilisateur(int nombre);
    void compte_logiciel(int nombre);
    // A file was read into a list.
    void logiciel_lu(const QString &chemin);
    void utilisateur_lu(const QString &chemin);

private:
    void ajoute_utilisateur(const QString &ligne);
    void marque_ligne(int numero);
    void change_logiciel(int numero, const QString &ligne);
    bool supprime_utilisateur(const QString &ligne);
    void fin_des_deplacements();
    const QSet<QString> &choisis() const;

    QStringList m_logiciel{ QString() };
    QStringList m_utilisateur{ QString() };
    bool m_liste_modifiee = false;
    bool m_logiciel_a_sauver = false;
    mutable QSet<QString> m_choisis; // the user's lines, for the marks of found pairs
    mutable bool m_choisis_a_jour = false;
};

} // namespace fantrel::wordpairs
