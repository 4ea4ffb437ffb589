#include "wordpairs/filtre_couple.h"
#include <algorithm>

namespace fantrel::wordpairs {

namespace {

bool lettre_accentuee(QChar c)
{
    static const QString accentuees = QStringLiteral("àâéèëêîïôûüç");
    return accentuees.contains(c);
}

} // namespace

int position_difference(QStringView a, QStringView b)
{
    const qsizetype na = a.size();
    const qsizetype nb = b.size();
    if (na > nb + 1)
        return -1; // at least two letters of b missing
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    const qsizetype commun = std::min(na, nb);
    int difference = -1;
    for (qsizetype p = 0; p < commun; ++p) {
        if (pa[p] != pb[p]) {
            if (difference >= 0)
                return -1;
            difference = int(p);
        }
    }
    if (na > nb) { // b lacks a's last letter
        if (difference >= 0)
            return -1;
        difference = int(nb);
    }
    return difference;
}

bool ressemble_participe(QStringView mot)
{
    return mot.endsWith(u"ant") || mot.endsWith(u"ante");
}

QString infinitif_de(QStringView mot)
{
    QStringView radical;
    if (mot.endsWith(u"ant"))
        radical = mot.chopped(3);
    else if (mot.endsWith(u"ante"))
        radical = mot.chopped(4);
    if (radical.isEmpty())
        return {};
    QString infinitif = radical.toString();
    return infinitif.append(QStringView(u"er"));
}

bool participe_rejete(QStringView a, QStringView b, const ContientTexte &contient)
{
    for (QStringView mot : { a, b }) {
        const QString infinitif = infinitif_de(mot);
        if (!infinitif.isEmpty() && contient(infinitif))
            return true;
    }
    return false;
}

bool accepte_candidat(QStringView a, QStringView b, int d, const Filtres &filtres,
                      const ContientTexte &contient)
{
    // Both words are non-empty here: an empty word never reaches the filters.
    const QChar der_a = a.back();
    const QChar der_b = b.back();
    if (filtres.s_final && der_a != der_b && (der_a == u's' || der_b == u's'))
        return false;
    if (filtres.accent && (lettre_accentuee(a[d]) || (d < b.size() && lettre_accentuee(b[d]))))
        return false;
    if (filtres.non_derniere && der_a != der_b)
        return false;
    if (filtres.non_premiere && a.front() != b.front())
        return false;
    if (filtres.participes && participe_rejete(a, b, contient))
        return false;
    return true;
}

bool est_couple(QStringView a, QStringView b, const Filtres &filtres, const ContientTexte &contient)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const int d = position_difference(a, b);
    return d >= 0 && accepte_candidat(a, b, d, filtres, contient);
}

QString ligne_couple(QStringView a, QStringView b)
{
    QString ligne;
    ligne.reserve(a.size() + 2 + b.size());
    ligne.append(a).append(u"  ").append(b);
    return ligne;
}

} // namespace fantrel::wordpairs
