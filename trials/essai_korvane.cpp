#include "trials/essai_korvane.h"
#include "trials/mesure_seuil.h"
#include "platform/interactions.h"
#include "platform/minuteur_hr.h"
#include <utility>

namespace fantrel::trials {

namespace {
constexpr int attente_avant_flash_ms = 1000;
}

EssaiKorvane::EssaiKorvane(EtatPartage &etat, AffichageEssai &affichage, QObject *parent)
    : EssaiMots(etat, affichage, parent)
{
    AsyncTimer2 = new platform::MinuteurHR(this);
    AsyncTimer2->setObjectName(QStringLiteral("AsyncTimer2"));
    AsyncTimer2->definir_intervalle(30);
    connect(AsyncTimer2, &platform::MinuteurHR::echeance, this, &EssaiKorvane::AsyncTimer2Timer);
}

int EssaiKorvane::exposition_ms() const
{
    return AsyncTimer2->intervalle();
}

QString EssaiKorvane::priorite_minuteur() const
{
    return AsyncTimer2->priorite();
}

void EssaiKorvane::lance_affichage(const QString &montre)
{
    // A threshold run's level for this trial only; the setting comes back after it.
    if (en_mesure()) {
        m_intervalle_reglage = AsyncTimer2->intervalle();
        AsyncTimer2->definir_intervalle(quint16(m_mesure->exposition_ms()));
    }
    m_affichage.affich_texte(montre);
    m_image_mot = m_affichage.derniere_image();
    lance_exposition();
}

void EssaiKorvane::arrete_affichage()
{
    AsyncTimer2->definir_actif(false);
    if (const auto reglage = std::exchange(m_intervalle_reglage, std::nullopt))
        AsyncTimer2->definir_intervalle(*reglage);
    m_etat.essai_mire = false;
}

void EssaiKorvane::SpeedButton2Click()
{
    platform::attente(attente_avant_flash_ms);
    m_etat.essai_mire = true;
    m_affichage.affich_texte(QString::number(100 + m_etat.hasard.tirage(1000)));
    lance_exposition();
}

// Times the exposure from the word's presented frame: the mask's frame is drawn while
// the word stands and only swapped in when due — with a refresh, on the refresh a
// whole number of frames after the word; without one, so that the swap ends at the
// due time. At 0 ms the word stays for exactly one frame: the mask is the next frame.
void EssaiKorvane::lance_exposition()
{
    const int ms = AsyncTimer2->intervalle();
    if (ms == 0) {
        m_plan.reset();
        AsyncTimer2Timer();
        return;
    }
    m_plan = m_affichage.planifie(std::chrono::milliseconds(ms));
    AsyncTimer2->definir_echeance(m_plan->reveil);
    m_affichage.prepare_affichage(m_etat.masque);
}

void EssaiKorvane::AsyncTimer2Timer()
{
    if (m_plan)
        m_affichage.presente(m_etat.masque, *m_plan);
    else
        m_affichage.affich_texte(m_etat.masque);
    AsyncTimer2->definir_actif(false);
    const std::optional<quint16> reglage = std::exchange(m_intervalle_reglage, std::nullopt);
    if (!m_etat.essai_mire) {
        const ImageMontree masque = m_affichage.derniere_image();
        m_rendu.exposition_ms = AsyncTimer2->intervalle();
        if (reglage)
            AsyncTimer2->definir_intervalle(*reglage);
        m_rendu.exposition_mesuree_ms = ms_entre(m_image_mot, masque);
        if (masque.images > 0)
            note_images(m_image_mot, masque, m_plan ? m_plan->images : 1);
    }
    demande_reponse();
}

} // namespace fantrel::trials
