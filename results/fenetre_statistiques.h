// The window of statistics per subject: a table of the results rows, fed by the
// caller with the rows' counts (ModeleStatistiques holds and formats them).
#pragma once
#include "results/modele_statistiques.h"
#include <QWidget>

class QLabel;
class QTableView;

namespace fantrel::results {

class FenetreStatistiques : public QWidget
{
    Q_OBJECT
public:
    explicit FenetreStatistiques(QWidget *parent = nullptr);

    void affiche(const QVector<LigneStatistiques> &lignes); // replaces the table's lines
    ModeleStatistiques *modele() const { return m_modele; }

    QTableView *Table_statistiques = nullptr;
    QLabel *Label_legende = nullptr;

private:
    ModeleStatistiques *m_modele = new ModeleStatistiques(this);
};

} // namespace fantrel::results
