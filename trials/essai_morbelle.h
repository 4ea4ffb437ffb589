// The second masked-word paradigm: a chain of four timed phases — mask 1, the word,
// a blank, mask 2 — each on a timer of its own, then an empty text. The answer
// controls are offered 1000 ms after the chain starts, whatever its length.
#pragma once
#include "trials/chaine_phases.h"
#include "trials/essai_mots.h"
#include <array>
#include <optional>

namespace fantrel::platform {
class MinuteurHR;
}

namespace fantrel::trials {

class EssaiMorbelle : public EssaiMots
{
    Q_OBJECT
public:
    EssaiMorbelle(EtatPartage &etat, AffichageEssai &affichage, QObject *parent = nullptr);

    // The phases' timers: 67, 33, 33 and 67 ms until the settings say otherwise.
    platform::MinuteurHR *Async_masque1 = nullptr;
    platform::MinuteurHR *Async_mot = nullptr;
    platform::MinuteurHR *Async_blanc = nullptr;
    platform::MinuteurHR *Async_masque2 = nullptr;

    // The masks as typed in the settings; each trial cuts them to the first
    // paradigm's mask length.
    void definir_masques(const QString &masque1, const QString &masque2);
    // The duration of phase k (0..3), in ms.
    void definir_duree(int phase, int ms);

    // Starts the chain for the current pair's shown word.
    void BitBtn5Click();

public slots:
    void Async_masque1Timer();
    void Async_motTimer();
    void Async_blancTimer();
    void Async_masque2Timer();

protected:
    TestEssai test() const override { return TestEssai::morbelle; }
    bool affichage_fini() const override { return !m_chaine_en_cours; }
    void lance_affichage(const QString &montre) override;
    void arrete_affichage() override; // the chain cut where it stands

private:
    std::array<platform::MinuteurHR *, nb_phases> minuteurs() const;
    DureesPhases durees_reglees() const;
    QString texte(int phase) const;
    void phase_chaine(platform::MinuteurHR *fin, int suivante);
    // The chain is over: the phases' measured durations into the trial's report.
    void mesure_phases(const ImageMontree &fin);

    bool m_chaine_en_cours = false;
    PlanAffichage m_plan; // the next phase's frame
    int m_images_prevues_mot = 0; // refreshes planned for the word's phase
    // The frame of each phase shown, for the measured durations.
    std::array<std::optional<ImageMontree>, nb_phases> m_images_phases;

    QString m_masque1_saisi = QStringLiteral("&&&&&&&&&&&");
    QString m_masque2_saisi = QStringLiteral("############");
};

} // namespace fantrel::trials
