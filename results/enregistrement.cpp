#include "results/enregistrement.h"
#include "results/ligne_reponse.h"
#include <algorithm>

namespace fantrel::results {

PlanLecture plan_lecture(const QStringList &lignes)
{
    PlanLecture plan;
    RangeeLue *section = nullptr;
    for (const QString &ligne : lignes) {
        if (est_entete(ligne)) {
            ++plan.nb_entetes;
            section = nullptr;
            if (plan.nb_entetes <= nb_max_util) {
                plan.rangees.append(RangeeLue{ ligne, {} });
                section = &plan.rangees.last();
            }
            continue;
        }
        const int c = categorie_ligne(ligne);
        const bool saisie = reponse_hors_propositions(ligne);
        ++plan.somme[c];
        plan.saisies[c] += saisie;
        if (section) {
            ++section->comptes[c];
            section->saisies[c] += saisie;
        }
    }
    return plan;
}

qsizetype index_entete(const QStringList &lignes, int n, qsizetype depuis)
{
    if (n < 1)
        return -1;
    int compte = 0;
    for (qsizetype i = std::max<qsizetype>(depuis, 0); i < lignes.size(); ++i) {
        if (est_entete(lignes.at(i)) && ++compte == n)
            return i;
    }
    return -1;
}

QStringList lignes_listees(const QStringList &lignes, const QString &nom)
{
    return reponses_de_section(lignes, lignes.indexOf(nom));
}

QStringList reponses_de_section(const QStringList &lignes, qsizetype entete)
{
    QStringList listees;
    if (entete < 0)
        return listees;
    const QString marque = QStringLiteral("Mot affiché=");
    for (qsizetype i = entete + 1; i < lignes.size() && lignes.at(i).contains(marque); ++i)
        listees.append(ligne_listee(lignes.at(i)));
    return listees;
}

} // namespace fantrel::results
