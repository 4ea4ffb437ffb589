// Records the session's trials and events in the trial database as they happen, and
// keeps the trials running whatever the base does: a failure (base locked by another
// program, read-only file or folder, full disc, damaged file) is announced once per
// episode, what could not be written waits in memory, and every later call tries
// again and writes it all, in order, as soon as the base takes it.
#pragma once
#include "base/base_essais.h"
#include <QObject>

namespace fantrel::base {

class EnregistreurEssais : public QObject
{
    Q_OBJECT
public:
    // Opens (or creates) the base at once, so that the previous session can be looked
    // up before this one starts.
    explicit EnregistreurEssais(const QString &chemin, QObject *parent = nullptr);
    ~EnregistreurEssais() override;

    // At start-up, before commence_seance: the previous session to replay, if any
    // (none while the base cannot be read). NOTE: replaying it records no trial again:
    // record Evenement::reprise(its id) instead, once the replay is done.
    std::optional<SeanceAReprendre> seance_a_reprendre(const QString &poste,
                                                       const QString &repertoire);
    // Every such session, the oldest first (base::seances_a_reprendre).
    QVector<SeanceAReprendre> seances_a_reprendre(const QString &poste, const QString &repertoire);
    // A rescue file into the base (base::importe_secours); throws when the base is out
    // of service or the file unreadable.
    int importe_secours(const QString &fichier, const QString &poste, const QString &repertoire);

    // One call each, never throwing. Elements recorded before commence_seance wait for
    // it. An invalid time stamp is taken as now. NOTE: one session per recorder: a
    // second commence_seance is ignored.
    void commence_seance(const Seance &seance);
    void enregistre_essai(const Essai &essai);
    void enregistre_evenement(const Evenement &evenement);
    // A new participant, or a known one changed (same UUID): written before what
    // waits, again whenever it changes. An empty UUID is given one.
    void enregistre_participant(const Participant &participant);
    // At quit: what still waits is tried once more; trials that still cannot be written
    // go to a rescue file beside the base (secours_csv.h), whose path is returned (empty
    // when nothing was left). Throws ErreurExecution when even that file fails.
    QString sauve_en_secours();
    // The screen's refresh, how frames are stamped and the timers' priority, known after
    // the session began (the refresh is measured once the window is on screen); before
    // it, kept for it.
    void precise_seance(std::optional<double> rafraichissement_hz, const QString &priorite,
                        const QString &methode);

    bool en_service() const { return m_en_service; } // false from a failure to its mending
    qsizetype en_attente() const { return m_elements.size() - m_ecrits; } // lost if quitting now
    qint64 seance() const { return m_id_seance; } // the session's id, 0 until written
    const QString &chemin() const { return m_chemin; }

signals:
    // NOTE: both are emitted through the event loop, never from inside a call, so
    // that the error box does not open in the middle of a trial.
    // "Les essais ne sont plus enregistrés dans la base : " and the reason. A damaged
    // file is renamed aside and a new base started: the message names the file kept.
    void enregistrement_arrete(const QString &message);
    void enregistrement_retabli();

private:
    void avance();
    void ecrit_en_attente();
    QString met_de_cote(const ErreurBase &erreur);
    void annonce_arret(const QString &raison, bool toujours = false);
    void annonce_retour();

    QString m_chemin;
    std::unique_ptr<BaseEssais> m_base; // null while the base cannot be used
    std::optional<Seance> m_seance;
    qint64 m_id_seance = 0; // in the current file
    bool m_seance_a_preciser = false; // its row in the file is older than m_seance
    struct Precision
    {
        std::optional<double> rafraichissement_hz;
        QString priorite, methode;
    };
    std::optional<Precision> m_precision; // learnt before the session
    // In order of arrival, with whether the file lacks their latest state.
    QVector<std::pair<Participant, bool>> m_participants;
    // NOTE: the whole session stays in memory, so that a damaged file's replacement
    // receives it from its start and can replay it alone.
    QVector<ElementChronologie> m_elements;
    qsizetype m_ecrits = 0; // elements of m_elements already in the current file
    qint64 m_ordre = 0;
    bool m_en_service = true;
};

} // namespace fantrel::base
