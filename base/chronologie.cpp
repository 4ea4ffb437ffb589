#include "base/chronologie.h"
#include <QSet>
#include <algorithm>

namespace fantrel::base {

namespace {

qint64 ordre(const ElementChronologie &element)
{
    return std::visit([](const auto &e) { return e.ordre; }, element);
}

const Evenement *evenement(const ElementChronologie &element)
{
    return std::get_if<Evenement>(&element);
}

void ajoute_chronologie(BaseEssais &base, qint64 seance, QSet<qint64> &vues,
                        QVector<ElementChronologie> &sortie)
{
    if (vues.contains(seance))
        return; // a session cannot replay itself, even through another
    vues.insert(seance);
    QVector<ElementChronologie> propres;
    for (Essai &e : base.essais(seance))
        propres << std::move(e);
    for (Evenement &e : base.evenements(seance))
        propres << std::move(e);
    std::stable_sort(propres.begin(), propres.end(),
                     [](const auto &a, const auto &b) { return ordre(a) < ordre(b); });
    for (ElementChronologie &element : propres) {
        const Evenement *e = evenement(element);
        if (e && e->nature == NatureEvenement::reprise)
            ajoute_chronologie(base, e->seance_reprise, vues, sortie);
        else
            sortie << std::move(element);
    }
}

} // namespace

QVector<ElementChronologie> chronologie(BaseEssais &base, qint64 seance)
{
    QVector<ElementChronologie> sortie;
    QSet<qint64> vues;
    ajoute_chronologie(base, seance, vues, sortie);
    return sortie;
}

int essais_non_enregistres(const QVector<ElementChronologie> &elements)
{
    if (!elements.isEmpty()) {
        const Evenement *dernier = evenement(elements.last());
        if (dernier && dernier->nature == NatureEvenement::fin)
            return 0;
    }
    int essais = 0;
    for (const ElementChronologie &element : elements) {
        const Evenement *e = evenement(element);
        if (!e)
            ++essais;
        else if (e->nature == NatureEvenement::enregistrement_fichier)
            essais = 0;
    }
    return essais;
}

std::optional<SeanceAReprendre> seance_a_reprendre(BaseEssais &base, const QString &poste,
                                                   const QString &repertoire, qint64 exclue)
{
    const qint64 id = base.derniere_seance(poste, repertoire, exclue);
    if (id == 0)
        return std::nullopt;
    SeanceAReprendre reprise;
    reprise.chronologie = chronologie(base, id);
    reprise.essais_non_enregistres = essais_non_enregistres(reprise.chronologie);
    const std::optional<Seance> seance = base.seance(id);
    if (reprise.essais_non_enregistres == 0 || !seance)
        return std::nullopt;
    reprise.seance = *seance;
    return reprise;
}

} // namespace fantrel::base
