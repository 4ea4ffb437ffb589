// "Courbes › Graphique des participants": each participant's percent correct on the
// buttons with its 95 % Wilson interval as an error bar, the word tests and the musical
// test side by side, the 50 % line of chance, the participants' codes (the rows' names)
// under the axis; "Exporter l'image…" saves it as PNG or SVG for a paper.
#pragma once
#include "results/modele_statistiques.h"
#include <QWidget>

class QPushButton;

namespace fantrel::chart {
class Graphique;
}

namespace fantrel::results {

class FenetreParticipants : public QWidget
{
    Q_OBJECT
public:
    explicit FenetreParticipants(QWidget *parent = nullptr);

    void affiche(const QVector<LigneStatistiques> &lignes); // replaces the bars

    chart::Graphique *Chart_participants = nullptr;
    QPushButton *Bouton_image = nullptr; // "Exporter l'image…"

public slots:
    // A file chosen; its type (the dialog's filter, else its extension) PNG or SVG.
    void Bouton_imageClick();
};

} // namespace fantrel::results
