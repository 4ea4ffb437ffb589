#include "results/ligne_reponse.h"
#include "trials/reponses.h"

namespace fantrel::results {

namespace {

const QString marque_reponse = QStringLiteral("Mot affiché");
const QString marque_propositions = QStringLiteral("prop=");
const QString marque_repondu = QStringLiteral("répondu");

// Where the answer field starts: the last "répondu=" (words hold no "="), else the
// last bare "répondu" of a torn line.
qsizetype position_repondu(const QString &ligne)
{
    const qsizetype k = ligne.lastIndexOf(marque_repondu + QLatin1Char('='));
    return k >= 0 ? k : ligne.lastIndexOf(marque_repondu);
}

} // namespace

bool est_ligne_reponse(const QString &ligne)
{
    return ligne.contains(marque_reponse);
}

ReponseLue analyse_ligne_reponse(const QString &ligne)
{
    ReponseLue lue;
    const qsizetype egal = ligne.indexOf(QLatin1Char('='));
    if (egal >= 0) {
        const qsizetype blanc = ligne.indexOf(QLatin1Char(' '), egal + 1);
        lue.montre = ligne.mid(egal + 1, blanc < 0 ? -1 : blanc - egal - 1);
    }

    const qsizetype repondu = position_repondu(ligne);
    const qsizetype prop = ligne.indexOf(marque_propositions);
    if (prop >= 0) {
        const qsizetype debut = prop + marque_propositions.size();
        qsizetype fin = ligne.size();
        if (repondu >= debut) {
            fin = repondu;
            if (fin > debut && ligne.at(fin - 1) == QLatin1Char(' '))
                --fin;
        }
        lue.propositions = ligne.mid(debut, fin - debut);
    }

    if (repondu >= 0) {
        const qsizetype apres = ligne.indexOf(QLatin1Char('='), repondu);
        if (apres >= 0)
            lue.reponse = ligne.mid(apres + 1);
    }
    return lue;
}

bool contient_mot_marque(const QString &propositions, const QString &mot)
{
    const QString cherche = QLatin1Char('$') + mot;
    for (qsizetype k = propositions.indexOf(cherche); k >= 0;
         k = propositions.indexOf(cherche, k + 1)) {
        const qsizetype fin = k + cherche.size();
        if (fin == propositions.size() || propositions.at(fin) == QLatin1Char(' '))
            return true;
    }
    return false;
}

int categorie_ligne(const QString &ligne)
{
    const ReponseLue lue = analyse_ligne_reponse(ligne);
    const bool premier =
            lue.montre && lue.propositions && contient_mot_marque(*lue.propositions, *lue.montre);
    const bool juste = lue.montre && lue.reponse && *lue.reponse == *lue.montre;
    return trials::categorie_reponse(premier, juste);
}

bool reponse_hors_propositions(const QString &ligne)
{
    const ReponseLue lue = analyse_ligne_reponse(ligne);
    if (!lue.reponse || !lue.propositions)
        return true;
    QString propositions = *lue.propositions;
    propositions.remove(QLatin1Char('$'));
    return !propositions.split(QLatin1Char(' ')).contains(*lue.reponse);
}

QString ligne_listee(const QString &ligne)
{
    const ReponseLue lue = analyse_ligne_reponse(ligne);
    QString texte = lue.propositions.value_or(QString());
    const qsizetype blanc = texte.indexOf(QLatin1Char(' '));
    if (blanc >= 0)
        texte[blanc] = QLatin1Char('-');
    return texte;
}

} // namespace fantrel::results
