#include "engine3d/mesure_rafraichissement.h"

#include <algorithm>
#include <cmath>

namespace fantrel::engine3d {

namespace {

// The first frames after an idle view may return before their refresh (an empty swap
// queue): not counted.
constexpr int images_d_amorce = 2;
// A step of the measurement that begins later than this after the last frame (or a
// quarter of the tight interval) was held up by the event loop.
constexpr Duree retard_tolere_min = std::chrono::microseconds(500);
// A measurement that cannot gather its intervals concludes with what it has.
constexpr int images_max = 600;
// Tight and spaced intervals before deciding whether there is a refresh.
constexpr std::size_t serres_pour_decider = 4;
constexpr std::size_t espaces_pour_decider = 4;
// A spaced interval within this fraction of a whole number of tight ones is paced.
constexpr double tolerance_multiple = 0.2;
// Paced intervals vary by less than this share of the period (a real refresh varies
// by microseconds; a software swap by a good part of its length).
constexpr double dispersion_relative_max = 0.1;
// No monitor refreshes faster or slower.
constexpr Duree periode_min = std::chrono::microseconds(1500);
constexpr Duree periode_max = std::chrono::milliseconds(100);

Duree ecart_median(const std::vector<Duree> &durees, Duree centre)
{
    std::vector<Duree> ecarts;
    ecarts.reserve(durees.size());
    for (Duree d : durees)
        ecarts.push_back(d >= centre ? d - centre : centre - d);
    return mediane(std::move(ecarts));
}

} // namespace

Duree mediane(std::vector<Duree> durees)
{
    if (durees.empty())
        return Duree::zero();
    const auto milieu = durees.begin() + std::ptrdiff_t(durees.size() / 2);
    std::nth_element(durees.begin(), milieu, durees.end());
    return *milieu;
}

Duree MesureRafraichissement::pause_avant_image()
{
    m_prochaine_espacee = !m_rythme && !m_derniere_espacee && m_serres.size() >= 2
            && m_espaces.size() < espaces_pour_decider;
    return m_prochaine_espacee ? mediane(m_serres) / 2 : Duree::zero();
}

// A frame whose step began late waited for the event loop, not for the display: its
// interval is not counted, nor the next one (an idle display queue may let the late
// frame's swap return before its refresh).
void MesureRafraichissement::ajoute(Horloge::time_point horodatage, Horloge::time_point debut)
{
    if (m_terminee)
        return;
    const Duree tolerance = std::max(retard_tolere_min, mediane(m_serres) / 4);
    if (!m_derniere || debut - *m_derniere > tolerance)
        m_a_ecarter = images_d_amorce;
    const bool compte = m_a_ecarter == 0;
    if (m_a_ecarter > 0)
        --m_a_ecarter;
    if (compte)
        (m_prochaine_espacee ? m_espaces : m_serres).push_back(horodatage - *m_derniere);
    m_derniere = horodatage;
    m_derniere_espacee = compte && m_prochaine_espacee;
    m_prochaine_espacee = false;
    if (++m_images >= images_max)
        conclut(m_rythme.value_or(false) && m_serres.size() >= serres_pour_decider);
    else
        decide();
}

void MesureRafraichissement::decide()
{
    if (!m_rythme) {
        if (m_serres.size() < serres_pour_decider || m_espaces.size() < espaces_pour_decider)
            return;
        const Duree serre = mediane(m_serres);
        const Duree espace = mediane(m_espaces);
        const double rapport =
                serre > Duree::zero() ? double(espace.count()) / double(serre.count()) : 0.0;
        const bool multiple = rapport >= 1 - tolerance_multiple
                && std::abs(rapport - std::round(rapport)) <= tolerance_multiple;
        m_rythme = multiple && serre >= periode_min && serre <= periode_max;
        if (!*m_rythme)
            conclut(false);
        return;
    }
    if (m_serres.size() >= std::size_t(intervalles_periode))
        conclut(true);
}

void MesureRafraichissement::conclut(bool rythme)
{
    m_terminee = true;
    m_resultat.mesure = true;
    m_resultat.mediane = mediane(m_serres);
    m_resultat.dispersion = ecart_median(m_serres, m_resultat.mediane);
    m_resultat.intervalles = int(m_serres.size());
    const bool regulier = double(m_resultat.dispersion.count())
            <= dispersion_relative_max * double(m_resultat.mediane.count());
    if (rythme && regulier)
        m_resultat.periode = m_resultat.mediane;
}

} // namespace fantrel::engine3d
