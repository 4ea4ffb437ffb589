#include "app/fenetres.h"
#include "app/fenetre_principale.h"
#include "results/fenetre_graphique.h"
#include "results/fenetre_participants.h"
#include "results/fenetre_resultats_3d.h"
#include "results/fenetre_statistiques.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"
#include "wordpairs/fenetre_couples.h"

namespace fantrel::app {

Fenetres::Fenetres()
    : tableau(std::make_unique<results::TableauResultats>()),
      record(std::make_unique<results::RecordResultats>(*tableau)),
      Form1(std::make_unique<TForm1>(*tableau, *record)),
      Form_choix_mots(std::make_unique<wordpairs::TForm_choix_mots>(Form1->etat.repertoire)),
      Form_courbe(std::make_unique<results::TForm_courbe>()),
      Form_courbe2(std::make_unique<results::TForm_courbe2>(*tableau)),
      Form_statistiques(std::make_unique<results::FenetreStatistiques>()),
      Form_participants(std::make_unique<results::FenetreParticipants>())
{
    // The program ends when the main window closes: the others, left open (the 3D
    // results window has no close box of its own), must not keep it running.
    for (QWidget *autre :
         std::initializer_list<QWidget *>{ Form_choix_mots.get(), Form_courbe.get(),
                                           Form_courbe2.get(), Form_statistiques.get(),
                                           Form_participants.get() })
        autre->setAttribute(Qt::WA_QuitOnClose, false);
    Form1->relie_fenetres(Form_choix_mots.get(), Form_courbe.get(), Form_courbe2.get(),
                          Form_statistiques.get(), Form_participants.get());
    relie_sous_systemes(*this);
}

Fenetres::~Fenetres()
{
    // The main window refers to the others until it is gone.
    Form1.reset();
    Form_participants.reset();
    Form_statistiques.reset();
    Form_courbe2.reset();
    Form_courbe.reset();
    Form_choix_mots.reset();
    record.reset();
    tableau.reset();
}

} // namespace fantrel::app
