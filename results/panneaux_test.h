// The two hidden test panels of the 3D results window: "Test courbes" with the
// scroll bars ScrollBar1..ScrollBar4 (each drives one bar of the current row) and
// "Annul test", and the panel with "RAZ" and "Total". Never shown to the user.
#pragma once
#include <QObject>
#include <array>

class QPushButton;
class QScrollBar;
class QWidget;

namespace fantrel::results {

class TableauResultats;

class PanneauxTest : public QObject
{
    Q_OBJECT
public:
    PanneauxTest(TableauResultats &tableau, QWidget *fenetre);

    // The category (1..4) a scroll bar drives, or 0 for any other.
    int categorie_de_barre(const QScrollBar *barre) const;

    QWidget *panneau_test = nullptr; // sky blue, at 333, 61
    std::array<QScrollBar *, 5> ScrollBar{}; // ScrollBar1..ScrollBar4 at 1..4, range 0..100, at 100
    QPushButton *bouton_annul_test = nullptr;
    QWidget *panneau_raz = nullptr;
    QPushButton *bouton_raz = nullptr;
    QPushButton *bouton_total = nullptr; // no action

public slots:
    void annul_test_clic(); // scroll bar c := 100 − 2 × compte_test[c]
    void raz_clic(); // scroll bars to 100, compte_test to 0

private:
    TableauResultats &m_tableau;
};

} // namespace fantrel::results
