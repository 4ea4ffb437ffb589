// The settings panel's line "Carré photodiode": on or off, its size in pixels and its
// corner. The controls hold the square in effect; fantrel.ini stores it on OK.
#pragma once
#include "app/reglages_etendus.h"
#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace fantrel::app {

class GroupePhotodiode : public QWidget
{
    Q_OBJECT
public:
    explicit GroupePhotodiode(QWidget *parent = nullptr);

    QCheckBox *Check_photodiode = nullptr; // "Carré photodiode"
    QSpinBox *Spin_photodiode = nullptr; // the side, 10..400 px
    QComboBox *Combo_coin = nullptr; // the corner

    // The controls set from the settings (no signal), and read back into them.
    void montre(const ReglagesEtendus &reglages);
    void reporte(ReglagesEtendus &reglages) const;

signals:
    // Any control changed: the square as it now stands.
    void photodiode_changee(bool actif, int taille, CoinEcran coin);

private:
    void signale();
};

} // namespace fantrel::app
