#include "platform/priorite_temps_reel.h"

#include <QtGlobal>

#include <algorithm>
#include <optional>

#ifdef Q_OS_UNIX
#  include <pthread.h>
#  include <sched.h>
#  include <sys/resource.h>
#endif
#ifdef Q_OS_LINUX
#  include <QDBusConnection>
#  include <QDBusMessage>
#  include <QDBusVariant>
#  include <cerrno>
#  include <unistd.h>
#endif

namespace fantrel::platform {

namespace {

#ifdef Q_OS_UNIX

// The policy and priority the thread has now, when real-time.
std::optional<PrioriteObtenue> lue_temps_reel(PrioriteObtenue::Voie voie)
{
    int politique = 0;
    sched_param parametre{};
    if (pthread_getschedparam(pthread_self(), &politique, &parametre) != 0)
        return std::nullopt;
#  ifdef SCHED_RESET_ON_FORK
    politique &= ~SCHED_RESET_ON_FORK; // RealtimeKit sets it
#  endif
    if ((politique != SCHED_FIFO && politique != SCHED_RR) || parametre.sched_priority <= 0)
        return std::nullopt;
    return PrioriteObtenue{ voie, politique, parametre.sched_priority };
}

// The highest priority, else the highest RLIMIT_RTPRIO allows an ordinary user.
std::optional<PrioriteObtenue> fifo_direct()
{
    const int maximum = sched_get_priority_max(SCHED_FIFO);
    rlimit limite{};
    const bool limite_lue = getrlimit(RLIMIT_RTPRIO, &limite) == 0;
    for (const rlim_t essai : { rlim_t(maximum), limite_lue ? limite.rlim_cur : rlim_t(0) }) {
        if (essai <= 0 || essai > rlim_t(maximum))
            continue;
        sched_param parametre{};
        parametre.sched_priority = int(essai);
        if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &parametre) == 0)
            return lue_temps_reel(PrioriteObtenue::Voie::directe);
    }
    return std::nullopt;
}

#endif

#ifdef Q_OS_LINUX

const QString service_rtkit = QStringLiteral("org.freedesktop.RealtimeKit1");
const QString objet_rtkit = QStringLiteral("/org/freedesktop/RealtimeKit1");

// A connection of its own to a given bus, dropped with the object.
class Bus
{
public:
    explicit Bus(const QString &adresse)
        : m_nom(QStringLiteral("fantrel-priorite-%1").arg(gettid())),
          m_connexion(adresse.isEmpty() ? QDBusConnection::systemBus()
                                        : QDBusConnection::connectToBus(adresse, m_nom)),
          m_propre(!adresse.isEmpty())
    {
    }
    ~Bus()
    {
        if (m_propre)
            QDBusConnection::disconnectFromBus(m_nom);
    }
    Bus(const Bus &) = delete;
    Bus &operator=(const Bus &) = delete;
    QDBusConnection &connexion() { return m_connexion; }

private:
    QString m_nom;
    QDBusConnection m_connexion;
    bool m_propre = false;
};

