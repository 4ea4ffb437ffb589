#include "app/verrou_dossier.h"
#include <QDir>

namespace fantrel::app {

VerrouDossier::VerrouDossier(const QString &dossier)
    : m_verrou(QDir(dossier).filePath(QLatin1String(nom_verrou)))
{
    // NOTE: by default Qt takes over a lock older than 30 s where the file system has no
    // flock (NFS), living owner or not: only a dead owner's is stale here.
    m_verrou.setStaleLockTime(0);
}

QString VerrouDossier::prend()
{
    if (m_verrou.tryLock(200) || m_verrou.error() != QLockFile::LockFailedError)
        return QString();
    qint64 processus = 0;
    QString hote, programme;
    m_verrou.getLockInfo(&processus, &hote, &programme);
    return QStringLiteral("Fantrel est déjà ouvert dans ce dossier (processus %1)").arg(processus);
}

} // namespace fantrel::app
