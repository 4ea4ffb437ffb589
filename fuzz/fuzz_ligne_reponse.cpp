// The answer-line reader and the reading of a results record, on a results file of
// any content.
// Properties: an answer line written by the program reads back into its pieces and
// its category, in both orders of the proposals; a record's reading puts every answer
// in the sum, and each section's answers in its row, as a plain walk does; a record
// saved and read back gives the same rows and counts; the header and listing look-ups
// agree with the lines.
#include "fuzz/commun.h"
#include "results/enregistrement.h"
#include "results/ligne_reponse.h"

using namespace fantrel;

namespace {

const QString marque_reponse = QStringLiteral("Mot affiché");

QString decrit(const ReponseLue& r)
{
    auto piece = [](const std::optional<QString>& p) { return p ? u'«' + *p + u'»' : QStringLiteral("absent"); };
    return QStringLiteral("montré %1, propositions %2, répondu %3").arg(piece(r.montre), piece(r.propositions), piece(r.reponse));
}

// An answer line as the answer buttons build it, from words without blanks, "=" or "$".
void verifie_ligne_ecrite(const QString& premier, const QString& second, bool premier_montre, bool premier_a_gauche,
                          bool juste)
{
    if (premier == second)
        return;   // a pair of two equal words has no second word to tell apart
    const QString montre = premier_montre ? premier : second;
    const QString autre = premier_montre ? second : premier;
    const QString reponse = juste ? montre : autre;
    const QString propositions = premier_a_gauche ? u'$' + premier + u' ' + second : second + QStringLiteral(" $") + premier;
    const QString ligne = marque_reponse + u'=' + montre + QStringLiteral(" prop=") + propositions
        + QStringLiteral(" répondu=") + reponse;

    fuzz::verifie(est_ligne_reponse(ligne), "une ligne de réponse écrite est une ligne de réponse", ligne);
    const ReponseLue lue = analyse_ligne_reponse(ligne);
    fuzz::verifie(lue.montre == montre && lue.propositions == propositions && lue.reponse == reponse,
                  "une ligne de réponse se relit en ses morceaux", ligne + QStringLiteral(" → ") + decrit(lue));
    fuzz::verifie(categorie_ligne(ligne) == categorie(premier_montre, juste), "la catégorie relue est celle de l'essai",
                  ligne + QStringLiteral(" → %1").arg(categorie_ligne(ligne)));
    QString listee = propositions;
    listee[listee.indexOf(u' ')] = u'-';
    fuzz::verifie(ligne_listee(ligne) == listee, "la ligne listée est la paire proposée", ligne);
}

void verifie_ligne(const QString& ligne)
{
    fuzz::verifie(est_ligne_reponse(ligne) == ligne.contains(marque_reponse), "ligne de réponse ou en-tête", ligne);
    const ReponseLue lue = analyse_ligne_reponse(ligne);
    if (lue.montre)
        fuzz::verifie(!lue.montre->contains(u' ') && ligne.contains(*lue.montre), "le mot montré est un morceau sans blanc", ligne);
    for (const auto& piece : {lue.propositions, lue.reponse})
        if (piece)
            fuzz::verifie(ligne.contains(*piece), "un morceau lu vient de la ligne", ligne);
    const int c = categorie_ligne(ligne);
    fuzz::verifie(c >= 1 && c <= 4, "une ligne relue a une catégorie de 1 à 4", ligne);

    // Words taken from the line's own characters.
    QString lettres = ligne;
    lettres.remove(u' ').remove(u'=').remove(u'$');
    const qsizetype coupe = lettres.isEmpty() ? 0 : qsizetype(ligne.size() % (lettres.size() + 1));
    for (int bits = 0; bits < 8; ++bits)
        verifie_ligne_ecrite(lettres.left(coupe), lettres.mid(coupe), bits & 1, bits & 2, bits & 4);
}

// The sections walked one by one.
PlanLecture plan_reference(const QStringList& lignes)
{
    PlanLecture plan;
    int rangee = -1;
    for (const QString& l : lignes) {
        if (!l.contains(marque_reponse)) {
            ++plan.nb_entetes;
            rangee = plan.nb_entetes <= nb_max_util ? int(plan.rangees.size()) : -1;
            if (rangee >= 0)
                plan.rangees.append({l, {}});
        } else {
            const int c = categorie_ligne(l);
            ++plan.somme[std::size_t(c)];
            if (rangee >= 0)
                ++plan.rangees[rangee].comptes[std::size_t(c)];
        }
    }
    return plan;
}

bool memes(const PlanLecture& a, const PlanLecture& b)
{
    if (a.nb_entetes != b.nb_entetes || a.somme != b.somme || a.rangees.size() != b.rangees.size())
        return false;
    for (qsizetype k = 0; k < a.rangees.size(); ++k)
        if (a.rangees[k].nom != b.rangees[k].nom || a.rangees[k].comptes != b.rangees[k].comptes)
            return false;
    return true;
}

void verifie_enregistrement(const QStringList& lignes)
{
    const PlanLecture plan = plan_lecture(lignes);
    fuzz::verifie(memes(plan, plan_reference(lignes)), "la lecture compte comme la marche section par section");
    fuzz::verifie(plan.somme[0] == 0, "aucune réponse hors des quatre catégories");

    bool ambigu = false;
    const QStringList relues = fuzz::relues(lignes, ambigu);
    if (!ambigu)
        fuzz::verifie(memes(plan_lecture(relues), plan_lecture(fuzz::apres_ecriture(lignes))),
                      "un enregistrement sauvé puis relu donne les mêmes rangées et comptes");

    for (int n = 1; n <= plan.nb_entetes + 1; ++n) {
        const qsizetype i = index_entete(lignes, n);
        if (n > plan.nb_entetes) {
            fuzz::verifie(i == -1, "pas d'en-tête au-delà du dernier");
            break;
        }
        fuzz::verifie(i >= 0 && est_entete(lignes[i]), "l'index d'un en-tête est un en-tête");
        int avant = 0;
        for (qsizetype k = 0; k < i; ++k)
            avant += est_entete(lignes[k]);
        fuzz::verifie(avant == n - 1, "le n-ième en-tête a n − 1 en-têtes avant lui");
        if (n <= 3) {
            const qsizetype premier = lignes.indexOf(lignes[i]);
            qsizetype fin = premier + 1;
            while (fin < lignes.size() && lignes[fin].contains(QStringLiteral("Mot affiché=")))
                ++fin;
            fuzz::verifie(lignes_listees(lignes, lignes[i]).size() == fin - premier - 1,
                          "une rangée liste les réponses qui suivent son en-tête");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const QStringList fichier = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    for (const QString& ligne : fichier)
        verifie_ligne(ligne);
    verifie_enregistrement(fichier);
    return 0;
}
