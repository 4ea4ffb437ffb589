// The settings file param.ini: 17 lines read into the settings panel, the 3D word
// and the trials' timers, and written from them. The controls hold the settings in
// effect; the file only stores them.
#pragma once
#include "trials/etat_partage.h"
#include <QString>

namespace fantrel::trials {
class EssaiKorvane;
class EssaiMorbelle;
} // namespace fantrel::trials

namespace fantrel::app {

class AffichageMot;
class PanneauReglages;

class FichierParam
{
public:
    FichierParam(trials::EtatPartage &etat, PanneauReglages &panneau, AffichageMot &affichage,
                 trials::EssaiKorvane &korvane);

    // repertoire + "/param.ini" (the bare name before start-up has set repertoire).
    QString chemin() const;
    // Applies the lines one by one as they are read: a line that does not convert
    // stops there with the run-time's message, the lines before it in effect.
    void lire();
    // The 17 lines the controls hold now, as sauve() writes them.
    QStringList lignes() const;
    // Writes the 17 lines from the controls (replaced atomically).
    void sauve();

private:
    trials::EtatPartage &m_etat;
    PanneauReglages &m_panneau;
    AffichageMot &m_affichage;
    trials::EssaiKorvane &m_korvane;
};

} // namespace fantrel::app
