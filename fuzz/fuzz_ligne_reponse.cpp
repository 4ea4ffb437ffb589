// The answer-line reader and the reading of a results record, on a results file of
// any content.
// Properties: an answer line written by the program reads back into its pieces and
// its category, in both orders of the proposals; a record's reading puts every answer
// in the sum, and each section's answers in its row, as a plain walk does; a record
// saved and read back gives the same rows and counts; the header and listing look-ups
// agree with the lines.
#include "commun.h"
#include "results/enregistrement.h"
#include "results/ligne_reponse.h"
#include "trials/reponses.h"

using namespace fantrel;

namespace {

const QString marque_reponse = QStringLiteral("Mot affiché");

QString decrit(const results::ReponseLue &r)
{
    auto piece = [](const std::optional<QString> &p) {
        return p ? u'«' + *p + u'»' : QStringLiteral("absent");
    };
    return QStringLiteral("montré %1, propositions %2, répondu %3")
            .arg(piece(r.montre), piece(r.propositions), piece(r.reponse));
}

// An answer line as the answer buttons build it, from words without blanks, "=" or "$".
void verifie_ligne_ecrite(const QString &premier, const QString &second, bool premier_montre,
                          bool premier_a_gauche, bool juste)
{
    if (premier == second)
        return; // a pair of two equal words has no second word to tell apart
    const QString montre = premier_montre ? premier : second;
    const QString autre = premier_montre ? second : premier;
    const QString reponse = juste ? montre : autre;
    const QString propositions = premier_a_gauche ? u'$' + premier + u' ' + second
                                                  : second + QStringLiteral(" $") + premier;
    const QString ligne = marque_reponse + u'=' + montre + QStringLiteral(" prop=") + propositions
            + QStringLiteral(" répondu=") + reponse;

    FUZZ_VERIFIE(results::est_ligne_reponse(ligne),
                 "une ligne de réponse écrite est une ligne de réponse", ligne);
    const results::ReponseLue lue = results::analyse_ligne_reponse(ligne);
    FUZZ_VERIFIE(lue.montre == montre && lue.propositions == propositions && lue.reponse == reponse,
                 "une ligne de réponse se relit en ses morceaux",
                 ligne + QStringLiteral(" → ") + decrit(lue));
    FUZZ_VERIFIE(results::categorie_ligne(ligne)
                         == trials::categorie_reponse(premier_montre, juste),
                 "la catégorie relue est celle de l'essai",
                 ligne + QStringLiteral(" → %1").arg(results::categorie_ligne(ligne)));
    QString listee = propositions;
    listee[listee.indexOf(u' ')] = u'-';
    FUZZ_VERIFIE(results::ligne_listee(ligne) == listee, "la ligne listée est la paire proposée",
                 ligne);
}

void verifie_ligne(const QString &ligne)
{
    FUZZ_VERIFIE(results::est_ligne_reponse(ligne) == ligne.contains(marque_reponse),
                 "ligne de réponse ou en-tête", ligne);
    const results::ReponseLue lue = results::analyse_ligne_reponse(ligne);
    if (lue.montre)
        FUZZ_VERIFIE(!lue.montre->contains(u' ') && ligne.contains(*lue.montre),
                     "le mot montré est un morceau sans blanc", ligne);
    for (const auto &piece : { lue.propositions, lue.reponse })
        if (piece)
            FUZZ_VERIFIE(ligne.contains(*piece), "un morceau lu vient de la ligne", ligne);
    const int c = results::categorie_ligne(ligne);
    FUZZ_VERIFIE(c >= 1 && c <= 4, "une ligne relue a une catégorie de 1 à 4", ligne);

    // Words taken from the line's own characters.
    QString lettres = ligne;
    lettres.remove(u' ').remove(u'=').remove(u'$');
    const qsizetype coupe = lettres.isEmpty() ? 0 : qsizetype(ligne.size() % (lettres.size() + 1));
    // Two of the eight ways (word shown, side, right or wrong), drawn from the line.
    const int bits = int(qHash(ligne) & 7);
    verifie_ligne_ecrite(lettres.left(coupe), lettres.mid(coupe), bits & 1, bits & 2, bits & 4);
    verifie_ligne_ecrite(lettres.left(coupe), lettres.mid(coupe), !(bits & 1), !(bits & 2),
                         !(bits & 4));
}

// The sections walked one by one.
results::PlanLecture plan_reference(const QStringList &lignes)
{
    results::PlanLecture plan;
    int rangee = -1;
    for (const QString &l : lignes) {
        if (!l.contains(marque_reponse)) {
            ++plan.nb_entetes;
            rangee = plan.nb_entetes <= results::nb_max_util ? int(plan.rangees.size()) : -1;
            if (rangee >= 0)
                plan.rangees.append({ l, {} });
        } else {
            const int c = results::categorie_ligne(l);
            ++plan.somme[std::size_t(c)];
            if (rangee >= 0)
                ++plan.rangees[rangee].comptes[std::size_t(c)];
        }
    }
    return plan;
}

bool memes(const results::PlanLecture &a, const results::PlanLecture &b)
{
    if (a.nb_entetes != b.nb_entetes || a.somme != b.somme || a.rangees.size() != b.rangees.size())
        return false;
    for (qsizetype k = 0; k < a.rangees.size(); ++k)
        if (a.rangees[k].nom != b.rangees[k].nom || a.rangees[k].comptes != b.rangees[k].comptes)
            return false;
    return true;
}

void verifie_enregistrement(const QStringList &lignes)
{
    const results::PlanLecture plan = results::plan_lecture(lignes);
    FUZZ_VERIFIE(memes(plan, plan_reference(lignes)),
                 "la lecture compte comme la marche section par section");
    FUZZ_VERIFIE(plan.somme[0] == 0, "aucune réponse hors des quatre catégories");

    FUZZ_VERIFIE(memes(results::plan_lecture(fuzz::relues(lignes)),
                       results::plan_lecture(fuzz::apres_ecriture(lignes))),
                 "un enregistrement sauvé puis relu donne les mêmes rangées et comptes");

    // The first headers and the one past the last (the look-ups are linear).
    QList<int> rangs;
    for (int n = 1; n <= std::min(plan.nb_entetes, results::nb_max_util + 2); ++n)
        rangs << n;
    rangs << plan.nb_entetes << plan.nb_entetes + 1;
    for (int n : std::as_const(rangs)) {
        if (n < 1)
            continue;
        const qsizetype i = results::index_entete(lignes, n);
        if (n > plan.nb_entetes) {
            FUZZ_VERIFIE(i == -1, "pas d'en-tête au-delà du dernier");
            continue;
        }
        FUZZ_VERIFIE(i >= 0 && results::est_entete(lignes[i]),
                     "l'index d'un en-tête est un en-tête");
        int avant = 0;
        for (qsizetype k = 0; k < i; ++k)
            avant += results::est_entete(lignes[k]);
        FUZZ_VERIFIE(avant == n - 1, "le n-ième en-tête a n − 1 en-têtes avant lui");
        if (n <= 3) {
            const qsizetype premier = lignes.indexOf(lignes[i]);
            qsizetype fin = premier + 1;
            while (fin < lignes.size() && lignes[fin].contains(QStringLiteral("Mot affiché=")))
                ++fin;
            FUZZ_VERIFIE(results::lignes_listees(lignes, lignes[i]).size() == fin - premier - 1,
                         "une rangée liste les réponses qui suivent son en-tête");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QStringList fichier = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    for (const QString &ligne : fichier)
        verifie_ligne(ligne);
    verifie_enregistrement(fichier);
    return 0;
}
