#include "app/reprise_seance.h"
#include "results/groupe_resultats.h"
#include "results/tableau_resultats.h"

namespace fantrel::app {

namespace {

void rejoue_evenement(const results::Evenement &e, results::TableauResultats &tableau,
                      results::GroupeResultats &record)
{
    using results::NatureEvenement;
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
        break;
    }
}

void rejoue_essai(const results::Essai &e, results::TableauResultats &tableau,
                  results::GroupeResultats &record)
{
    if (!e.ligne_resultat.isEmpty())
        record.ajoute_ligne(e.ligne_resultat);
    using trials::FaconReponse;
    const FaconReponse facon = e.mode_reponse == results::ModeReponse::saisie
            ? FaconReponse::saisie
            : e.mode_reponse == results::ModeReponse::je_ne_sais_pas ? FaconReponse::je_ne_sais_pas
                                                                     : FaconReponse::boutons;
    if (e.categorie || facon == FaconReponse::je_ne_sais_pas)
        tableau.compte(e.categorie.value_or(0),
                       e.test == results::TestEssai::musique ? results::GenreTest::musique
                                                             : results::GenreTest::mots,
                       facon);
}

} // namespace

void rejoue_seance(const results::SeanceAReprendre &seance, results::TableauResultats &tableau,
                   results::GroupeResultats &record)
{
    for (const results::ElementChronologie &element : seance.chronologie) {
        if (const auto *essai = std::get_if<results::Essai>(&element))
            rejoue_essai(*essai, tableau, record);
        else
            rejoue_evenement(std::get<results::Evenement>(element), tableau, record);
    }
    // A session cut short before its start-up made its rows still needs them.
    while (tableau.nb_util() < 1)
        tableau.cree_utilisateur();
    record.marque_modifie();
}

} // namespace fantrel::app
