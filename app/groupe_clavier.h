// "Clavier" in the settings panel: the subject's four answer keys, each set by
// pressing it. OK writes them to fantrel.ini; Annuler puts back those in effect.
#pragma once
#include "app/reglages_etendus.h"
#include <QGroupBox>

class QKeySequenceEdit;

namespace fantrel::app {

class GroupeClavier : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupeClavier(QWidget *parent = nullptr);

    QKeySequenceEdit *Edit_gauche = nullptr; // "Gauche"
    QKeySequenceEdit *Edit_droite = nullptr; // "Droite"
    QKeySequenceEdit *Edit_ne_sait_pas = nullptr; // "Je ne sais pas"
    QKeySequenceEdit *Edit_depart = nullptr; // "Départ"

    void montre(const ReglagesEtendus &reglages);
    // The keys as set; an emptied field keeps the key in effect.
    ReglagesEtendus touches(ReglagesEtendus reglages) const;
};

} // namespace fantrel::app
