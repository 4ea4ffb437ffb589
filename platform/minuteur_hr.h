// The high-resolution timer of the flashes and the notes: an interval in whole
// milliseconds, an enabled flag and a signal delivered on the owner's (GUI) thread.
// A thread of its own sleeps until shortly before each due time, then polls a steady
// clock, and hands the event to the GUI thread, blocking until the handler has run.
#pragma once
#include <QObject>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace fantrel::platform {

class MinuteurHR : public QObject
{
    Q_OBJECT
public:
    using Horloge = std::chrono::steady_clock;

    // Starts the waiting thread, which first raises its priority (priorite_temps_reel.h).
    // NOTE: where that goes through RealtimeKit it takes a bus round trip (a second at
    // worst): a timer enabled in its first moments may fire late by that much.
    explicit MinuteurHR(QObject *parent = nullptr);
    // Stops the waiting thread and joins it; safe while enabled or mid-delivery.
    ~MinuteurHR() override;

    // Takes effect from the next wait; the one in progress keeps its due time.
    void definir_intervalle(quint16 ms);
    quint16 intervalle() const;

    // Enabling starts a wait: the first event comes one interval later.
    // NOTE: enabled with interval 0, the timer never fires until a non-zero interval is set.
    // Disabling takes effect at once: an event already handed over is dropped.
    void definir_actif(bool actif);
    bool actif() const;

    // Delivers each event this much before its due time (the rhythm stays on the
    // due times): a handler whose effect takes a known time to complete, such as
    // presenting a frame, then completes it at the due time. Taken at the next wait.
    void definir_avance(std::chrono::microseconds avance);

    // Enables the timer for one event at this moment of the steady clock, such as the
    // handover time of a frame (Vue3D::planifie); the interval rules the events after it
    // (0: none). NOTE: the advance does not apply; a moment already past fires at once.
    void definir_echeance(Horloge::time_point moment);

    // The scheduling its thread obtained, as the session's record keeps it
    // ("SCHED_FIFO 99 (direct)", "SCHED_RR 20 (RealtimeKit)", "nice -20", "normale");
    // empty until the thread has asked.
    QString priorite() const;

signals:
    // Due; runs on the owner's thread, only if still enabled for the same wait.
    void echeance();
    // The thread has asked for its scheduling: priorite() now says what it got.
    void priorite_obtenue(const QString &priorite);

private:
    void demarre_fil();
    void boucle_attente();
    bool doit_abandonner(std::uint64_t generation) const;
    bool en_attente() const;
    void livre(std::uint64_t generation, std::uint64_t numero);

    mutable std::mutex m_verrou;
    std::condition_variable m_reveil;
    quint16 m_intervalle = 0;
    std::chrono::microseconds m_avance{ 0 };
    bool m_actif = false;
    bool m_echeance_unique = false; // the next event is due at a moment, whatever the interval
    bool m_arret = false;
    QString m_priorite;
    // Bumped at each (re)start of the schedule so that a stale event is recognised.
    std::uint64_t m_generation = 0;
    Horloge::time_point m_prochaine{};
    // Events handed over and events whose delivery has ended.
    std::uint64_t m_numero_envoye = 0;
    std::uint64_t m_numero_livre = 0;
    std::thread m_fil;
};

} // namespace fantrel::platform
