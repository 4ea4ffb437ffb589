#include "wordpairs/listes_selection.h"
#include <QHash>
#include <algorithm>

namespace fantrel::wordpairs {

namespace {

const QString avant_marque = QStringLiteral("----");
const QString apres_marque = QStringLiteral("------------------");

} // namespace

QString marque(const QString &ligne)
{
    return avant_marque + ligne + apres_marque;
}

bool est_marque(QStringView ligne)
{
    return ligne.size() >= avant_marque.size() + apres_marque.size()
            && ligne.startsWith(avant_marque) && ligne.endsWith(apres_marque);
}

QString sans_marque(const QString &ligne)
{
    if (!est_marque(ligne))
        return ligne;
    return ligne.mid(avant_marque.size(), ligne.size() - avant_marque.size() - apres_marque.size());
}

bool refusee_au_double_clic(QStringView ligne)
{
    return ligne.isEmpty() || ligne.contains(u"--");
}

bool sautee_par_selection(QStringView ligne)
{
    return ligne.isEmpty() || ligne.contains(avant_marque);
}

bool est_marque_du_couple(QStringView ligne, QStringView couple)
{
    return ligne.size() == avant_marque.size() + couple.size() + apres_marque.size()
            && est_marque(ligne) && ligne.mid(avant_marque.size(), couple.size()) == couple;
}

QString ligne_trouvee(const QString &couple, const QSet<QString> &choisis)
{
    return choisis.contains(couple) ? marque(couple) : couple;
}

QStringList marque_choisis(const QStringList &logiciel, const QStringList &choisis)
{
    QHash<QString, QList<int>> rangs; // line of the user's list → its places
    for (int k = 0; k < choisis.size(); ++k)
        rangs[choisis[k]].append(k);
    QStringList resultat = logiciel;
    for (QString &ligne : resultat) {
        // A line marked at step k may equal a later line of the list (one that
        // holds the mark itself) and be marked again then.
        int apres = -1;
        for (;;) {
            const auto places = rangs.constFind(ligne);
            if (places == rangs.cend())
                break;
            const auto suivante = std::upper_bound(places->begin(), places->end(), apres);
            if (suivante == places->end())
                break;
            apres = *suivante;
            ligne = marque(ligne);
        }
    }
    return resultat;
}

} // namespace fantrel::wordpairs
