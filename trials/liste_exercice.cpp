#include "trials/liste_exercice.h"
#include <numeric>
#include <utility>
#include <vector>

namespace fantrel::trials {

namespace {
constexpr int longueur_max_mot = 100;
}

Couple decoupe_ligne_exercice(const QString &ligne)
{
    Couple c;
    const qsizetype espace = ligne.indexOf(u' ');
    if (espace >= 0) {
        c.mot1 = ligne.left(espace);
        const qsizetype double_espace = ligne.indexOf(QStringLiteral("  "));
        c.mot2 = double_espace >= 0 ? ligne.mid(double_espace + 2, longueur_max_mot)
                                    : ligne.mid(espace + 1, longueur_max_mot);
    }
    const qsizetype tiret = ligne.indexOf(u'-');
    if (tiret >= 0) {
        c.mot1 = ligne.left(tiret);
        c.mot2 = ligne.mid(tiret + 1, longueur_max_mot);
    }
    if (c.mot2.contains(u'$'))
        std::swap(c.mot1, c.mot2);
    const qsizetype dollar = c.mot1.indexOf(u'$');
    if (dollar >= 0) {
        c.mot1.remove(dollar, 1);
        c.connote = true;
    }
    return c;
}

void tri_liste(QStringList &lignes, EtatPartage &etat)
{
    const int n = int(lignes.size());
    etat.nb_couples = n;
    if (n % 2 == 1) {
        lignes.removeAt(etat.hasard.tirage(n));
        --etat.nb_couples;
    }
    etat.liste_mots.clear();
    etat.liste_mots.reserve(lignes.size());
    for (const QString &l : std::as_const(lignes))
        etat.liste_mots.append(decoupe_ligne_exercice(l));
    melange_des_lignes(etat);
}

void melange_des_lignes(EtatPartage &etat)
{
    const int n = std::min<int>(etat.nb_couples, int(etat.liste_mots.size()));
    if (n <= 0)
        return;
    // The transpositions move indices, then each pair moves once: swapping the pairs
    // themselves (two strings each) cost seconds on lists of millions of lines.
    std::vector<int> origine(static_cast<std::size_t>(n));
    std::iota(origine.begin(), origine.end(), 0);
    const int echanges = n <= 100 ? 200 : 2 * n;
    for (int i = 0; i < echanges; ++i) {
        const int a = etat.hasard.tirage(n);
        const int b = etat.hasard.tirage(n);
        std::swap(origine[std::size_t(a)], origine[std::size_t(b)]);
    }
    QVector<Couple> melange;
    melange.reserve(etat.liste_mots.size());
    for (int k = 0; k < n; ++k)
        melange.append(std::move(etat.liste_mots[origine[std::size_t(k)]]));
    for (qsizetype k = n; k < etat.liste_mots.size(); ++k)
        melange.append(std::move(etat.liste_mots[k]));
    etat.liste_mots = std::move(melange);
}

QString masque_derive(const QString &ligne2, const QString &masque_courant)
{
    if (masque_courant.isEmpty())
        return {};
    QString t = ligne2;
    const qsizetype tiret = t.indexOf(u'-');
    if (tiret >= 0)
        t.remove(0, tiret + 1);
    const qsizetype espace = t.indexOf(u' ');
    if (espace >= 0)
        t.remove(espace, 1);
    const qsizetype dollar = t.indexOf(u'$');
    if (dollar >= 0)
        t.remove(dollar, 1);
    return QString(t.size(), masque_courant.at(0));
}

QString nom_sans_dossier(const QString &chemin)
{
    const qsizetype pos = std::max(chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u'/'));
    return chemin.mid(pos + 1);
}

} // namespace fantrel::trials
