// The window of statistics per participant: the table of the results rows, per test,
// and the group's line under it, fed by the caller with the rows' counts
// (ModeleStatistiques holds and formats them); "Exporter (CSV)" writes the table.
#pragma once
#include "results/modele_statistiques.h"
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace fantrel::results {

class FenetreStatistiques : public QWidget
{
    Q_OBJECT
public:
    explicit FenetreStatistiques(QWidget *parent = nullptr);

    // Replaces the table's lines; echelle_a_priori: BF01's prior, as fantrel.ini sets it.
    void affiche(const QVector<LigneStatistiques> &lignes,
                 double echelle_a_priori = echelle_a_priori_defaut);
    ModeleStatistiques *modele() const { return m_modele; }

    QTableView *Table_statistiques = nullptr;
    QLabel *Label_groupe = nullptr; // the group's t-test per test
    QLabel *Label_echelle = nullptr; // BF01's prior scale in use
    QLabel *Label_legende = nullptr;
    QPushButton *Bouton_export = nullptr; // "Exporter (CSV)"

public slots:
    // "Exporter (CSV)": a file chosen, the table written there.
    void Bouton_exportClick();

private:
    ModeleStatistiques *m_modele = new ModeleStatistiques(this);
};

} // namespace fantrel::results
