#include "app/reprise_seance.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"

namespace fantrel::app {

namespace {

void rejoue_evenement(const base::Evenement &e, results::TableauResultats &tableau,
                      results::RecordResultats &record)
{
    using base::NatureEvenement;
    switch (e.nature) {
    case NatureEvenement::nouvel_utilisateur:
        tableau.cree_utilisateur();
        break;
    case NatureEvenement::renommage:
        tableau.renomme(e.utilisateur, e.nom);
        break;
    case NatureEvenement::tout_effacer:
        tableau.tout_effacer();
        break;
    case NatureEvenement::lecture_fichier:
        record.charge_lignes(e.lignes);
        break;
    case NatureEvenement::enregistrement_fichier:
    case NatureEvenement::reprise:
    case NatureEvenement::fin:
    case NatureEvenement::calibration: // the exposure came back with param.ini
        break;
    }
}

void rejoue_essai(const base::Essai &e, results::TableauResultats &tableau,
                  results::RecordResultats &record)
{
    if (e.test == base::TestEssai::seuil)
        return; // a threshold run's trials are in neither the record nor the tallies
    if (!e.ligne_resultat.isEmpty())
        record.ajoute_ligne(e.ligne_resultat);
    const trials::FaconReponse facon = e.mode_reponse.value_or(trials::FaconReponse::boutons);
    if (e.categorie || facon == trials::FaconReponse::je_ne_sais_pas)
        tableau.compte(e.categorie.value_or(0),
                       e.test == base::TestEssai::musique ? results::GenreTest::musique
                                                          : results::GenreTest::mots,
                       facon);
}

} // namespace

void rejoue_seance(const base::SeanceAReprendre &seance, results::TableauResultats &tableau,
                   results::RecordResultats &record)
{
    for (const base::ElementChronologie &element : seance.chronologie) {
        if (const auto *essai = std::get_if<base::Essai>(&element))
            rejoue_essai(*essai, tableau, record);
        else
            rejoue_evenement(std::get<base::Evenement>(element), tableau, record);
    }
    // A session cut short before its start-up made its rows still needs them.
    while (tableau.nb_util() < 1)
        tableau.cree_utilisateur();
    record.marque_modifie();
}

} // namespace fantrel::app
