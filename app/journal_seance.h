// The session kept in the trial database fantrel.sqlite of the working folder: every
// trial as it is answered, the events that change the results table or record, a
// clean quit; at start-up, the previous session left unsaved, to be replayed. Trials
// run whatever the base does: its troubles come out as one message per episode.
#pragma once
#include "base/donnees_essais.h"
#include "trials/compte_rendu_essai.h"
#include <QObject>
#include <memory>
#include <optional>

namespace fantrel::base {
class EnregistreurEssais;
}
namespace fantrel::trials {
class MesureSeuil;
}
namespace fantrel::results {
class TableauResultats;
}

namespace fantrel::app {

class JournalSeance : public QObject
{
    Q_OBJECT
public:
    // The trials are filed under the table's current row.
    explicit JournalSeance(const results::TableauResultats &tableau, QObject *parent = nullptr);
    ~JournalSeance() override; // a clean quit

    // Opens (or creates) the base of the working folder; returns the session of this
    // station and folder left with answered trials never saved nor followed by a
    // clean quit, if any.
    std::optional<base::SeanceAReprendre> ouvre(const QString &repertoire);
    // This run's session: the settings' 17 lines, the screen's refresh, the timers'
    // priority.
    void commence(const QStringList &parametres, std::optional<double> rafraichissement_hz,
                  const QString &priorite);
    // The refresh and the priority as known later (the refresh is measured once the
    // window is on screen, the timer thread asks for its priority as it starts).
    void precise(std::optional<double> rafraichissement_hz, const QString &priorite);
    // While an earlier session is replayed, nothing is recorded.
    void suspend(bool suspendu) { m_suspendu = suspendu; }

    void note_essai(const fantrel::trials::CompteRenduEssai &rendu);
    void note_evenement(const base::Evenement &evenement);

    // The base's file, and this session's id in it (0 before it is written).
    QString chemin_base() const;
    qint64 seance() const;

signals:
    // "Les essais ne sont plus enregistrés dans la base : …", once per episode.
    void enregistrement_arrete(const QString &message);

private:
    const results::TableauResultats &m_tableau;
    std::unique_ptr<base::EnregistreurEssais> m_enregistreur;
    bool m_suspendu = false;
};

// A threshold applied: the method, trials, threshold, interval, k and the exposure set.
base::Evenement calibration_de(const trials::MesureSeuil &mesure, int exposition_ms,
                               int utilisateur);

// A trial's report as a row of the base, filed under row `utilisateur` named `nom`.
base::Essai essai_de(const trials::CompteRenduEssai &rendu, int utilisateur, const QString &nom);

} // namespace fantrel::app
