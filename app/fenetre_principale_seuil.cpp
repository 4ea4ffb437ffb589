// The main window's threshold run ("Mesurer le seuil…") and its answer keys.
#include "app/fenetre_principale.h"
#include "app/affichage_mot.h"
#include "app/clavier_reponses.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/groupe_clavier.h"
#include "app/journal_seance.h"
#include "app/panneau_reglages.h"
#include "app/panneau_seuil.h"
#include "results/tableau_resultats.h"
#include "trials/mesure_seuil.h"
#include <QPushButton>
#include <QScrollBar>

namespace fantrel::app {

void TForm1::applique_touches(bool ecrire)
{
    if (ecrire)
        deroulement->ecrit_touches(
                reglages->Group_clavier->touches(deroulement->reglages_etendus()));
    reglages->Group_clavier->montre(deroulement->reglages_etendus());
    clavier->definir_touches(deroulement->reglages_etendus());
}

void TForm1::Mesurerleseuil1Click()
{
    panneau_seuil->definir_ecran(affichage->periode_ecran_ms());
    panneau_seuil->show();
    panneau_seuil->raise();
}

void TForm1::commence_seuil()
{
    Korvane1Click();
    mesure_seuil->commence(panneau_seuil->reglages());
    panneau_seuil->hide();
}

void TForm1::applique_seuil()
{
    const std::optional<int> ms = mesure_seuil->exposition_appliquee();
    if (!ms)
        return;
    reglages->Scroll_timer->setValue(*ms);
    journal->note_evenement(calibration_de(*mesure_seuil, *ms, m_tableau.util_courant()));
}

void TForm1::touche_depart()
{
    for (QPushButton *b : { commandes->BitBtn2, commandes->BitBtn_ecoute })
        if (b->isVisibleTo(this) && b->isEnabled())
            b->click();
}

} // namespace fantrel::app
