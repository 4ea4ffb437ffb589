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

QVector<SeanceAReprendre> seances_a_reprendre(BaseEssais &base, const QString &poste,
                                              const QString &repertoire, qint64 exclue)
{
    QVector<SeanceAReprendre> reprises;
    for (const qint64 id : base.seances_non_reglees(poste, repertoire, exclue)) {
        SeanceAReprendre reprise;
        reprise.chronologie = chronologie(base, id);
        reprise.essais_non_enregistres = essais_non_enregistres(reprise.chronologie);
        const std::optional<Seance> seance = base.seance(id);
        if (reprise.essais_non_enregistres == 0 || !seance)
            continue;
        reprise.seance = *seance;
        QSet<QString> vus;
        for (const ElementChronologie &element : reprise.chronologie) {
            const QString uuid = std::visit([](const auto &e) { return e.participant; }, element);
            if (uuid.isEmpty() || vus.contains(uuid))
                continue;
            vus.insert(uuid);
            if (std::optional<Participant> p = base.participant(uuid))
                reprise.participants << *p;
        }
        reprises << std::move(reprise);
    }
    return reprises;
}

std::optional<SeanceAReprendre> seance_a_reprendre(BaseEssais &base, const QString &poste,
                                                   const QString &repertoire, qint64 exclue)
{
    QVector<SeanceAReprendre> reprises = seances_a_reprendre(base, poste, repertoire, exclue);
    if (reprises.isEmpty())
        return std::nullopt;
    return reprises.takeFirst();
}

QVector<qint64> seances_de(BaseEssais &base, qint64 seance)
{
    QVector<qint64> ids;
    QVector<qint64> a_voir = { seance };
    while (!a_voir.isEmpty()) {
        const qint64 id = a_voir.takeLast();
        if (ids.contains(id))
            continue;
        ids << id;
        for (const Evenement &e : base.evenements(id))
            if (e.nature == NatureEvenement::reprise)
                a_voir << e.seance_reprise;
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace fantrel::base
