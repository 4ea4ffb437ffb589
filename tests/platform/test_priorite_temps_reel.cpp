// Real-time priority for a thread that lacks the right to take it: RealtimeKit is asked
// on a private bus where this test serves a stand-in for the service, and what the
// thread obtained is read back. The asking thread drops CAP_SYS_NICE first (this test
// runs as root), so that it meets the kernel's refusal an ordinary user meets. Each row
// that may lower the process's limits (RealtimeKit's RLIMIT_RTTIME, hard limit included)
// runs in a fresh process of its own.
#include "platform/priorite_temps_reel.h"
#include "verifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <atomic>
#include <thread>

#ifdef Q_OS_LINUX
#  include <linux/capability.h>
#  include <linux/filter.h>
#  include <linux/seccomp.h>
#  include <pthread.h>
#  include <sys/prctl.h>
#  include <sched.h>
#  include <sys/resource.h>
#  include <sys/syscall.h>
#  include <unistd.h>
#endif

using namespace fantrel::platform;

#ifdef Q_OS_LINUX

namespace {

// The service as the desktop's behaves: the caller's real-time CPU time must be capped
// at RTTimeUSecMax, the priority within MaxRealtimePriority; it grants SCHED_RR.
class FauxRealtimeKit : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.RealtimeKit1")
    Q_PROPERTY(int MaxRealtimePriority MEMBER maximum)
    Q_PROPERTY(int MinNiceLevel MEMBER min_nice)
    Q_PROPERTY(qlonglong RTTimeUSecMax MEMBER temps_max_us)
public:
    struct Appel
    {
        qulonglong fil = 0;
        uint priorite = 0;
        rlim_t temps_reel_max = 0; // the caller's hard RLIMIT_RTTIME at the call
    };

    int maximum = 20;
    int min_nice = -15;
    qlonglong temps_max_us = 200000;
    bool accorde = true;
    QList<Appel> appels;

public slots:
    void MakeThreadRealtime(qulonglong fil, uint priorite)
    {
        rlimit limite{};
        getrlimit(RLIMIT_RTTIME, &limite);
        appels << Appel{ fil, priorite, limite.rlim_max };
        if (!accorde || limite.rlim_max > rlim_t(temps_max_us) || int(priorite) > maximum) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("refusé"));
            return;
        }
        sched_param parametre{};
        parametre.sched_priority = int(priorite);
        if (sched_setscheduler(pid_t(fil), SCHED_RR | SCHED_RESET_ON_FORK, &parametre) != 0)
            sendErrorReply(QDBusError::Failed, QStringLiteral("sched_setscheduler"));
    }
    void MakeThreadHighPriority(qulonglong fil, int priorite)
    {
        appels << Appel{ fil, uint(priorite), 0 };
        if (!accorde || priorite < min_nice) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("refusé"));
            return;
        }
        if (setpriority(PRIO_PROCESS, id_t(fil), priorite) != 0)
            sendErrorReply(QDBusError::Failed, QStringLiteral("setpriority"));
    }
};

// Drops CAP_SYS_NICE from the calling thread's effective set (capabilities are per thread).
bool renonce_a_cap_sys_nice()
{
    __user_cap_header_struct entete{ _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct donnees[2]{};
    if (syscall(SYS_capget, &entete, donnees) != 0)
        return false;
    donnees[CAP_TO_INDEX(CAP_SYS_NICE)].effective &= ~CAP_TO_MASK(CAP_SYS_NICE);
    return syscall(SYS_capset, &entete, donnees) == 0;
}

// Makes the kernel refuse the calling thread's own scheduling changes while it keeps
// CAP_SYS_NICE (a filter on this thread alone): the nice value stays open to it.
bool refuse_sched_setscheduler()
{
    sock_filter filtre[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_sched_setscheduler, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog programme{ std::size(filtre), filtre };
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0
            && syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &programme) == 0;
}

// What a thread raised itself to, read back by that thread.
struct Resultat
{
    QString texte;
    qulonglong fil = 0;
    int politique = 0;
    int priorite = 0;
    int nice = 0;
};

} // namespace

class TestPrioriteTempsReel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void demande_data();
    void demande();
    void fil_interface_data();
    void fil_interface();
    void nices_selon_la_limite_data();
    void nices_selon_la_limite();

private:
    Resultat eleve_un_fil(const QString &droits, const QString &adresse, bool interface = false);
    // The same with the stand-in serving on the private bus (or not registered at all).
    Resultat eleve_servi(FauxRealtimeKit &faux, bool service, const QString &droits,
                         const QString &adresse, bool interface = false);

    QProcess m_bus;
    QString m_adresse;
    rlimit m_temps_reel{}, m_nice{}, m_rtprio{};
};

