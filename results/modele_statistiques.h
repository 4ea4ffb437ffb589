// The statistics table as the window shows it, without the window: one line per
// results row (the sum row included, as the caller lists it), the word tests and the
// musical test side by side, numbers in French form ("62,5").
#pragma once
#include "results/enregistrement.h"
#include <QAbstractTableModel>
#include <QVector>

namespace fantrel::results {

// One results row as the tallies hold it.
struct LigneStatistiques
{
    QString nom; // "Somme", "Essai1"… or the subject's name
    Comptes mots{}; // answers of the word tests, by category 1..4
    Comptes musique{}; // answers of the musical test
};

// "Utilisateur", then n, % juste, p, d′, c for "Mots", then for "Musique".
QStringList entetes_statistiques();
// The cells of one line; a statistic that does not exist (no trial, no signal or no
// noise trial) is an empty cell. p below 0.0001 reads "< 0,0001".
QStringList cellules_statistiques(const LigneStatistiques &ligne);
// The statistics of a row in a few words, one line per test that has scored trials:
// "Mots : 12 essais, 75 % justes, p = 0,0193, d′ = 1,35, c = 0,12".
QStringList resume_statistiques(const LigneStatistiques &ligne);
// A real in French form with this many decimals ("-0,49"); a rounded zero has no sign.
QString nombre_francais(double valeur, int decimales);

class ModeleStatistiques : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void definit(const QVector<LigneStatistiques> &lignes); // replaces every line
    const QVector<QStringList> &cellules() const { return m_cellules; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<QStringList> m_cellules;
};

} // namespace fantrel::results
