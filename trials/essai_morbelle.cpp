#include "trials/essai_morbelle.h"
#include "platform/minuteur_hr.h"
#include <algorithm>

namespace fantrel::trials {

EssaiMorbelle::EssaiMorbelle(EtatPartage &etat, AffichageEssai &affichage, QObject *parent)
    : EssaiMots(etat, affichage, parent)
{
    auto minuteur = [this](const char *nom, quint16 intervalle, void (EssaiMorbelle::*fin)()) {
        auto *m = new platform::MinuteurHR(this);
        m->setObjectName(QString::fromLatin1(nom));
        m->definir_intervalle(intervalle);
        connect(m, &platform::MinuteurHR::echeance, this, fin);
        return m;
    };
    Async_masque1 = minuteur("Async_masque1", 67, &EssaiMorbelle::Async_masque1Timer);
    Async_mot = minuteur("Async_mot", 33, &EssaiMorbelle::Async_motTimer);
    Async_blanc = minuteur("Async_blanc", 33, &EssaiMorbelle::Async_blancTimer);
    Async_masque2 = minuteur("Async_masque2", 67, &EssaiMorbelle::Async_masque2Timer);
}

void EssaiMorbelle::definir_masques(const QString &masque1, const QString &masque2)
{
    m_masque1_saisi = masque1;
    m_masque2_saisi = masque2;
    // Until a trial cuts them, the masks of the run are those typed.
    m_etat.masque1 = masque1;
    m_etat.masque2 = masque2;
}

void EssaiMorbelle::definir_duree(int phase, int ms)
{
    if (phase >= 0 && phase < nb_phases)
        minuteurs()[std::size_t(phase)]->definir_intervalle(quint16(std::clamp(ms, 0, 65535)));
}

std::array<platform::MinuteurHR *, nb_phases> EssaiMorbelle::minuteurs() const
{
    return { Async_masque1, Async_mot, Async_blanc, Async_masque2 };
}

DureesPhases EssaiMorbelle::durees_reglees() const
{
    DureesPhases d{};
    const auto m = minuteurs();
    for (std::size_t k = 0; k < d.size(); ++k)
        d[k] = m[k]->intervalle();
    return d;
}

QString EssaiMorbelle::texte(int phase) const
{
    return texte_phase(phase, m_etat.masque1, m_etat.mot_morbelle, m_etat.masque2);
}

void EssaiMorbelle::lance_affichage(const QString &)
{
    m_affichage.pose_texte(QString());
    BitBtn5Click();
    demande_reponse();
}

void EssaiMorbelle::arrete_affichage()
{
    for (platform::MinuteurHR *m : minuteurs())
        m->definir_actif(false);
    m_chaine_en_cours = false;
}

void EssaiMorbelle::BitBtn5Click()
{
    const qsizetype l = m_etat.masque.size();
    m_etat.masque1 = m_masque1_saisi.left(l);
    m_etat.masque2 = m_masque2_saisi.left(l);
    m_etat.mot_morbelle = m_etat.mots[std::size_t(m_etat.rang_mot)];
    for (const QString &t : { m_etat.masque1, m_etat.mot_morbelle, m_etat.masque2 })
        m_affichage.prepare_texte(t);
    m_images_phases = {};
    m_images_prevues_mot = 0;
    m_chaine_en_cours = true;
    phase_chaine(nullptr, 0);
}

// Ends the phase timed by fin (if any) and shows phase `suivante`: the first one at
// once, each later one as the previous phase's plan says (its frame drawn ahead and
// swapped in when due, as the first paradigm's mask is), so every phase is timed from
// the moment it is on screen.
void EssaiMorbelle::phase_chaine(platform::MinuteurHR *fin, int suivante)
{
    if (fin)
        fin->definir_actif(false);
    const DureesPhases d = durees_reglees();
    const int k = phase_montree(d, suivante);
    const QString montre = k == nb_phases ? QString() : texte(k);
    if (fin)
        m_affichage.presente(montre, m_plan);
    else
        m_affichage.affich_texte(montre);
    if (k == nb_phases) {
        mesure_phases(m_affichage.derniere_image());
        m_chaine_en_cours = false;
        affichage_mesure();
        return;
    }
    m_images_phases[std::size_t(k)] = m_affichage.derniere_image();
    m_plan = m_affichage.planifie(std::chrono::milliseconds(d[std::size_t(k)]));
    if (k == 1)
        m_images_prevues_mot = m_plan.images;
    minuteurs()[std::size_t(k)]->definir_echeance(m_plan.reveil);
    m_affichage.prepare_affichage(texte(phase_montree(d, k + 1)));
}

// Each shown phase lasted from its frame to the next shown one; a skipped phase 0.
void EssaiMorbelle::mesure_phases(const ImageMontree &fin)
{
    std::array<double, nb_phases> durees{};
    const ImageMontree *apres = &fin;
    for (int k = nb_phases - 1; k >= 0; --k) {
        if (const auto &image = m_images_phases[std::size_t(k)]) {
            durees[std::size_t(k)] = ms_entre(*image, *apres);
            apres = &*image;
        }
    }
    m_rendu.phases_mesurees_ms = durees;
    m_rendu.exposition_ms = Async_mot->intervalle();
    m_rendu.exposition_mesuree_ms = durees[1];
    // Frames of the word's phase: counted on the frame that replaced it.
    if (m_images_phases[1]) {
        const int suivante = phase_montree(durees_reglees(), 2);
        const ImageMontree &remplacante =
                suivante < nb_phases && m_images_phases[std::size_t(suivante)]
                ? *m_images_phases[std::size_t(suivante)]
                : fin;
        if (remplacante.images > 0)
            note_images(*m_images_phases[1], remplacante, m_images_prevues_mot);
    }
}

void EssaiMorbelle::Async_masque1Timer()
{
    phase_chaine(Async_masque1, 1);
}

void EssaiMorbelle::Async_motTimer()
{
    phase_chaine(Async_mot, 2);
}

void EssaiMorbelle::Async_blancTimer()
{
    phase_chaine(Async_blanc, 3);
}

void EssaiMorbelle::Async_masque2Timer()
{
    phase_chaine(Async_masque2, 4);
}

} // namespace fantrel::trials
