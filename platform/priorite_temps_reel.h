// Real-time scheduling for the timers' threads, for ordinary users too: the thread
// asks the kernel itself (root, or a user whose RLIMIT_RTPRIO allows it), else the
// desktop's RealtimeKit service over the system bus, else a raised nice value, else it
// keeps the ordinary priority. Never fails: what was obtained is told, for the session's
// record.
#pragma once
#include <QList>
#include <QString>

#include <optional>

namespace fantrel::platform {

struct PrioriteObtenue
{
    enum class Voie { directe, realtimekit, nice, nice_realtimekit, normale };
    Voie voie = Voie::normale;
    int politique = 0; // SCHED_FIFO or SCHED_RR when real-time
    int niveau = 0; // the real-time priority, or the nice value

    // "SCHED_FIFO 99 (direct)", "SCHED_RR 20 (RealtimeKit)", "nice -20",
    // "nice -15 (RealtimeKit)", "normale".
    QString texte() const;
};

struct OptionsPriorite
{
    // RealtimeKit's bus; empty: FANTREL_BUS_REALTIMEKIT when set, else the system bus.
    QString adresse_bus;
    // The longest wait for the service's answers.
    int delai_ms = 1000;
};

// Raises the calling thread as far as it may. Real-time, the thread is read back: a
// grant that did not take counts for nothing.
// NOTE: going through RealtimeKit lowers the process's RLIMIT_RTTIME (hard limit too) to
// the service's maximum, as the service requires: a real-time thread that then runs that
// long (200 ms by default) without blocking gets SIGXCPU, then SIGKILL.
PrioriteObtenue eleve_fil_courant(const OptionsPriorite &options = {});

// For the GUI thread, which takes the timers' events and presents the frames: a raised
// nice value, never real-time (a real-time GUI thread starves the display server whose
// swaps it waits on, and RealtimeKit's limit would kill it during a long load). nice -20
// when the thread may set it, else RealtimeKit's MakeThreadHighPriority at the service's
// lowest level, else the ordinary priority. Threads created afterwards inherit it.
PrioriteObtenue eleve_fil_interface(const OptionsPriorite &options = {});

// The nice values a thread at `actuel` tries, in order: -20, then the lowest its
// RLIMIT_NICE soft limit lets it set without CAP_SYS_NICE (20 - limit; none: no limit),
// each only when below `actuel`.
QList<int> nices_a_essayer(int actuel, std::optional<unsigned long long> limite);

} // namespace fantrel::platform
