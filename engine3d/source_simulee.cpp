#include "engine3d/source_simulee.h"

#include "engine3d/horloge_affichage.h"

#include <QStringList>
#include <QtGlobal>

#include <cmath>
#include <cstdint>

namespace fantrel::engine3d {

namespace {

Duree en_duree(double ms)
{
    return std::chrono::duration_cast<Duree>(std::chrono::duration<double, std::milli>(ms));
}

// "rang" or "rangxN".
bool lit_manques(const QString &texte, std::map<long long, int> &manques)
{
    for (const QString &element : texte.split(u',')) {
        const QStringList parties = element.trimmed().split(u'x');
        bool ok_rang = false, ok_nombre = true;
        const long long rang = parties.value(0).toLongLong(&ok_rang);
        const int nombre = parties.size() > 1 ? parties[1].toInt(&ok_nombre) : 1;
        if (!ok_rang || !ok_nombre || parties.size() > 2 || rang < 0 || nombre < 1)
            return false;
        manques[rang] = nombre;
    }
    return true;
}

bool lit_option(const QString &option, ReglageSimulation &reglage)
{
    const qsizetype egal = option.indexOf(u'=');
    const QString nom = option.left(egal).trimmed();
    const QString valeur = option.mid(egal + 1).trimmed();
    if (egal < 0)
        return false;
    if (nom == u"manques")
        return lit_manques(valeur, reglage.manques);
    if (nom == u"precoces")
        return lit_manques(valeur, reglage.precoces);
    bool ok = false;
    const double ms = valeur.toDouble(&ok);
    if (!ok || !std::isfinite(ms) || ms < 0)
        return false;
    if (nom == u"gigue")
        reglage.gigue = en_duree(ms);
    else if (nom == u"phase")
        reglage.phase = en_duree(ms);
    else
        return false;
    return true;
}

// A value in [-1, 1] that depends on k alone (splitmix64).
double hasard_de(long long k)
{
    std::uint64_t x = std::uint64_t(k) + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    return double(x >> 11) * 0x1.0p-52 - 1.0;
}

} // namespace

std::optional<ReglageSimulation> lit_reglage_simulation(const QString &texte)
{
    const QStringList parties = texte.split(u';');
    ReglageSimulation reglage;
    bool ok = false;
    reglage.frequence_hz = parties[0].trimmed().toDouble(&ok);
    if (!ok || !(reglage.frequence_hz >= 10 && reglage.frequence_hz <= 1000))
        return std::nullopt;
    for (qsizetype i = 1; i < parties.size(); ++i)
        if (!lit_option(parties[i], reglage))
            return std::nullopt;
    if (4 * reglage.gigue.count() >= en_duree(1000 / reglage.frequence_hz).count())
        return std::nullopt;
    return reglage;
}

std::optional<ReglageSimulation> reglage_simulation_environnement()
{
    const QString texte = qEnvironmentVariable("FANTREL_RAFRAICHISSEMENT_SIMULE");
    if (texte.isEmpty())
        return std::nullopt;
    auto reglage = lit_reglage_simulation(texte);
    if (!reglage)
        qWarning("engine3d : FANTREL_RAFRAICHISSEMENT_SIMULE=%s illisible, affichage réel",
                 qPrintable(texte));
    return reglage;
}

SourceSimulee::SourceSimulee(ReglageSimulation reglage, Horloge::time_point creation)
    : m_reglage(std::move(reglage)),
      m_periode(en_duree(1000 / m_reglage.frequence_hz)),
      m_origine(creation + m_reglage.phase % m_periode)
{
}

Horloge::time_point SourceSimulee::rafraichissement(long long k) const
{
    const auto gigue = Duree(std::llround(double(m_reglage.gigue.count()) * hasard_de(k)));
    return m_origine + k * m_periode + gigue;
}

// The jitter stays below a quarter period: refreshes keep their order.
long long SourceSimulee::premier_apres(Horloge::time_point moment) const
{
    long long k = (moment - m_origine) / m_periode - 1;
    if (moment < m_origine)
        k -= 1;
    while (rafraichissement(k) <= moment)
        ++k;
    return k;
}

Horloge::time_point SourceSimulee::horodate(Horloge::time_point remise, Horloge::time_point,
                                            int voulues)
{
    long long k = premier_apres(remise);
    if (m_dernier && k <= *m_dernier)
        k = *m_dernier + 1;
    m_derniere_marge.reset();
    if (m_dernier && voulues > 0) {
        const long long due = *m_dernier + voulues;
        m_derniere_marge = rafraichissement(due) - remise;
        m_remises_tardives += k > due;
    }
    long long rang = m_flips;
    if (m_rang_prevu)
        rang = voulues > 0 ? ++*m_rang_prevu : -1;
    if (const auto manque = m_reglage.manques.find(rang); manque != m_reglage.manques.end())
        k += manque->second;
    m_au_retour = m_reglage.precoces.count(rang) > 0;
    ++m_flips;
    m_dernier = k;
    if (m_au_retour)
        return remise;
    const Horloge::time_point moment = rafraichissement(k);
    attend_jusqu_a(moment);
    return moment;
}

QString SourceSimulee::description() const
{
    return QStringLiteral("rafraîchissement simulé à %1 Hz").arg(m_reglage.frequence_hz);
}

} // namespace fantrel::engine3d
