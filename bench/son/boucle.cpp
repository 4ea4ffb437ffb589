#include "boucle.h"
#include <QThread>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>

namespace fantrel::banc_son {

QString pactl(const QStringList &arguments, bool *ok)
{
    QProcess p;
    p.start(QStringLiteral("pactl"), arguments);
    const bool fini = p.waitForFinished(10000);
    const bool reussi = fini && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = reussi;
    return reussi ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
}

Sortie::Sortie(const QString &sink, bool rembobinage)
{
    bool ok = false;
    const QString info = pactl({ QStringLiteral("info") }, &ok);
    if (!ok)
        return;
    for (const QString &ligne : info.split(u'\n'))
        if (ligne.startsWith(QStringLiteral("Default Sink: ")))
            m_ancienne = ligne.mid(14).trimmed();
    if (sink.isEmpty()) {
        m_nom = rembobinage ? QStringLiteral("fantrel_banc_son")
                            : QStringLiteral("fantrel_banc_son_sans_rembobinage");
        QStringList args = { QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                             u"sink_name="_qs + m_nom,      QStringLiteral("format=s16le"),
                             QStringLiteral("rate=44100"),  QStringLiteral("channels=1") };
        if (!rembobinage)
            args << QStringLiteral("norewinds=1");
        m_module = pactl(args, &ok);
        if (!ok)
            return;
        m_description = rembobinage ? QStringLiteral("null sink, rewinds")
                                    : QStringLiteral("null sink, no rewinds");
    } else {
        m_nom = sink;
        m_description = sink;
    }
    pactl({ QStringLiteral("set-default-sink"), m_nom }, &ok);
    m_prete = ok;
}

Sortie::~Sortie()
{
    if (!m_ancienne.isEmpty() && m_ancienne != QStringLiteral("(null)"))
        pactl({ QStringLiteral("set-default-sink"), m_ancienne });
    if (!m_module.isEmpty())
        pactl({ QStringLiteral("unload-module"), m_module });
}

Enregistrement::Enregistrement(const QString &source)
{
    if (!m_fichier.open())
        return;
    m_parec.setStandardOutputFile(m_fichier.fileName());
    m_parec.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_parec.start(QStringLiteral("parec"),
                  { u"--device="_qs + source, QStringLiteral("--format=s16le"),
                    QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                    QStringLiteral("--raw"), QStringLiteral("--latency-msec=20") });
    m_lance = m_parec.waitForStarted(5000);
    // parec takes a second or two to connect: the sessions start once samples come.
    for (int i = 0; m_lance && m_fichier.size() == 0 && i < 200; ++i)
        QThread::msleep(50);
    QThread::msleep(200);
    m_lance = m_lance && m_fichier.size() > 0 && m_parec.state() == QProcess::Running;
}

Enregistrement::~Enregistrement()
{
    if (m_parec.state() != QProcess::NotRunning) {
        m_parec.kill();
        m_parec.waitForFinished(3000);
    }
}

QVector<qint16> Enregistrement::termine()
{
    // Let the last melody's tail reach the monitor, then stop parec cleanly.
    QThread::msleep(300);
    m_parec.terminate();
    if (!m_parec.waitForFinished(5000)) {
        m_parec.kill();
        m_parec.waitForFinished(3000);
    }
    m_fichier.seek(0);
    const QByteArray octets = m_fichier.readAll();
    QVector<qint16> echantillons(octets.size() / 2);
    std::memcpy(echantillons.data(), octets.constData(), size_t(echantillons.size()) * 2);
    return echantillons;
}

} // namespace fantrel::banc_son
