// The word-pair search on a word base generated from the input (few letters, short
// words, so that pairs and participles abound), with any check boxes, a class search
// or a single-word search, paused and resumed at any step.
// Properties: the fast search lists the same pairs, in the same order, with the same
// progress, as the straightforward one, and both list exactly the pairs that the
// definition gives (every pair of lines of the class, earlier line outside, the pair
// test on each word of one against each word of the other).
#include "commun.h"
#include "wordpairs/participes.h"
#include "wordpairs/recherche_rapide.h"
#include "wordpairs/recherche_simple.h"
#include <fuzzer/FuzzedDataProvider.h>

using namespace fantrel;

namespace {

const QString lettres = QStringLiteral("antersçé");

QString mot(FuzzedDataProvider &fdp, int longueur_max)
{
    QString m;
    const int longueur = fdp.ConsumeIntegralInRange(0, longueur_max);
    for (int k = 0; k < longueur; ++k)
        m += lettres[fdp.ConsumeIntegralInRange<qsizetype>(0, lettres.size() - 1)];
    return m;
}

// Lines "key word word …": keys of 1 to 4 letters (the class), some lines without a
// space, some words empty (two spaces in a row).
QStringList base_generee(FuzzedDataProvider &fdp)
{
    QStringList lignes;
    const int nombre = fdp.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < nombre && fdp.remaining_bytes() > 0; ++i) {
        QString ligne(fdp.ConsumeIntegralInRange(0, 4), u'k');
        const int nb_mots = fdp.ConsumeIntegralInRange(-1, 5);
        for (int k = 0; k <= nb_mots; ++k)
            ligne += u' ' + mot(fdp, 6);
        lignes << ligne;
    }
    return lignes;
}

QStringList selon_la_definition(const wordpairs::BaseMots &base, const wordpairs::Demande &demande,
                                const wordpairs::Filtres &f)
{
    const wordpairs::ContientTexte scan = [&base](const QString &t) {
        return wordpairs::base_contient_simple(base.lignes, t);
    };
    QStringList couples;
    auto compare = [&](const QStringList &mots_a, int j) {
        for (const QString &a : mots_a)
            for (const QString &b : wordpairs::mots_de_la_ligne(base.lignes[j]))
                if (est_couple(a, b, f, scan))
                    couples << wordpairs::ligne_couple(a, b);
    };
    if (demande.mot_seul) {
        for (int j = 0; j < base.nb_lignes(); ++j)
            if (base.classes[std::size_t(j)] == demande.longueur)
                compare({ demande.mot }, j);
        return couples;
    }
    const wordpairs::BornesClasse bornes = wordpairs::bornes_classe(base.classes, demande.longueur);
    for (int i = bornes.debut; i < bornes.fin - 1; ++i) {
        const int c = base.classes[std::size_t(i)];
        if (c < 1 || c != demande.longueur)
            continue;
        for (int j = i + 1; j <= bornes.fin - 1; ++j)
            if (base.classes[std::size_t(j)] == c)
                compare(wordpairs::mots_de_la_ligne(base.lignes[i]), j);
    }
    return couples;
}

// Runs a search to its end by steps of the given budgets, taking the pairs as the
// window does after each step.
QStringList jusqu_au_bout(wordpairs::Recherche &r, FuzzedDataProvider &fdp)
{
    QStringList couples;
    for (int pas = 0; !r.finie() || pas == 0; ++pas) {
        FUZZ_VERIFIE(pas < 1'000'000, "une recherche arrive à son bout");
        r.avance(fdp.ConsumeIntegralInRange<qint64>(1, 64));
        couples << r.prend_couples();
    }
    return couples;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    FuzzedDataProvider fdp(donnees, taille);
    const std::uint8_t cases = fdp.ConsumeIntegral<std::uint8_t>();
    const wordpairs::Filtres f{ bool(cases & 1), bool(cases & 2), bool(cases & 4), bool(cases & 8),
                                bool(cases & 16) };
    wordpairs::Demande demande;
    demande.mot_seul = fdp.ConsumeBool();
    demande.longueur = fdp.ConsumeIntegralInRange(0, 5);
    if (demande.mot_seul) {
        demande.mot = mot(fdp, 6);
        demande.longueur = int(demande.mot.size());
        if (demande.mot.isEmpty())
            return 0; // an empty word field starts nothing
    }
    const wordpairs::BaseMots base(base_generee(fdp));

    wordpairs::RechercheSimple simple(base, demande);
    wordpairs::RechercheRapide rapide(base, demande);
    simple.definir_filtres(f);
    rapide.definir_filtres(f);
    const QStringList par_simple = jusqu_au_bout(simple, fdp);
    const QStringList par_rapide = jusqu_au_bout(rapide, fdp);
    const QStringList attendus = selon_la_definition(base, demande, f);

    const QString contexte = fuzz::montre(base.lignes)
            + QStringLiteral("cases %1, %2 %3 «%4»\n")
                      .arg(cases & 31)
                      .arg(demande.mot_seul ? QStringLiteral("mot seul") : QStringLiteral("classe"))
                      .arg(demande.longueur)
                      .arg(demande.mot);
    FUZZ_VERIFIE(par_simple == attendus, "la recherche simple liste les paires de la définition",
                 contexte + fuzz::montre(par_simple) + QStringLiteral("contre\n")
                         + fuzz::montre(attendus));
    FUZZ_VERIFIE(par_rapide == par_simple,
                 "la recherche rapide liste les paires de la simple, dans son ordre",
                 contexte + fuzz::montre(par_rapide) + QStringLiteral("contre\n")
                         + fuzz::montre(par_simple));
    FUZZ_VERIFIE(rapide.progression_prete() == simple.progression_prete()
                         && rapide.progression_maximum() == simple.progression_maximum()
                         && rapide.progression_position() == simple.progression_position(),
                 "la barre de progression finit au même point", contexte);
    FUZZ_VERIFIE(rapide.bornes().debut == simple.bornes().debut
                         && rapide.bornes().fin == simple.bornes().fin,
                 "les mêmes bornes de classe", contexte);
    return 0;
}
