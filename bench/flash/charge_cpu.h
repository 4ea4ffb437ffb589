// The load around a series: the share of the machine's cores busy meanwhile (ours
// and everybody else's), and a process of our own that keeps one core busy.
#pragma once
#include <QProcess>
#include <cstdint>

namespace fantrel::banc_flash {

// Jiffies of the whole machine (/proc/stat) and CPU time of this process.
struct ReleveCpu
{
    std::uint64_t occupe = 0;
    std::uint64_t total = 0;
    double processus_s = 0;
    double temps_s = 0;

    static ReleveCpu maintenant();
};

struct Occupation
{
    double machine_pct = 0; // of all cores, everybody's
    double banc_pct = 0; // of all cores, this process (GL rasteriser threads included)
    double charge_1min = 0; // load average at the end
};

Occupation occupation(const ReleveCpu &avant, const ReleveCpu &apres);

// `sh -c 'while :; do :; done'` for the lifetime of the object; killed with us
// even if we crash, so no spinner is left behind on the shared machine.
class CoeurOccupe
{
public:
    CoeurOccupe();
    ~CoeurOccupe();
    bool lance() const { return m_lance; }

private:
    QProcess m_processus;
    bool m_lance = false;
};

} // namespace fantrel::banc_flash
