#include "app/reprise_seance.h"
#include "results/record_resultats.h"
#include "results/tableau_resultats.h"

namespace fantrel::app {

namespace {

// The replay's place in the table: its rows after those already there.
struct Rejeu
{
    results::TableauResultats &tableau;
    results::RecordResultats &record;
    int decalage = 0; // rows of the sessions replayed before
    QHash<int, QString> participants;
};

void rejoue_evenement(const base::Evenement &e, Rejeu &r)
{
    using base::NatureEvenement;
    switch (e.nature) {
    case NatureEvenement::nouvel_utilisateur:
        if (e.utilisateur == 0 && r.tableau.nb_util() >= 0)
            break; // the sum row is the one already made
        if (const int n = r.tableau.cree_utilisateur(); !e.participant.isEmpty())
            r.participants.insert(n, e.participant);
        break;
    case NatureEvenement::renommage:
        r.tableau.renomme(e.utilisateur == 0 ? 0 : e.utilisateur + r.decalage, e.nom);
        break;
    case NatureEvenement::tout_effacer:
        r.tableau.tout_effacer();
        r.participants.clear();
        r.decalage = 0;
        break;
    case NatureEvenement::lecture_fichier:
        r.record.charge_lignes(e.lignes);
        r.participants.clear();
        r.decalage = 0;
        break;
    case NatureEvenement::enregistrement_fichier:
    case NatureEvenement::reprise:
    case NatureEvenement::reprise_refusee:
    case NatureEvenement::fin:
    case NatureEvenement::calibration: // the exposure came back with param.ini
        break;
    }
}

void rejoue_essai(const base::Essai &e, Rejeu &r)
{
    if (e.test == base::TestEssai::seuil)
        return; // a threshold run's trials are in neither the record nor the tallies
    if (!e.ligne_resultat.isEmpty())
        r.record.ajoute_ligne(e.ligne_resultat);
    if (!e.participant.isEmpty() && r.tableau.util_courant() >= 1)
        r.participants.insert(r.tableau.util_courant(), e.participant);
    const trials::FaconReponse facon = e.mode_reponse.value_or(trials::FaconReponse::boutons);
    if (e.categorie || facon == trials::FaconReponse::je_ne_sais_pas)
        r.tableau.compte(e.categorie.value_or(0),
                         e.test == base::TestEssai::musique ? results::GenreTest::musique
                                                            : results::GenreTest::mots,
                         facon);
}

} // namespace

QHash<int, QString> rejoue_seance(const base::SeanceAReprendre &seance,
                                  results::TableauResultats &tableau,
                                  results::RecordResultats &record)
{
    Rejeu r{ tableau, record, std::max(tableau.nb_util(), 0), {} };
    for (const base::ElementChronologie &element : seance.chronologie) {
        if (const auto *essai = std::get_if<base::Essai>(&element))
            rejoue_essai(*essai, r);
        else
            rejoue_evenement(std::get<base::Evenement>(element), r);
    }
    // A session cut short before its start-up made its rows still needs them.
    while (tableau.nb_util() < 1)
        tableau.cree_utilisateur();
    record.marque_modifie();
    return r.participants;
}

} // namespace fantrel::app
