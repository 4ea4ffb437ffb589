// The table of result rows: row 0 is the sum row "Somme", rows 1 to nb_max_util (30) the users
// (Essai1, Essai2… or a typed name), each with its four counts by answer category,
// kept apart for the word tests and the musical test. Widget-free: the 3D results
// window draws it and the results record follows it, both told by its signals.
#pragma once
#include "results/enregistrement.h"
#include "results/modele_statistiques.h"
#include "trials/compte_rendu_essai.h"
#include <QObject>
#include <QString>
#include <array>

namespace fantrel::results {

enum class GenreTest { mots, musique };

// Why a user row was made: "Nouvel utilisateur" (or start-up), "Tout effacer", or a
// results file read back (whose headers are already in the record).
enum class OrigineUtilisateur { commande, effacement, fichier };

struct RangeeTableau
{
    bool creee = false;
    QString nom; // may be empty: a typed name, a blank header line of a file
    Comptes comptes_mots{}; // by category 1..4
    Comptes comptes_musique{};
    // How the word answers were given: d′ and chance take the buttons' only.
    Comptes saisies_mots{}; // of comptes_mots, the typed answers
    std::int32_t je_ne_sais_pas = 0; // "?": no category, in no bar

    // Both tests together, as the bars show them.
    Comptes comptes() const;
};

class TableauResultats : public QObject
{
    Q_OBJECT
public:
    explicit TableauResultats(QObject *parent = nullptr);

    int nb_util() const { return m_nb_util; } // last created row: −1 before start-up, then 0 and up
    int util_courant() const { return m_util_courant; } // may pass nb_max_util: then only the sum counts
    bool rangee_existe(int n) const;
    const RangeeTableau &rangee(int n) const; // an empty row outside 0..nb_max_util
    // The four program-wide counters read by the hidden "Annul test" button.
    const Comptes &compte_test() const { return m_compte_test; }

    // "Nouvel utilisateur": row nb_util + 1 becomes the current row, named nom_initial;
    // past row nb_max_util none is made and only the sum row counts.
    int cree_utilisateur();
    // "Somme" for row 0, "Essai" + n after (also past the last row: the record's header).
    static QString nom_initial(int n);
    // One scored answer (categorie 1..4; 0 counts nothing): in the current row, then
    // in the sum row; each counting raises compte_test too. A typed answer is also
    // counted apart; "Je ne sais pas" (any category) only in je_ne_sais_pas.
    void compte(int categorie, GenreTest genre,
                trials::FaconReponse facon = trials::FaconReponse::boutons);
    // "Tout effacer": the sum row to zero, the user rows gone, a new Essai1.
    void tout_effacer();
    // A results file read back: the user rows rebuilt from its sections (a row per
    // header, its answers counted as word tests), its answers added to the sum row.
    void charge(const PlanLecture &plan);
    // Row n takes the name (row 0 too); a row that does not exist is left alone.
    void renomme(int n, const QString &nom);
    // The user rows 1 .. min(nb_util, nb_max_util) as the statistics take them.
    QVector<LigneStatistiques> lignes_statistiques() const;
    // An exercise list opened, or the hidden "RAZ" button.
    void remet_compte_test() { m_compte_test.fill(0); }
    void definir_compte_test(const Comptes &comptes) { m_compte_test = comptes; }

signals:
    // A user was started; rows past nb_max_util do not exist.
    void utilisateur_cree(int n, fantrel::results::OrigineUtilisateur origine);
    // "Tout effacer" begins (its new Essai1 follows).
    void tout_efface();
    // Count c of row n changed (c = 0: only its typed or "Je ne sais pas" counts).
    void compte_change(int n, int c);
    // Rows 1 and up were removed (before "Tout effacer" or a file's rows are made).
    void rangees_utilisateurs_retirees();
    // depuis_fichier: named after its header while a results file is read back.
    void rangee_renommee(int n, const QString &nom, bool depuis_fichier);
    // A results file's rows are all made (the 3D results window then shows itself).
    void lecture_terminee();

private:
    void compte_dans(int n, int categorie, GenreTest genre, trials::FaconReponse facon);
    void retire_rangees_utilisateurs();

    std::array<RangeeTableau, nb_max_util + 1> m_rangees;
    int m_nb_util = -1;
    int m_util_courant = 0;
    Comptes m_compte_test{};
    OrigineUtilisateur m_origine = OrigineUtilisateur::commande;
};

} // namespace fantrel::results
