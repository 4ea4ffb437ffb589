#include "engine3d/horloge_affichage.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace fantrel::engine3d {

namespace {

// Swap times kept for their median.
constexpr std::size_t echanges_retenus = 15;
// Sleeping wakes up late by up to this much; the rest is spent polling.
constexpr auto marge_sommeil = std::chrono::microseconds(1500);
// How early the timer of a frame fires without a refresh.
constexpr Duree avance_reveil = std::chrono::milliseconds(1);

double en_periodes(Duree d, Duree periode)
{
    return double(d.count()) / double(periode.count());
}

} // namespace

int images_pour_duree(Duree exposition, Duree periode)
{
    if (periode <= Duree::zero())
        return 1;
    return std::max(1, int(std::lround(en_periodes(exposition, periode))));
}

Duree duree_des_images(int images, Duree periode)
{
    return images * periode;
}

Horloge::time_point echeance_remise(Horloge::time_point horodatage, int images, Duree periode)
{
    return horodatage + images * periode - periode / 2;
}

int images_entre(Horloge::time_point avant, Horloge::time_point apres, Duree periode)
{
    if (periode <= Duree::zero())
        return 0;
    return int(std::lround(en_periodes(apres - avant, periode)));
}

void attend_jusqu_a(Horloge::time_point moment)
{
    if (moment - Horloge::now() > marge_sommeil)
        std::this_thread::sleep_until(moment - marge_sommeil);
    while (Horloge::now() < moment)
        std::this_thread::yield();
}

const ImagePresentee &HorlogeAffichage::note_image(Horloge::time_point remise,
                                                   Horloge::time_point fin_echange,
                                                   Horloge::time_point horodatage, int voulues,
                                                   bool compte, bool au_retour)
{
    ImagePresentee image{ horodatage, remise, std::max(0, voulues), 0, 0 };
    Horloge::time_point phase = horodatage;
    if (m_a_une_image && m_rafraichissement.periode) {
        const Duree periode = *m_rafraichissement.periode;
        // The first refresh after the handover, on the grid of the previous frame. Only a
        // frame due on a set refresh is checked: its previous frame is a few periods
        // old, so the grid has not drifted (after a long idle time it may have).
        const int apres = std::max(1, int(std::ceil(en_periodes(remise - m_phase, periode))));
        const Horloge::time_point visee = m_phase + apres * periode;
        image.douteuse = au_retour && image.images_voulues > 0 && horodatage < visee - periode / 4;
        if (image.douteuse)
            phase = visee;
        image.images = images_entre(m_phase, horodatage, periode);
        if (compte) {
            image.manquees = manquees(image, m_phase);
            if (image.images_voulues > 0)
                image.en_avance = std::max(0, image.images_voulues - image.images);
        }
    }
    if (compte) {
        m_manquees_total += image.manquees;
        m_echanges.push_back(fin_echange - remise);
        if (m_echanges.size() > echanges_retenus)
            m_echanges.pop_front();
    }
    m_derniere = image;
    m_phase = phase;
    m_a_une_image = true;
    return m_derniere;
}

// A frame presented at once is due on the first refresh after its swap was handed
// over, on the grid of refreshes the previous frame came on.
int HorlogeAffichage::manquees(const ImagePresentee &image, Horloge::time_point precedente) const
{
    const Duree periode = *m_rafraichissement.periode;
    int due = image.images_voulues;
    if (due == 0)
        due = std::max(1, int(std::ceil(en_periodes(image.remise - precedente, periode))));
    return std::max(0, image.images - due);
}

Duree HorlogeAffichage::duree_echange() const
{
    return mediane(std::vector<Duree>(m_echanges.begin(), m_echanges.end()));
}

PlanPresentation HorlogeAffichage::planifie(Duree exposition) const
{
    exposition = std::max(exposition, Duree::zero());
    const Horloge::time_point depuis = m_a_une_image ? m_phase : Horloge::now();
    if (const auto &periode = m_rafraichissement.periode)
        return planifie_images(images_pour_duree(exposition, *periode));
    const Horloge::time_point remise = depuis + exposition - duree_echange();
    return { 0, exposition, remise, remise - avance_reveil };
}

PlanPresentation HorlogeAffichage::planifie_images(int images) const
{
    const Horloge::time_point depuis = m_a_une_image ? m_phase : Horloge::now();
    if (const auto &periode = m_rafraichissement.periode) {
        const int n = std::max(1, images);
        const Horloge::time_point remise = echeance_remise(depuis, n, *periode);
        return { n, duree_des_images(n, *periode), remise, remise - *periode / 4 };
    }
    return { 0, Duree::zero(), depuis, depuis };
}

} // namespace fantrel::engine3d
