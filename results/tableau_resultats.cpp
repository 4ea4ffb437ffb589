#include "results/tableau_resultats.h"
#include <algorithm>

namespace fantrel::results {

Comptes RangeeTableau::comptes() const
{
    Comptes total{};
    for (int c = 1; c <= 4; ++c)
        total[c] = comptes_mots[c] + comptes_musique[c];
    return total;
}

TableauResultats::TableauResultats(QObject *parent) : QObject(parent) { }

bool TableauResultats::rangee_existe(int n) const
{
    return n >= 0 && n <= nb_max_util && n <= m_nb_util && m_rangees[n].creee;
}

const RangeeTableau &TableauResultats::rangee(int n) const
{
    static const RangeeTableau aucune;
    return n >= 0 && n <= nb_max_util ? m_rangees[n] : aucune;
}

QString TableauResultats::nom_initial(int n)
{
    return n == 0 ? QStringLiteral("Somme") : QStringLiteral("Essai%1").arg(n);
}

int TableauResultats::cree_utilisateur()
{
    const int n = ++m_nb_util;
    m_util_courant = n;
    if (n <= nb_max_util) {
        m_rangees[n] = RangeeTableau{};
        m_rangees[n].creee = true;
        m_rangees[n].nom = nom_initial(n);
        m_compte_test.fill(0);
    }
    emit utilisateur_cree(n, m_origine);
    return n;
}

void TableauResultats::compte_dans(int n, int categorie, GenreTest genre,
                                   trials::FaconReponse facon)
{
    using trials::FaconReponse;
    if (facon == FaconReponse::je_ne_sais_pas) {
        if (rangee_existe(n)) {
            ++m_rangees[n].je_ne_sais_pas;
            emit compte_change(n, 0);
        }
        return;
    }
    if (rangee_existe(n)) {
        RangeeTableau &r = m_rangees[n];
        ++(genre == GenreTest::mots ? r.comptes_mots : r.comptes_musique)[categorie];
        if (facon == FaconReponse::saisie && genre == GenreTest::mots)
            ++r.saisies_mots[categorie];
        emit compte_change(n, categorie);
    }
    ++m_compte_test[categorie];
}

void TableauResultats::compte(int categorie, GenreTest genre, trials::FaconReponse facon)
{
    if (facon != trials::FaconReponse::je_ne_sais_pas && (categorie < 1 || categorie > 4))
        return;
    compte_dans(m_util_courant, categorie, genre, facon);
    if (m_util_courant != 0)
        compte_dans(0, categorie, genre, facon);
}

void TableauResultats::retire_rangees_utilisateurs()
{
    for (int n = 1; n <= nb_max_util; ++n)
        m_rangees[n] = RangeeTableau{};
    emit rangees_utilisateurs_retirees();
}

void TableauResultats::tout_effacer()
{
    if (m_nb_util < 0)
        cree_utilisateur(); // no sum row yet (start-up stopped early): make it first
    emit tout_efface();
    m_util_courant = 0;
    m_rangees[0].comptes_mots.fill(0);
    m_rangees[0].comptes_musique.fill(0);
    m_rangees[0].saisies_mots.fill(0);
    m_rangees[0].je_ne_sais_pas = 0;
    for (int c = 1; c <= 4; ++c)
        emit compte_change(0, c);
    retire_rangees_utilisateurs();
    m_nb_util = 0;
    m_origine = OrigineUtilisateur::effacement;
    cree_utilisateur();
    m_origine = OrigineUtilisateur::commande;
}

void TableauResultats::charge(const PlanLecture &plan)
{
    if (m_nb_util < 0)
        cree_utilisateur(); // the file's answers are added to the sum row: it must exist
    m_origine = OrigineUtilisateur::fichier;
    retire_rangees_utilisateurs();
    m_nb_util = 0;
    for (int k = 1; k <= plan.nb_entetes; ++k) {
        cree_utilisateur();
        if (k > plan.rangees.size())
            continue;
        const RangeeLue &lue = plan.rangees[k - 1];
        renomme(k, lue.nom);
        m_rangees[k].comptes_mots = lue.comptes;
        m_rangees[k].saisies_mots = lue.saisies;
        for (int c = 1; c <= 4; ++c)
            emit compte_change(k, c);
    }
    for (int c = 1; c <= 4; ++c) {
        m_rangees[0].comptes_mots[c] += plan.somme[c];
        m_rangees[0].saisies_mots[c] += plan.saisies[c];
        emit compte_change(0, c);
    }
    m_origine = OrigineUtilisateur::commande;
    // Answers given next need a row of their own, with its header in the record.
    if (plan.nb_entetes == 0)
        cree_utilisateur();
    emit lecture_terminee();
}

QVector<LigneStatistiques> TableauResultats::lignes_statistiques() const
{
    QVector<LigneStatistiques> lignes;
    for (int n = 1; n <= std::min(m_nb_util, nb_max_util); ++n)
        if (rangee_existe(n)) {
            const RangeeTableau &r = m_rangees[n];
            lignes.append({ r.nom, r.comptes_mots, r.comptes_musique, r.saisies_mots,
                            r.je_ne_sais_pas });
        }
    return lignes;
}

void TableauResultats::renomme(int n, const QString &nom)
{
    if (!rangee_existe(n))
        return;
    m_rangees[n].nom = nom;
    emit rangee_renommee(n, nom, m_origine == OrigineUtilisateur::fichier);
}

} // namespace fantrel::results