void TestPrioriteTempsReel::initTestCase()
{
    const QString demon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    QVERIFY2(!demon.isEmpty(), "dbus-daemon manque (paquet dbus-daemon)");
    m_bus.start(demon,
                { QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--nopidfile"), QStringLiteral("--print-address") });
    QVERIFY(m_bus.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(m_bus.canReadLine() || m_bus.waitForReadyRead(100), 5000);
    m_adresse = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY2(!m_adresse.isEmpty(), "pas d'adresse de bus");
    getrlimit(RLIMIT_RTTIME, &m_temps_reel);
    getrlimit(RLIMIT_NICE, &m_nice);
    getrlimit(RLIMIT_RTPRIO, &m_rtprio);
}

void TestPrioriteTempsReel::cleanupTestCase()
{
    m_bus.terminate();
    m_bus.waitForFinished(3000);
}

// Limits as an ordinary user's: no real-time priority and no lower nice of his own.
// NOTE: soft limits only, and the hard ones never lowered: raising a hard limit again
// takes CAP_SYS_RESOURCE, which a container may not give even to root.
void TestPrioriteTempsReel::init()
{
    for (const int ressource : { RLIMIT_RTPRIO, RLIMIT_NICE }) {
        rlimit limite{};
        QVERIFY(getrlimit(ressource, &limite) == 0);
        limite.rlim_cur = 0;
        QVERIFY2(setrlimit(ressource, &limite) == 0, qPrintable(qt_error_string(errno)));
    }
}

// A lowered RLIMIT_RTTIME stays in the child that lowered it: here it is as it was, so
// the next row's check of it can fail.
void TestPrioriteTempsReel::cleanup()
{
    QVERIFY2(setrlimit(RLIMIT_NICE, &m_nice) == 0, qPrintable(qt_error_string(errno)));
    QVERIFY2(setrlimit(RLIMIT_RTPRIO, &m_rtprio) == 0, qPrintable(qt_error_string(errno)));
    rlimit temps_reel{};
    QVERIFY(getrlimit(RLIMIT_RTTIME, &temps_reel) == 0);
    if (!commun::dans_un_enfant())
        QVERIFY2(temps_reel.rlim_cur == m_temps_reel.rlim_cur
                         && temps_reel.rlim_max == m_temps_reel.rlim_max,
                 "RLIMIT_RTTIME changed in the test's own process");
}

// droits: "root" keeps them all; "sans_cap" drops CAP_SYS_NICE as an ordinary user has
// none; "sans_fifo" keeps it but cannot change its own scheduling.
Resultat TestPrioriteTempsReel::eleve_un_fil(const QString &droits, const QString &adresse,
                                             bool interface)
{
    Resultat r;
    std::atomic<bool> fini = false;
    std::thread fil([&] {
        if (droits == u"sans_cap" && !renonce_a_cap_sys_nice())
            r.texte = QStringLiteral("capset refusé");
        else if (droits == u"sans_fifo" && !refuse_sched_setscheduler())
            r.texte = QStringLiteral("seccomp refusé");
        else
            r.texte = (interface ? eleve_fil_interface({ adresse, 2000 })
                                 : eleve_fil_courant({ adresse, 2000 }))
                              .texte();
        r.fil = qulonglong(gettid());
        sched_param parametre{};
        pthread_getschedparam(pthread_self(), &r.politique, &parametre);
        r.politique &= ~SCHED_RESET_ON_FORK;
        r.priorite = parametre.sched_priority;
        r.nice = getpriority(PRIO_PROCESS, id_t(gettid()));
        fini = true;
    });
    // The stand-in answers from this thread's event loop.
    const bool a_temps = QTest::qWaitFor([&] { return fini.load(); }, 15000);
    fil.join();
    if (!a_temps)
        r.texte += QStringLiteral(" (après 15 s)");
    return r;
}

Resultat TestPrioriteTempsReel::eleve_servi(FauxRealtimeKit &faux, bool service,
                                            const QString &droits, const QString &adresse,
                                            bool interface)
{
    const QString nom = QStringLiteral("faux-rtkit");
    const QString service_rtkit = QStringLiteral("org.freedesktop.RealtimeKit1");
    const QString objet_rtkit = QStringLiteral("/org/freedesktop/RealtimeKit1");
    QDBusConnection connexion = QDBusConnection::connectToBus(m_adresse, nom);
    const bool pret = connexion.isConnected()
            && (!service
                || (connexion.registerService(service_rtkit)
                    && connexion.registerObject(objet_rtkit, &faux,
                                                QDBusConnection::ExportAllSlots
                                                        | QDBusConnection::ExportAllProperties)));
    Resultat r;
    if (pret)
        r = eleve_un_fil(droits, adresse, interface);
    else
        r.texte = QStringLiteral("le faux service n'a pu être servi");
    connexion.unregisterObject(objet_rtkit);
    connexion.unregisterService(service_rtkit);
    QDBusConnection::disconnectFromBus(nom);
    return r;
}

void TestPrioriteTempsReel::demande_data()
{
    QTest::addColumn<bool>("service"); // registered on the bus
    QTest::addColumn<bool>("accorde");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("droits");
    QTest::addColumn<QString>("bus"); // "prive", or an address
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("appels");
    // The process's hard RLIMIT_RTTIME before the request, in ms; 0: as inherited (none).
    QTest::addColumn<int>("temps_reel_dur_ms");
    const QString sans_cap = QStringLiteral("sans_cap");
    QTest::addRow("accordé") << true << true << 20 << sans_cap << "prive"
                             << "SCHED_RR 20 (RealtimeKit)" << 1 << 0;
    QTest::addRow("accordé, RLIMIT_RTTIME déjà de 10 s")
            << true << true << 20 << sans_cap << "prive"
            << "SCHED_RR 20 (RealtimeKit)" << 1 << 10000;
    QTest::addRow("dans le maximum du service") << true << true << 5 << sans_cap << "prive"
                                                << "SCHED_RR 5 (RealtimeKit)" << 1 << 0;
    // The nice RLIMIT_NICE allows: nices_selon_la_limite (raising the limit here would
    // take CAP_SYS_RESOURCE).
    QTest::addRow("refusé, nice -20 permis") << true << false << 20 << "sans_fifo"
                                             << "prive"
                                             << "nice -20" << 1 << 0;
    QTest::addRow("refusé") << true << false << 20 << sans_cap << "prive"
                            << "normale" << 1 << 0;
    QTest::addRow("service absent") << false << true << 20 << sans_cap << "prive"
                                    << "normale" << 0 << 0;
    QTest::addRow("pas de bus") << true << true << 20 << sans_cap
                                << "unix:path=/nonexistent/fantrel-bus"
                                << "normale" << 0 << 0;
    QTest::addRow("droit direct") << true << true << 20 << "root"
                                  << "prive"
                                  << "SCHED_FIFO 99 (direct)" << 0 << 0;
}

void TestPrioriteTempsReel::demande()
{
    if (!commun::dans_un_enfant())
        return commun::rejoue_dans_un_enfant();
    QFETCH(bool, service);
    QFETCH(bool, accorde);
    QFETCH(int, maximum);
    QFETCH(QString, droits);
    QFETCH(QString, bus);
    QFETCH(QString, attendu);
    QFETCH(int, appels);
    QFETCH(int, temps_reel_dur_ms);
    if (droits != u"sans_cap" && geteuid() != 0)
        FANTREL_SAUTER(QStringLiteral("il faut être root pour garder CAP_SYS_NICE"));

    FauxRealtimeKit faux;
    faux.accorde = accorde;
    faux.maximum = maximum;
    // Lowered for good: this process is the row's own.
    const rlim_t us = rlim_t(temps_reel_dur_ms) * 1000;
    const rlimit dur{ us, us };
    if (temps_reel_dur_ms > 0)
        QVERIFY2(setrlimit(RLIMIT_RTTIME, &dur) == 0, qPrintable(qt_error_string(errno)));
    rlimit temps_reel{};
    QVERIFY(getrlimit(RLIMIT_RTTIME, &temps_reel) == 0);
    QVERIFY2(temps_reel.rlim_max > rlim_t(faux.temps_max_us),
             "RLIMIT_RTTIME already capped: the check of the cap below could not fail");
    const Resultat r = eleve_servi(faux, service, droits, bus == u"prive" ? m_adresse : bus);

    QCOMPARE(r.texte, attendu);
    QCOMPARE(faux.appels.size(), appels);
    for (const FauxRealtimeKit::Appel &appel : faux.appels) {
        QCOMPARE(appel.fil, r.fil);
        QVERIFY2(appel.priorite >= 1 && int(appel.priorite) <= maximum,
                 qPrintable(QString::number(appel.priorite)));
        QVERIFY2(appel.temps_reel_max <= rlim_t(faux.temps_max_us),
                 "RLIMIT_RTTIME pas plafonné avant la demande");
    }
    // What the text says is what the thread had.
    if (attendu.startsWith(u"SCHED_")) {
        QCOMPARE(r.politique, attendu.startsWith(u"SCHED_RR") ? SCHED_RR : SCHED_FIFO);
        QCOMPARE(QString::number(r.priorite), attendu.section(u' ', 1, 1));
    } else {
        QCOMPARE(r.politique, SCHED_OTHER);
        QCOMPARE(r.nice, attendu == u"normale" ? 0 : attendu.section(u' ', 1, 1).toInt());
    }
}

void TestPrioriteTempsReel::fil_interface_data()
{
    QTest::addColumn<bool>("service");
    QTest::addColumn<bool>("accorde");
    QTest::addColumn<QString>("droits");
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("appels");
    const QString sans_cap = QStringLiteral("sans_cap");
    QTest::addRow("nice -20 permis") << true << true << "root"
                                     << "nice -20" << 0;
    QTest::addRow("par RealtimeKit") << true << true << sans_cap << "nice -15 (RealtimeKit)" << 1;
    QTest::addRow("refusé") << true << false << sans_cap << "normale" << 1;
    QTest::addRow("service absent") << false << true << sans_cap << "normale" << 0;
}

// The GUI thread gets a lower nice value, never real-time, even where real-time is
// open to it.
void TestPrioriteTempsReel::fil_interface()
{
    QFETCH(bool, service);
    QFETCH(bool, accorde);
    QFETCH(QString, droits);
    QFETCH(QString, attendu);
    QFETCH(int, appels);
    if (droits != u"sans_cap" && geteuid() != 0)
        FANTREL_SAUTER(QStringLiteral("il faut être root pour garder CAP_SYS_NICE"));
    FauxRealtimeKit faux;
    faux.accorde = accorde;
    const Resultat r = eleve_servi(faux, service, droits, m_adresse, true);

    QCOMPARE(r.texte, attendu);
    QCOMPARE(faux.appels.size(), appels);
    for (const FauxRealtimeKit::Appel &appel : faux.appels) {
        QCOMPARE(appel.fil, r.fil);
        QCOMPARE(int(appel.priorite), faux.min_nice);
    }
    QCOMPARE(r.politique, SCHED_OTHER);
    QCOMPARE(r.nice, attendu == u"normale" ? 0 : attendu.section(u' ', 1, 1).toInt());
}

void TestPrioriteTempsReel::nices_selon_la_limite_data()
{
    QTest::addColumn<int>("actuel");
    QTest::addColumn<qint64>("limite"); // -1: RLIM_INFINITY
    QTest::addColumn<QList<int>>("essais");
    QTest::addRow("limite 0") << 0 << qint64(0) << QList<int>{ -20 };
    QTest::addRow("limite 1 : 19, plus haut") << 0 << qint64(1) << QList<int>{ -20 };
    QTest::addRow("limite 20 : 0, pas plus bas") << 0 << qint64(20) << QList<int>{ -20 };
    QTest::addRow("limite 21") << 0 << qint64(21) << QList<int>{ -20, -1 };
    QTest::addRow("limite 25") << 0 << qint64(25) << QList<int>{ -20, -5 };
    QTest::addRow("limite 39") << 0 << qint64(39) << QList<int>{ -20, -19 };
    QTest::addRow("limite 40") << 0 << qint64(40) << QList<int>{ -20 };
    QTest::addRow("limite 41") << 0 << qint64(41) << QList<int>{ -20 };
    QTest::addRow("limite 1000") << 0 << qint64(1000) << QList<int>{ -20 };
    QTest::addRow("sans limite") << 0 << qint64(-1) << QList<int>{ -20 };
    QTest::addRow("déjà à -10, limite 25") << -10 << qint64(25) << QList<int>{ -20 };
    QTest::addRow("à 10, limite 15") << 10 << qint64(15) << QList<int>{ -20, 5 };
    QTest::addRow("déjà à -20") << -20 << qint64(-1) << QList<int>{};
}

// RLIMIT_NICE's ceiling for a thread without CAP_SYS_NICE is 20 - limit (setrlimit(2)).
void TestPrioriteTempsReel::nices_selon_la_limite()
{
    QFETCH(int, actuel);
    QFETCH(qint64, limite);
    QFETCH(QList<int>, essais);
    QCOMPARE(nices_a_essayer(actuel,
                             limite < 0 ? std::nullopt : std::optional<unsigned long long>(limite)),
             essais);
}

QTEST_GUILESS_MAIN(TestPrioriteTempsReel)

#else

class TestPrioriteTempsReel : public QObject
{
    Q_OBJECT
private slots:
    void linux_seul() { QSKIP("RealtimeKit et les limites de temps réel sont propres à Linux"); }
};

QTEST_GUILESS_MAIN(TestPrioriteTempsReel)

#endif

#include "test_priorite_temps_reel.moc"
