// The session kept in the trial database fantrel.sqlite of the working folder: every
// trial as it is answered, the events that change the results table or record, the
// participants the table's rows stand for, a clean quit; at start-up, the earlier
// sessions left unsaved, to be replayed, and the rescue files to import. Trials run
// whatever the base does: its troubles come out as one message per episode.
#pragma once
#include "base/donnees_essais.h"
#include "results/tableau_resultats.h"
#include "base/donnees_verification.h"
#include "trials/compte_rendu_essai.h"
#include <QHash>
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

// What the session row says of the run beyond its settings.
struct IdentiteSeance
{
    QString station; // fantrel.ini's, else the machine's name
    QString graine; // the random generator's seed
    QStringList reprise_de; // UUIDs of the sessions replayed into this one
};

class JournalSeance : public QObject
{
    Q_OBJECT
public:
    // The trials are filed under the table's current row and its participant.
    explicit JournalSeance(const results::TableauResultats &tableau, QObject *parent = nullptr);
    ~JournalSeance() override; // a clean quit; trials still waiting go to a rescue file

    // Opens (or creates) the base of the working folder; returns the sessions of this
    // station and folder left with answered trials never saved nor followed by a clean
    // quit, the oldest first.
    QVector<base::SeanceAReprendre> ouvre(const QString &repertoire);
    QVector<base::SeanceAReprendre> seances_a_reprendre(); // the same, asked again
    // The rescue files beside the base, and one of them put into it (trials added).
    // importe throws ErreurExecution when the file or the base fails.
    QStringList fichiers_secours() const;
    int importe(const QString &fichier);
    // This run's session: the settings' 17 lines, the screen's refresh, the timers'
    // priority (kept from precise() when unknown here), who and what it is.
    void commence(const QStringList &parametres, std::optional<double> rafraichissement_hz,
                  const QString &priorite, const IdentiteSeance &identite);
    // The refresh and the priority as known later (the refresh is measured once the
    // window is on screen, the timer thread asks for its priority as it starts).
    void precise(std::optional<double> rafraichissement_hz, const QString &priorite,
                 const QString &methode_horodatage);
    // While an earlier session is replayed, nothing is recorded and no participant made.
    void suspend(bool suspendu) { m_suspendu = suspendu; }
    // After a replay: the rows take back their participants (row → UUID); rows left
    // without one get new participants.
    void adopte(const QHash<int, QString> &rangees, const QVector<base::Participant> &connus);

    void note_essai(const fantrel::trials::CompteRenduEssai &rendu);
    void note_evenement(const base::Evenement &evenement);
    // The table's changes: each new row is a new participant ("Nouvel utilisateur",
    // "Tout effacer", a results file's section); a rename changes the code only.
    void sur_utilisateur_cree(int n, results::OrigineUtilisateur origine);
    void sur_rangee_renommee(int n, const QString &nom, bool depuis_fichier);
    void sur_fichier_lu(const QString &chemin, const QStringList &lignes);
    // The user rows removed (a clear, a file read): their participants are done with.
    void oublie_rangees() { m_participants.clear(); }

    // "Fiche du participant…": the current row's participant, and its form changed
    // (the code is the row's name: rename the row for it).
    base::Participant participant_courant() const;
    void modifie_fiche(const base::Participant &fiche);

    // At quit, before the error boxes go: a clean quit recorded; returns the rescue
    // file written for trials the base still refused (empty when none). Once only.
    QString termine();
    // A display check's flashes into the table verifications, under this session, at
    // once (not in a timed path); a failure is shown and the check is not kept.
    void note_verification(const QVector<base::FlashVerification> &flashs);

    // The base's file, and this session's id in it (0 before it is written).
    QString chemin_base() const;
    qint64 seance() const;

signals:
    // "Les essais ne sont plus enregistrés dans la base : …", once per episode.
    void enregistrement_arrete(const QString &message);

private:
    base::Participant &participant_de(int n); // made on first need
    void ecrit(const base::Participant &participant);

    const results::TableauResultats &m_tableau;
    std::unique_ptr<base::EnregistreurEssais> m_enregistreur;
    QHash<int, base::Participant> m_participants; // by row
    QString m_station;
    std::optional<double> m_rafraichissement; // as last learnt
    QString m_priorite, m_methode; // as last learnt
    bool m_suspendu = false;
    bool m_termine = false;
};

// A threshold applied: the method, trials, threshold, interval, k and the exposure set.
base::Evenement calibration_de(const trials::MesureSeuil &mesure, int exposition_ms,
                               int utilisateur);

// A trial's report as a row of the base, filed under row `utilisateur` named `nom`.
base::Essai essai_de(const trials::CompteRenduEssai &rendu, int utilisateur, const QString &nom);
// SHA-256 (hex) of the settings' lines, each followed by CR LF, in UTF-8.
QString empreinte_reglages(const QStringList &parametres);

} // namespace fantrel::app
