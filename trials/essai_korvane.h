// The first masked-word paradigm: the word replaces the standing mask for the
// exposure set on AsyncTimer2 (1 ms steps), then the mask comes back and the answer
// controls are offered. Also the "test" flash of the settings panel: a random
// number, no answer asked.
#pragma once
#include "trials/essai_mots.h"
#include <optional>

namespace fantrel::platform {
class MinuteurHR;
}

namespace fantrel::trials {

class EssaiKorvane : public EssaiMots
{
    Q_OBJECT
public:
    EssaiKorvane(EtatPartage &etat, AffichageEssai &affichage, QObject *parent = nullptr);

    // The exposure: 30 ms until the settings say otherwise; 0 shows the word for one frame.
    platform::MinuteurHR *AsyncTimer2 = nullptr;

    int exposition_ms() const; // AsyncTimer2's interval
    QString priorite_minuteur() const; // what AsyncTimer2's thread obtained, once asked

    // The "test" button: after the wait, a number from 100 to 1099 flashed as a word is.
    void SpeedButton2Click();

public slots:
    // The exposure is over: the mask back, the answer controls asked for.
    void AsyncTimer2Timer();

protected:
    TestEssai test() const override { return TestEssai::korvane; }
    void lance_affichage(const QString &montre) override;
    void arrete_affichage() override; // a "test" flash too

private:
    void lance_exposition();

    ImageMontree m_image_mot; // the word's frame, for the measured exposure
    std::optional<PlanAffichage> m_plan; // the mask's frame, when the word is timed
    std::optional<quint16> m_intervalle_reglage; // the setting, while a run's level is shown
};

} // namespace fantrel::trials
