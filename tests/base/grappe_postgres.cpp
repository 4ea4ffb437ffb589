#include "grappe_postgres.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <pwd.h>
#include <unistd.h>

namespace fantrel::tests {

namespace {

const char *const utilisateur_systeme = "postgres";

bool root()
{
    return ::geteuid() == 0;
}

// The newest installed server's binaries: /usr/lib/postgresql/N/bin.
QString binaires()
{
    const QDir racine(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = racine.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString &a, const QString &b) { return a.toDouble() > b.toDouble(); });
    for (const QString &v : versions) {
        const QString bin = racine.filePath(v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb"))
            && QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

} // namespace

QString GrappePostgres::impossible()
{
    if (binaires().isEmpty())
        return QStringLiteral("initdb et pg_ctl introuvables sous /usr/lib/postgresql/*/bin "
                              "(paquet postgresql absent)");
    if (root() && !::getpwnam(utilisateur_systeme))
        return QStringLiteral("utilisateur « postgres » absent : le serveur ne tourne pas en root");
    return {};
}

GrappePostgres::GrappePostgres(Acces acces)
    // As root, /tmp: the postgres user must reach the folder (TMPDIR may be root's own).
    : m_dossier((root() ? QStringLiteral("/tmp") : QDir::tempPath())
                + QStringLiteral("/grappe-XXXXXX")),
      m_binaires(binaires())
{
    m_erreur = impossible();
    if (!m_erreur.isEmpty())
        return;
    if (!m_dossier.isValid()) {
        m_erreur = m_dossier.errorString();
        return;
    }
    if (root()) { // the server refuses to run as root: its folder is the postgres user's
        const passwd *p = ::getpwnam(utilisateur_systeme);
        if (::chown(QFile::encodeName(m_dossier.path()).constData(), p->pw_uid, p->pw_gid) != 0) {
            m_erreur = QStringLiteral("chown du dossier de la grappe impossible");
            return;
        }
    }
    // The socket's file only is named by the port: any number will do in our folder.
    m_port = 20000 + int(QRandomGenerator::global()->bounded(40000));
    const QString mdp = m_dossier.filePath(QStringLiteral("mdp"));
    QStringList init = { QStringLiteral("-D"), m_dossier.filePath(QStringLiteral("donnees")),
                         QStringLiteral("-U"), QStringLiteral("fantrel"),
                         QStringLiteral("-E"), QStringLiteral("UTF8"),
                         QStringLiteral("--locale=C"), QStringLiteral("-N") };
    if (acces == Acces::confiance)
        init << QStringLiteral("--auth=trust");
    else {
        QFile f(mdp);
        if (!f.open(QIODevice::WriteOnly) || f.write(mot_de_passe_grappe) < 0) {
            m_erreur = f.errorString();
            return;
        }
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::ReadOther | QFile::WriteOwner);
        init << QStringLiteral("--auth=scram-sha-256") << QStringLiteral("--pwfile=") + mdp;
    }
    QString sortie;
    if (!lance(QStringLiteral("initdb"), init, &sortie)) {
        m_erreur = QStringLiteral("initdb : ") + sortie;
        return;
    }
    if (!demarre())
        return;
    if (psql(QStringLiteral("CREATE DATABASE labo")).isNull())
        m_erreur = QStringLiteral("CREATE DATABASE labo refusé");
}

GrappePostgres::~GrappePostgres()
{
    if (m_en_marche)
        lance(QStringLiteral("pg_ctl"),
              { QStringLiteral("-D"), m_dossier.filePath(QStringLiteral("donnees")),
                QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                QStringLiteral("stop") });
}

bool GrappePostgres::demarre()
{
    QString sortie;
    const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses=")
                                    .arg(m_dossier.path())
                                    .arg(m_port);
    m_en_marche = lance(QStringLiteral("pg_ctl"),
                        { QStringLiteral("-D"), m_dossier.filePath(QStringLiteral("donnees")),
                          QStringLiteral("-l"), m_dossier.filePath(QStringLiteral("journal")),
                          QStringLiteral("-o"), options, QStringLiteral("-w"),
                          QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start") },
                        &sortie);
    if (!m_en_marche) {
        QFile journal(m_dossier.filePath(QStringLiteral("journal")));
        (void)journal.open(QIODevice::ReadOnly);
        m_erreur = QStringLiteral("pg_ctl start : ") + sortie + QString::fromUtf8(journal.readAll());
    }
    return m_en_marche;
}

bool GrappePostgres::arrete()
{
    const bool fait = lance(QStringLiteral("pg_ctl"),
                            { QStringLiteral("-D"), m_dossier.filePath(QStringLiteral("donnees")),
                              QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                              QStringLiteral("stop") });
    if (fait)
        m_en_marche = false;
    return fait;
}

base::AdresseLabo GrappePostgres::adresse() const
{
    base::AdresseLabo a;
    a.hote = m_dossier.path();
    a.port = m_port;
    a.base = QStringLiteral("labo");
    a.utilisateur = QStringLiteral("fantrel");
    return a;
}

QString GrappePostgres::psql(const QString &sql)
{
    QString sortie;
    if (!lance(QStringLiteral("psql"),
               { QStringLiteral("-h"), m_dossier.path(), QStringLiteral("-p"),
                 QString::number(m_port), QStringLiteral("-U"), QStringLiteral("fantrel"),
                 QStringLiteral("-d"), sql.startsWith(QLatin1String("CREATE DATABASE"))
                         ? QStringLiteral("postgres") : QStringLiteral("labo"),
                 QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-At"),
                 QStringLiteral("-c"), sql },
               &sortie))
        return QString();
    return sortie.trimmed();
}

bool GrappePostgres::lance(const QString &programme, const QStringList &arguments, QString *sortie)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), QString::fromLatin1(mot_de_passe_grappe));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("PGPASSFILE"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_dossier.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString chemin = m_binaires + QLatin1Char('/') + programme;
    if (root())
        p.start(QStringLiteral("runuser"),
                QStringList{ QStringLiteral("-u"), QString::fromLatin1(utilisateur_systeme),
                             QStringLiteral("--"), chemin }
                        + arguments);
    else
        p.start(chemin, arguments);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
    }
    if (sortie)
        *sortie = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace fantrel::tests
