// "Options › Mesurer le seuil…": the threshold run's settings (method, start, number
// of trials, the staircase's step, k), its progress while the trials run in the main
// view, then the threshold in frames and ms, the track's plot and "Appliquer".
#pragma once
#include "trials/mesure_seuil.h"
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace fantrel::app {

class TraceSeuil;

class PanneauSeuil : public QWidget
{
    Q_OBJECT
public:
    explicit PanneauSeuil(QWidget *parent = nullptr);

    QComboBox *Combo_methode = nullptr; // "Méthode"
    QSpinBox *Spin_depart = nullptr; // "Exposition de départ"
    QSpinBox *Spin_essais = nullptr; // "Nombre d'essais"
    QSpinBox *Spin_pas = nullptr; // "Pas (escalier)"
    QSpinBox *Spin_k = nullptr; // "k (sous le seuil)"
    QPushButton *Bouton_commencer = nullptr; // "Commencer"
    QPushButton *Bouton_appliquer = nullptr; // "Appliquer"
    QLabel *Lab_etat = nullptr; // progress, then the threshold
    TraceSeuil *Trace = nullptr;

    // The unit from the screen: whole frames of `periode_ms`, else ms.
    void definir_ecran(std::optional<double> periode_ms);
    trials::ReglagesMesure reglages() const;
    void montre_progression(int faits, int total);
    void montre_resultat(const trials::MesureSeuil &mesure);
    void montre_abandon(int faits, int total);

private:
    // The spin box's unit agreeing with its value ("1 image", "3 images", "5 ms").
    void accorde_unite(QSpinBox *s, int valeur) const;

    std::optional<double> m_periode_ms;
};

// "3,4 images = 56,7 ms" or "57 ms".
QString texte_seuil(double unites, std::optional<double> periode_ms);

} // namespace fantrel::app
