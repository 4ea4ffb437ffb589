// A working folder with a settings file and a list, and the main window started
// in it with the seams answered by the test.
#pragma once
#include "app/affichage_mot.h"
#include "app/commandes_essai.h"
#include "app/deroulement_seance.h"
#include "app/fichier_param.h"
#include "app/groupe_exercice.h"
#include "app/groupe_radio.h"
#include "app/panneau_reglages.h"
#include "music/essai_musical.h"
#include "music/groupe_musical.h"
#include "platform/minuteur_hr.h"
#include "results/groupe_resultats.h"
#include "results/tableau_resultats.h"
#include "trials/essai_korvane.h"
#include "trials/essai_morbelle.h"
#include <QTimer>
#include "app/fenetre_principale.h"
#include "app/fenetres.h"
#include "../music/sortie_enregistree.h"
#include "platform/fichier_texte.h"
#include "platform/erreurs.h"
#include "platform/interactions.h"
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace banc {

inline QStringList param_formulaire()
{
    return { ".\\machin.liste_fantrel",
             "30 ms",
             "#####",
             "64",
             "64",
             "0",
             "0",
             "0,5",
             "15780518",
             "&&&&&&&&&&&",
             "67",
             "33",
             "33",
             "############",
             "67",
             "2",
             "+1/2" };
}

inline QStringList liste_quatre()
{
    return { "$fiel  fier", "$mort  mors", "rang  $sang", "$peur  pour" };
}

struct Banc
{
    QTemporaryDir dossier;
    QString racine; // the working folder: the temporary one unless given
    QString ancien_dossier = QDir::currentPath();
    fantrel::platform::RemplacementInteractions seams;
    QStringList informations;
    QStringList erreurs;
    std::unique_ptr<fantrel::app::Fenetres> fenetres;
    fantrel::app::TForm1 *form = nullptr;
    SortieEnregistree *sortie = nullptr; // the musical trial's output, playing at once

    explicit Banc(const QStringList &param = param_formulaire(),
                  const QStringList &liste = liste_quatre(), const QString &existant = {})
        : racine(existant.isEmpty() ? dossier.path() : existant)
    {
        seams->information = [this](const QString &t) { informations << t; };
        seams->erreur = [this](const QString &t) { erreurs << t; };
        seams->attente = [](int) {};
        seams->sortie_son = [this] {
            auto enregistree = std::make_unique<SortieEnregistree>();
            sortie = enregistree.get();
            return std::unique_ptr<fantrel::platform::SortieSon>(std::move(enregistree));
        };
        if (!param.isEmpty())
            fantrel::platform::ecrire_lignes(chemin("param.ini"), param);
        if (!liste.isEmpty())
            fantrel::platform::ecrire_lignes(chemin("machin.liste_fantrel"), liste);
        QDir::setCurrent(racine);
        fenetres = std::make_unique<fantrel::app::Fenetres>();
        form = fenetres->Form1.get();
    }
    ~Banc()
    {
        fenetres.reset();
        QDir::setCurrent(ancien_dossier);
    }

    QString chemin(const QString &nom) const { return racine + u'/' + nom; }

    // Runs the start-up step as its timer would, errors shown through the seam.
    void demarre()
    {
        form->Timer_debut->stop();
        fantrel::platform::proteger([this] { form->Timer_debutTimer(); });
    }
};

} // namespace banc
