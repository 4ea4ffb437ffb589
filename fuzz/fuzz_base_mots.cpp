// The word-base line split and the lines of the word-pair tool's lists, on a word
// base (or a list file) of any content.
// Properties: a line's class is the length of its key; its words joined by single
// spaces give the line after the key back; the run of a class starts at its first
// line and ends at the next line of another class; the chosen mark comes off again;
// marking the pairs of a loaded list agrees with the plain walk of the lists; a
// ".select_log" saved reads back as the bare pairs.
#include "commun.h"
#include "wordpairs/base_mots.h"
#include "wordpairs/listes_selection.h"

using namespace fantrel;

namespace {

void verifie_ligne(const QString &ligne)
{
    const int classe = wordpairs::classe_ligne(ligne);
    FUZZ_VERIFIE(classe == ligne.indexOf(u' '), "la classe est la longueur de la clé", ligne);
    const QStringList mots = wordpairs::mots_de_la_ligne(ligne);
    const QString apres_cle = classe < 0 ? ligne : ligne.mid(classe + 1);
    FUZZ_VERIFIE(mots.join(u' ') == apres_cle, "les mots joints redonnent la ligne après la clé",
                 ligne);
    FUZZ_VERIFIE(mots.size() == apres_cle.count(u' ') + 1,
                 "un mot de plus que de blancs après la clé", ligne);
    const auto vues = wordpairs::mots_de_la_ligne_vues(ligne);
    FUZZ_VERIFIE(qsizetype(vues.size()) == mots.size(), "les vues sont les mots", ligne);
    for (std::size_t k = 0; k < vues.size(); ++k)
        FUZZ_VERIFIE(vues[k] == mots[qsizetype(k)] && !vues[k].contains(u' '),
                     "les vues sont les mots", ligne);

    const QString minuscules = wordpairs::minuscules_az(ligne);
    FUZZ_VERIFIE(minuscules.size() == ligne.size(), "les minuscules gardent la longueur", ligne);
    for (qsizetype k = 0; k < ligne.size(); ++k) {
        const QChar c = ligne[k];
        const QChar attendu = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c;
        FUZZ_VERIFIE(minuscules[k] == attendu, "seules les lettres A à Z passent en minuscules",
                     ligne);
    }

    FUZZ_VERIFIE(wordpairs::est_marque(wordpairs::marque(ligne))
                         && wordpairs::sans_marque(wordpairs::marque(ligne)) == ligne,
                 "la marque s'ôte", ligne);
    if (!wordpairs::est_marque(ligne))
        FUZZ_VERIFIE(wordpairs::sans_marque(ligne) == ligne, "une ligne non marquée reste entière",
                     ligne);
}

void verifie_base(const QStringList &lignes)
{
    const wordpairs::BaseMots base(lignes);
    FUZZ_VERIFIE(base.nb_lignes() == lignes.size()
                         && qsizetype(base.classes.size()) == lignes.size(),
                 "une classe par ligne");
    QList<int> classes(base.classes.begin(), base.classes.end());
    classes << 0 << -1 << 1000;
    for (int classe : std::as_const(classes)) {
        const wordpairs::BornesClasse b = wordpairs::bornes_classe(base.classes, classe);
        const int debut = int(std::find(base.classes.begin(), base.classes.end(), classe)
                              - base.classes.begin());
        if (debut == base.nb_lignes()) {
            FUZZ_VERIFIE(b.debut == -1 && b.fin == -1, "une classe sans ligne n'a pas de bornes");
            continue;
        }
        int fin = debut;
        while (fin < base.nb_lignes() && base.classes[std::size_t(fin)] == classe)
            ++fin;
        FUZZ_VERIFIE(b.debut == debut && b.fin == fin,
                     "les bornes d'une classe sont sa première suite de lignes",
                     QStringLiteral("classe %1 : %2..%3, attendu %4..%5")
                             .arg(classe)
                             .arg(b.debut)
                             .arg(b.fin)
                             .arg(debut)
                             .arg(fin));
        int nombre = 0;
        for (int c : base.classes)
            nombre += c == classe;
        FUZZ_VERIFIE(base.nb_lignes_classe(classe) == nombre, "le nombre de lignes d'une classe");
    }
}

// The user's list loaded: for each of its lines in order, every line of the software's
// list equal to it gets the mark.
QStringList marque_reference(QStringList logiciel, const QStringList &choisis)
{
    for (const QString &choisi : choisis)
        for (QString &ligne : logiciel)
            if (ligne == choisi)
                ligne = wordpairs::marque(ligne);
    return logiciel;
}

void verifie_listes(const QStringList &lignes)
{
    // The software's list: the first half, some of it marked already; the user's list:
    // the second half, with lines of the first and marked ones too.
    const qsizetype moitie = lignes.size() / 2;
    QStringList logiciel = lignes.mid(0, moitie);
    QStringList choisis = lignes.mid(moitie);
    for (qsizetype k = 0; k < logiciel.size(); k += 3)
        choisis << logiciel[k];
    for (qsizetype k = 1; k < logiciel.size(); k += 4)
        choisis << wordpairs::marque(logiciel[k]);
    for (qsizetype k = 2; k < logiciel.size(); k += 5)
        logiciel[k] = wordpairs::marque(logiciel[k]);
    if (choisis.size() > 200 || logiciel.size() > 200)
        return; // the reference is quadratic
    FUZZ_VERIFIE(
            wordpairs::marque_choisis(logiciel, choisis) == marque_reference(logiciel, choisis),
            "les paires d'une liste chargée sont marquées comme par la marche des listes",
            fuzz::montre(wordpairs::marque_choisis(logiciel, choisis)) + QStringLiteral("contre\n")
                    + fuzz::montre(marque_reference(logiciel, choisis)));

    // ".select_log": the lines without their marks; read back, the bare pairs.
    QStringList sans;
    for (const QString &l : std::as_const(logiciel))
        sans << wordpairs::sans_marque(l);
    FUZZ_VERIFIE(fuzz::relues(sans) == fuzz::apres_ecriture(sans),
                 "un .select_log se relit en paires sans marque");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QStringList lignes = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    for (const QString &ligne : lignes)
        verifie_ligne(ligne);
    verifie_base(lignes);
    verifie_listes(lignes);
    return 0;
}
