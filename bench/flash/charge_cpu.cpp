#include "charge_cpu.h"
#include <QFile>
#include <chrono>
#include <csignal>
#include <ctime>
#include <sys/prctl.h>
#include <thread>

namespace fantrel::banc_flash {

ReleveCpu ReleveCpu::maintenant()
{
    ReleveCpu r;
    QFile stat(QStringLiteral("/proc/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        // cpu  user nice system idle iowait irq softirq steal ...
        const QList<QByteArray> champs = stat.readLine().simplified().split(' ');
        for (int i = 1; i < champs.size() && i <= 8; ++i) {
            const std::uint64_t v = champs[i].toULongLong();
            r.total += v;
            if (i != 4 && i != 5)
                r.occupe += v;
        }
    }
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    r.processus_s = double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    r.temps_s = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    return r;
}

Occupation occupation(const ReleveCpu &avant, const ReleveCpu &apres)
{
    Occupation o;
    const double total = double(apres.total - avant.total);
    if (total > 0)
        o.machine_pct = 100.0 * double(apres.occupe - avant.occupe) / total;
    const double coeurs = double(std::max(1u, std::thread::hardware_concurrency()));
    const double duree = apres.temps_s - avant.temps_s;
    if (duree > 0)
        o.banc_pct = 100.0 * (apres.processus_s - avant.processus_s) / (duree * coeurs);
    QFile charge(QStringLiteral("/proc/loadavg"));
    if (charge.open(QIODevice::ReadOnly))
        o.charge_1min = charge.readLine().split(' ').value(0).toDouble();
    return o;
}

CoeurOccupe::CoeurOccupe()
{
    m_processus.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_processus.start(QStringLiteral("sh"),
                      { QStringLiteral("-c"), QStringLiteral("while :; do :; done") });
    m_lance = m_processus.waitForStarted(3000);
}

CoeurOccupe::~CoeurOccupe()
{
    if (m_processus.state() == QProcess::NotRunning)
        return;
    m_processus.kill();
    m_processus.waitForFinished(3000);
}

} // namespace fantrel::banc_flash
