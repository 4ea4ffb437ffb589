// The statistics table as the window shows it, without the window: per test that has
// answers, one line per participant (a results row) and the group's line; numbers in
// French form ("62,5"). Chance-level statistics take the answers chosen on the two
// buttons only: typed and "Je ne sais pas" answers are counted apart.
#pragma once
#include "results/enregistrement.h"
#include "results/statistiques.h"
#include <QAbstractTableModel>
#include <QVector>

namespace fantrel::results {

// One results row as the tallies hold it.
struct LigneStatistiques
{
    QString nom; // "Essai1"… or the participant's name
    Comptes mots{}; // answers of the word tests, by category 1..4, typed ones included
    Comptes musique{}; // answers of the musical test
    Comptes saisies{}; // of mots, the typed answers
    std::int32_t je_ne_sais_pas = 0; // "?" in the word tests: no category

    Comptes boutons() const; // mots less saisies
};

// One line of the table: a participant's statistics in one test, or the group's.
struct LigneCalculee
{
    QString participant; // the row's name, or "Groupe"
    QString test; // "Mots" or "Musique"
    bool groupe = false;
    StatistiquesSujet stats; // button answers (the group: every participant's pooled)
    std::int64_t saisies = 0, saisies_justes = 0;
    std::int64_t je_ne_sais_pas = 0;
    StatistiquesGroupe statistiques_groupe; // the group's line only
};

// Every line, Mots before Musique; a test without any answer is left out (Mots stays
// when neither has one).
QVector<LigneCalculee> calcule_statistiques(const QVector<LigneStatistiques> &participants,
                                            double echelle_a_priori);

// "Participant", "Test", "n", "Justes", "% juste", "IC 95 %", "p", "BF01", …
QStringList entetes_statistiques();
// The cells of one line; a statistic that does not exist is an empty cell. p below
// 0.0001 reads "< 0,0001".
QStringList cellules_statistiques(const LigneCalculee &ligne);
// The group's t-test in a sentence (or why there is none).
QString texte_test_groupe(const LigneCalculee &groupe);
// The statistics of a row in a few lines, for each test that has answers.
QStringList resume_statistiques(const LigneStatistiques &ligne, double echelle_a_priori);
// "en faveur du hasard", "en faveur d'un effet", "non concluant".
QString texte_conclusion(ConclusionBayes conclusion);
// A real in French form with this many decimals ("-0,49"); a rounded zero has no sign.
QString nombre_francais(double valeur, int decimales);
// A positive real to 3 significant digits ("0,166", "1,70", "4 624"); below 0.0001,
// "< 0,0001".
QString nombre_significatif(double valeur);

class ModeleStatistiques : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every line.
    void definit(const QVector<LigneStatistiques> &lignes, double echelle_a_priori);
    const QVector<LigneCalculee> &lignes() const { return m_lignes; }
    const QVector<QStringList> &cellules() const { return m_cellules; }
    double echelle_a_priori() const { return m_echelle; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<LigneCalculee> m_lignes;
    QVector<QStringList> m_cellules;
    double m_echelle = echelle_a_priori_defaut;
};

} // namespace fantrel::results