// An integer property of the service (its types differ: int32, int64).
std::optional<qlonglong> propriete(QDBusConnection &bus, const QString &nom, int delai_ms)
{
    QDBusMessage appel = QDBusMessage::createMethodCall(
            service_rtkit, objet_rtkit, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
    appel << service_rtkit << nom;
    const QDBusMessage reponse = bus.call(appel, QDBus::Block, delai_ms);
    if (reponse.type() != QDBusMessage::ReplyMessage || reponse.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const qlonglong valeur =
            qvariant_cast<QDBusVariant>(reponse.arguments().constFirst()).variant().toLongLong(&ok);
    return ok ? std::optional(valeur) : std::nullopt;
}

// The service serves a process only once its real-time CPU time is capped at the
// service's maximum, hard limit included.
bool plafonne_temps_reel(qlonglong maximum_us)
{
    rlimit limite{};
    if (maximum_us <= 0 || getrlimit(RLIMIT_RTTIME, &limite) != 0)
        return false;
    if (limite.rlim_max != RLIM_INFINITY && limite.rlim_max <= rlim_t(maximum_us))
        return true;
    limite.rlim_cur = limite.rlim_max = rlim_t(maximum_us);
    return setrlimit(RLIMIT_RTTIME, &limite) == 0;
}

QString adresse_bus(const OptionsPriorite &options)
{
    return options.adresse_bus.isEmpty() ? qEnvironmentVariable("FANTREL_BUS_REALTIMEKIT")
                                         : options.adresse_bus;
}

std::optional<PrioriteObtenue> par_realtimekit(const OptionsPriorite &options)
{
    Bus bus(adresse_bus(options));
    if (!bus.connexion().isConnected())
        return std::nullopt;
    const auto maximum =
            propriete(bus.connexion(), QStringLiteral("MaxRealtimePriority"), options.delai_ms);
    const auto temps_max =
            propriete(bus.connexion(), QStringLiteral("RTTimeUSecMax"), options.delai_ms);
    if (!maximum || *maximum <= 0 || !temps_max || !plafonne_temps_reel(*temps_max))
        return std::nullopt;
    const auto priorite = std::min<qlonglong>(*maximum, sched_get_priority_max(SCHED_FIFO));
    QDBusMessage appel = QDBusMessage::createMethodCall(service_rtkit, objet_rtkit, service_rtkit,
                                                        QStringLiteral("MakeThreadRealtime"));
    appel << QVariant::fromValue(qulonglong(gettid())) << QVariant::fromValue(quint32(priorite));
    const QDBusMessage reponse = bus.connexion().call(appel, QDBus::Block, options.delai_ms);
    if (reponse.type() != QDBusMessage::ReplyMessage)
        return std::nullopt;
    return lue_temps_reel(PrioriteObtenue::Voie::realtimekit);
}

// The service's lowest nice value for the thread, read back.
std::optional<PrioriteObtenue> nice_par_realtimekit(const OptionsPriorite &options)
{
    Bus bus(adresse_bus(options));
    if (!bus.connexion().isConnected())
        return std::nullopt;
    const auto minimum =
            propriete(bus.connexion(), QStringLiteral("MinNiceLevel"), options.delai_ms);
    if (!minimum || *minimum >= 0)
        return std::nullopt;
    QDBusMessage appel = QDBusMessage::createMethodCall(service_rtkit, objet_rtkit, service_rtkit,
                                                        QStringLiteral("MakeThreadHighPriority"));
    appel << QVariant::fromValue(qulonglong(gettid()))
          << QVariant::fromValue(qint32(std::max<qlonglong>(*minimum, -20)));
    const QDBusMessage reponse = bus.connexion().call(appel, QDBus::Block, options.delai_ms);
    if (reponse.type() != QDBusMessage::ReplyMessage)
        return std::nullopt;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, id_t(gettid()));
    if (errno != 0 || nice >= 0)
        return std::nullopt;
    return PrioriteObtenue{ PrioriteObtenue::Voie::nice_realtimekit, 0, nice };
}

#endif

#ifdef Q_OS_UNIX

// -20, else the lowest RLIMIT_NICE allows, when lower than the present one.
std::optional<PrioriteObtenue> nice_abaisse()
{
#  ifdef Q_OS_LINUX
    const auto qui = id_t(gettid()); // Linux keeps a nice value per thread
#  else
    const id_t qui = 0; // the whole process
#  endif
    errno = 0;
    const int actuel = getpriority(PRIO_PROCESS, qui);
    if (errno != 0)
        return std::nullopt;
    rlimit limite{};
    std::optional<unsigned long long> plafond;
    if (getrlimit(RLIMIT_NICE, &limite) == 0 && limite.rlim_cur != RLIM_INFINITY)
        plafond = limite.rlim_cur;
    for (const int essai : nices_a_essayer(actuel, plafond))
        if (setpriority(PRIO_PROCESS, qui, essai) == 0)
            return PrioriteObtenue{ PrioriteObtenue::Voie::nice, 0, essai };
    return std::nullopt;
}

#endif

} // namespace

QString PrioriteObtenue::texte() const
{
    switch (voie) {
    case Voie::directe:
    case Voie::realtimekit: {
#ifdef Q_OS_UNIX
        const char *nom = politique == SCHED_RR ? "SCHED_RR" : "SCHED_FIFO";
#else
        const char *nom = "temps réel";
#endif
        return QStringLiteral("%1 %2 (%3)")
                .arg(QLatin1String(nom))
                .arg(niveau)
                .arg(voie == Voie::directe ? QStringLiteral("direct")
                                           : QStringLiteral("RealtimeKit"));
    }
    case Voie::nice:
        return QStringLiteral("nice %1").arg(niveau);
    case Voie::nice_realtimekit:
        return QStringLiteral("nice %1 (RealtimeKit)").arg(niveau);
    case Voie::normale:
        break;
    }
    return QStringLiteral("normale");
}

QList<int> nices_a_essayer(int actuel, std::optional<unsigned long long> limite)
{
    // The kernel's ceiling is 20 - limit; nice values stop at -20.
    const int permis = limite ? 20 - int(std::min<unsigned long long>(*limite, 40)) : -20;
    QList<int> essais;
    for (const int essai : { -20, permis })
        if (essai < actuel && !essais.contains(essai))
            essais << essai;
    return essais;
}

PrioriteObtenue eleve_fil_courant([[maybe_unused]] const OptionsPriorite &options)
{
#ifdef Q_OS_UNIX
    if (const auto directe = fifo_direct())
        return *directe;
#  ifdef Q_OS_LINUX
    if (const auto service = par_realtimekit(options))
        return *service;
#  endif
    if (const auto nice = nice_abaisse())
        return *nice;
#endif
    return {};
}

PrioriteObtenue eleve_fil_interface([[maybe_unused]] const OptionsPriorite &options)
{
#ifdef Q_OS_UNIX
    if (const auto nice = nice_abaisse())
        return *nice;
#  ifdef Q_OS_LINUX
    if (const auto service = nice_par_realtimekit(options))
        return *service;
#  endif
#endif
    return {};
}

} // namespace fantrel::platform
