#include "results/record_resultats.h"
#include "platform/capacite_memo.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "results/enregistrement.h"
#include "results/tableau_resultats.h"
#include "results/texte_memo.h"
#include <QTextBlock>
#include <QTextDocument>

namespace fantrel::results {

RecordResultats::RecordResultats(TableauResultats &tableau, QObject *parent)
    : QObject(parent), m_tableau(tableau), m_document(new QTextDocument(this))
{
    m_debut_rangees = QTextCursor(m_document);
    // Headers of new users (not of a file's rows, already in the record), renames.
    // A user past the 20th row has no row but still a header: the record must say
    // whose answers follow (read back, they then count in the sum row only).
    connect(&tableau, &TableauResultats::utilisateur_cree, this,
            [this](int n, OrigineUtilisateur origine) {
                if (n <= 0 || origine == OrigineUtilisateur::fichier)
                    return;
                ajoute_entete(TableauResultats::nom_initial(n));
                if (n == 1) // at start-up, after "Tout effacer", after a file without header
                    m_debut_rangees = QTextCursor(m_document->lastBlock().previous());
            });
    connect(&tableau, &TableauResultats::rangee_renommee, this,
            [this](int n, const QString &nom, bool depuis_fichier) {
                if (n > 0 && !depuis_fichier)
                    renomme_entete(n, nom);
            });
}

QStringList RecordResultats::lignes() const
{
    return lignes_memo(*m_document);
}

void RecordResultats::ajoute_ligne(const QString &ligne)
{
    results::ajoute_ligne(*m_document, ligne);
    emit fin_atteinte();
}

void RecordResultats::ajoute_entete(const QString &nom)
{
    results::ajoute_entete(*m_document, nom);
    emit fin_atteinte();
}

qsizetype RecordResultats::index_entete_rangee(int n) const
{
    return index_entete(lignes(), n, m_debut_rangees.block().blockNumber());
}

void RecordResultats::renomme_entete(int n, const QString &nom)
{
    const qsizetype i = index_entete_rangee(n);
    if (i >= 0)
        remplace_ligne(*m_document, i, nom);
}

QStringList RecordResultats::reponses_listees(int n) const
{
    return reponses_de_section(lignes(), index_entete_rangee(n));
}

bool RecordResultats::modifie() const
{
    return m_document->isModified();
}

void RecordResultats::marque_enregistre()
{
    m_document->setModified(false);
}

void RecordResultats::marque_modifie()
{
    m_document->setModified(true);
}

bool RecordResultats::enregistre(const QString &chemin)
{
    const QStringList texte = lignes();
    const bool fait = platform::proteger([&] { platform::ecrire_lignes(chemin, texte); });
    if (fait) {
        marque_enregistre();
        emit fichier_enregistre(chemin);
    }
    return fait;
}

bool RecordResultats::lit(const QString &chemin)
{
    // Everything that can fail happens before the record or the rows are touched.
    return platform::proteger([&] {
        const QStringList lues = platform::lire_lignes_memo(chemin);
        charge_lignes(lues);
        emit fichier_lu(chemin, lues);
    });
}

void RecordResultats::charge_lignes(const QStringList &lignes)
{
    remplace_lignes(*m_document, lignes);
    m_debut_rangees = QTextCursor(m_document); // a row per header
    emit fin_atteinte();
    m_tableau.charge(plan_lecture(lignes));
}

} // namespace fantrel::results
