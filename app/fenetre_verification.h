// The display check's report: the refresh found and how frames were stamped, the plan,
// the count of exact, short, long, missed and doubtful flashes, the histogram of the
// measured exposures with the planned one marked, and every flash's frames.
// "Enregistrer le rapport…" writes the chart as PNG and the flashes as CSV beside it.
#pragma once
#include "app/verification_affichage.h"
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace fantrel::chart {
class Graphique;
}

namespace fantrel::app {

// What the report shows besides the flashes.
struct EnteteVerification
{
    std::optional<double> frequence_hz; // none: no refresh
    QString methode; // "oml", "retour_echange", "simule", "chronometre"
    QString description; // the stamps, in French
};

class FenetreVerification : public QWidget
{
    Q_OBJECT
public:
    explicit FenetreVerification(QWidget *parent = nullptr);

    void affiche(const EnteteVerification &entete, const VerificationAffichage &verification);

    QLabel *Lab_ecran = nullptr; // refresh and stamping method
    QLabel *Lab_plan = nullptr; // test, flashes, planned exposure
    QLabel *Lab_bilan = nullptr; // exact / short / long / missed / doubtful
    chart::Graphique *Graphique_expositions = nullptr;
    QTableWidget *Table_flashs = nullptr;
    QPushButton *Bouton_enregistrer = nullptr; // "Enregistrer le rapport…"

public slots:
    // The PNG's name asked; the CSV goes beside it (same name, ".csv").
    void Bouton_enregistrerClick();

private:
    QVector<base::FlashVerification> m_flashs;
};

} // namespace fantrel::app
