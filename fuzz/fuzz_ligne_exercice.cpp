// The pair-line split of the exercise lists, the evening out and the mask, on an
// exercise list of any content.
// Properties: a pair written in each accepted form ("a  b", "a-b", "$" on either
// word) splits back into its words, the marked one first; any line splits into
// pieces of itself; an evened-out list keeps its lines but one and pairs them all;
// the derived mask is the mask sign repeated, as long as the pair's letters.
#include "commun.h"
#include "trials/liste_exercice.h"
#include <algorithm>

using namespace fantrel;

namespace {

QString decrit(const trials::Couple &c)
{
    return QStringLiteral("(«%1», «%2»)").arg(c.mot1, c.mot2);
}

void verifie_formes(const QString &a, const QString &b)
{
    struct Forme
    {
        QString ligne;
        QString mot1, mot2;
        int longueur_masque;
    };
    const Forme formes[] = {
        { a + QStringLiteral("  ") + b, a, b, int(a.size() + b.size() + 1) },
        { u'$' + a + QStringLiteral("  ") + b, a, b, int(a.size() + b.size() + 1) },
        { a + QStringLiteral("$  ") + b, a, b, int(a.size() + b.size() + 1) },
        { a + QStringLiteral("  $") + b, b, a, int(a.size() + b.size() + 1) },
        { a + QStringLiteral("  ") + b + u'$', b, a, int(a.size() + b.size() + 1) },
        { a + u'-' + b, a, b, int(b.size()) },
        { a + QStringLiteral("$-") + b, a, b, int(b.size()) },
        { a + QStringLiteral("-$") + b, b, a, int(b.size()) },
        { a + u'-' + b + u'$', b, a, int(b.size()) },
    };
    // Three of the nine forms, drawn from the words (every form is reached over the inputs).
    const std::size_t premiere = qHash(a) % std::size(formes);
    for (std::size_t k = 0; k < std::size(formes); k += 3) {
        const Forme &f = formes[(premiere + k) % std::size(formes)];
        const trials::Couple c = trials::decoupe_ligne_exercice(f.ligne);
        FUZZ_VERIFIE(c.mot1 == f.mot1 && c.mot2 == f.mot2,
                     "une paire écrite se relit, le mot marqué en premier",
                     f.ligne + QStringLiteral(" → ") + decrit(c));
        const QString masque = trials::masque_derive(f.ligne, QStringLiteral("#*"));
        FUZZ_VERIFIE(masque == QString(f.longueur_masque, u'#'),
                     "le masque a une marque par lettre de la paire",
                     f.ligne + QStringLiteral(" → ") + masque);
    }
}

// Words for the forms: the line's own characters without blanks, hyphens and "$"
// (which the forms place), cut in two. The second word keeps at most 99 characters:
// with its "$" it must fit in the 100 a line's second word holds.
void verifie_formes_de(const QString &ligne)
{
    QString lettres = ligne;
    lettres.remove(u' ').remove(u'-').remove(u'$');
    const qsizetype milieu = lettres.isEmpty() ? 0 : qsizetype(ligne.size() % (lettres.size() + 1));
    verifie_formes(lettres.left(milieu), lettres.mid(milieu).left(99));
}

void verifie_ligne(const QString &ligne)
{
    const trials::Couple c = trials::decoupe_ligne_exercice(ligne);
    QString sans_dollar = ligne;
    sans_dollar.remove(u'$');
    for (const QString &mot : { c.mot1, c.mot2 }) {
        QString m = mot;
        FUZZ_VERIFIE(sans_dollar.contains(m.remove(u'$')), "un mot est un morceau de la ligne",
                     ligne + QStringLiteral(" → ") + decrit(c));
    }
    FUZZ_VERIFIE(std::min(c.mot1.size(), c.mot2.size()) <= 100,
                 "le second mot a au plus 100 caractères",
                 ligne + QStringLiteral(" → ") + decrit(c));
    if (!ligne.contains(u' ') && !ligne.contains(u'-'))
        FUZZ_VERIFIE(c.mot1.isEmpty() && c.mot2.isEmpty(),
                     "une ligne sans blanc ni tiret donne deux mots vides", ligne);
}

void verifie_liste(const QStringList &fichier, unsigned graine)
{
    trials::EtatPartage etat;
    etat.hasard.graine(graine);
    QStringList lignes = fichier;
    tri_liste(lignes, etat);
    const int n = int(fichier.size());
    FUZZ_VERIFIE(lignes.size() == n - n % 2 && etat.nb_couples == lignes.size()
                         && etat.liste_mots.size() == lignes.size(),
                 "une liste est rendue paire et chaque ligne donne une paire");
    // The lines kept are the file's, in order, but one when it had an odd number.
    int k = 0;
    for (const QString &l : std::as_const(lignes)) {
        while (k < n && fichier[k] != l)
            ++k;
        FUZZ_VERIFIE(k < n, "les lignes gardées sont celles du fichier, dans l'ordre");
        ++k;
    }
    // The shuffle only moves pairs.
    auto cle = [](const trials::Couple &c) { return c.mot1 + QChar(0) + c.mot2; };
    QStringList attendues, obtenues;
    for (const QString &l : std::as_const(lignes))
        attendues << cle(trials::decoupe_ligne_exercice(l));
    for (const trials::Couple &c : std::as_const(etat.liste_mots))
        obtenues << cle(c);
    attendues.sort();
    obtenues.sort();
    FUZZ_VERIFIE(attendues == obtenues, "le mélange ne fait que déplacer les paires");

    const QString masque = trials::masque_derive(lignes.value(1), QStringLiteral("*"));
    FUZZ_VERIFIE(masque.count(u'*') == masque.size() && masque.size() <= lignes.value(1).size(),
                 "le masque répète le signe, pas plus long que la ligne");
    FUZZ_VERIFIE(trials::masque_derive(lignes.value(1), QString()).isEmpty(),
                 "un masque vide reste vide");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QStringList fichier = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    for (const QString &ligne : fichier) {
        verifie_ligne(ligne);
        verifie_formes_de(ligne);
        const QString nom = trials::nom_sans_dossier(ligne);
        FUZZ_VERIFIE(ligne.endsWith(nom) && !nom.contains(u'/') && !nom.contains(u'\\'),
                     "le nom sans dossier est la fin du chemin", ligne);
    }
    verifie_liste(fichier, unsigned(taille));
    return 0;
}
