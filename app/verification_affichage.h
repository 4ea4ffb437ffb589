// "Options › Vérifier l'affichage…": N flashes of the test in use, with its settings and
// its list, in the main view, each timed as a trial times its word (the next frame drawn
// ahead and presented on the refresh its plan names); what each flash's stamps say is
// kept, judged, and summed up for the report. Widget-free: the runner drives the view
// through trials::AffichageEssai, so tests drive it too.
#pragma once
#include "base/donnees_verification.h"
#include "platform/champ_csv.h"
#include "trials/affichage_essai.h"
#include <QObject>
#include <QVector>

class QTimer;

namespace fantrel::trials {
class EssaiKorvane;
class EssaiMorbelle;
struct EtatPartage;
} // namespace fantrel::trials

namespace fantrel::app {

// One shown step of a flash: its text, for how long.
struct PhaseFlash
{
    QString texte;
    int ms = 0;
};

// What a check shows: the phases before the word, the word's, those after, then the
// text that stands between flashes (the first paradigm's mask; nothing for the second).
struct PlanVerification
{
    QString test; // "korvane" or "morbelle"
    int flashs = 200;
    QStringList mots; // taken in turn; the flash's word
    QVector<PhaseFlash> avant; // the second paradigm's first mask
    int exposition_ms = 30; // the word's
    QVector<PhaseFlash> apres; // the blank and the second mask
    QString entre; // stands before the first flash and after each
};

// The verdict of a flash from its word's frame and the frame that replaced it: "douteux"
// (a stamp not to be trusted), "manque" (a flip came late), "court", "long", "exact".
// Without a refresh (images 0), the measured against the planned duration, to 1 ms.
QString verdict_flash(const trials::ImageMontree &mot, const trials::ImageMontree &suivante,
                      int images_prevues, double prevue_ms, double mesuree_ms);

struct BilanVerification
{
    int exacts = 0, courts = 0, longs = 0, manques = 0, douteux = 0;
    QList<int> numeros_fautifs; // the flashes not exact, in order
};
BilanVerification bilan_verification(const QVector<base::FlashVerification> &flashs);

// The histogram of measured exposures, rounded to the ms: (ms, flashes) ascending; the
// planned exposure's bin is always there, empty if need be.
QVector<QPair<int, int>> histogramme_expositions(const QVector<base::FlashVerification> &flashs,
                                                 double prevue_ms);

// The flashes as CSV (header, then one row each), in the form asked.
QStringList lignes_csv_verification(const QVector<base::FlashVerification> &flashs,
                                    platform::FormeCsv forme = platform::FormeCsv::r_pandas);

// The check of the test in use with its settings and its list: the second paradigm's
// chain when it is chosen, else the first's word between its masks (the musical test
// flashes no word: the first paradigm's settings stand for it).
PlanVerification plan_verification(const trials::EtatPartage &etat,
                                   const trials::EssaiKorvane &korvane,
                                   const trials::EssaiMorbelle &morbelle, int flashs = 200);

class VerificationAffichage : public QObject
{
    Q_OBJECT
public:
    explicit VerificationAffichage(trials::AffichageEssai &affichage, QObject *parent = nullptr);

    // Starts a check (one at a time: ignored while one runs). The flashes follow one
    // another from the event loop, so that Escape is seen between two.
    void demarre(const PlanVerification &plan);
    // Escape: no further flash; the report holds those made.
    void arrete();
    bool en_cours() const { return m_en_cours; }

    const PlanVerification &plan() const { return m_plan; }
    const QVector<base::FlashVerification> &flashs() const { return m_flashs; }
    bool interrompue() const { return m_interrompue; }
    // The planned exposure as the screen shows it, in ms (the last flash's plan).
    double prevue_ms() const { return m_prevue_ms; }

    // Between two flashes (ms): the view's repaints and the event loop run meanwhile.
    int pause_ms = 40;

signals:
    void commencee(); // the first flash is due
    void mot_flashe(const QString &mot); // before each flash: its word (the photodiode's)
    void terminee(); // every flash made, or stopped

private:
    void flash_suivant();
    void fait_flash();

    trials::AffichageEssai &m_affichage;
    QTimer *m_minuteur = nullptr;
    PlanVerification m_plan;
    QVector<base::FlashVerification> m_flashs;
    double m_prevue_ms = 0;
    bool m_en_cours = false;
    bool m_interrompue = false;
};

} // namespace fantrel::app
