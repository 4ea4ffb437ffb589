#include "verifications.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#  include <linux/capability.h>
#  include <sys/syscall.h>
#  include <unistd.h>
#endif

namespace commun {

namespace {

const char *const variable_enfant = "FANTREL_ENFANT_DE_TEST";

#ifdef Q_OS_LINUX
bool lit_capacites(__user_cap_data_struct (&donnees)[2])
{
    __user_cap_header_struct entete{ _LINUX_CAPABILITY_VERSION_3, 0 };
    return syscall(SYS_capget, &entete, donnees) == 0;
}

bool pose_capacites(__user_cap_data_struct (&donnees)[2])
{
    __user_cap_header_struct entete{ _LINUX_CAPABILITY_VERSION_3, 0 };
    return syscall(SYS_capset, &entete, donnees) == 0;
}
#endif

} // namespace

bool exiger_tout()
{
    return qEnvironmentVariable("FANTREL_EXIGER_TOUT") == u"1";
}

SansDroitsDeRoot::SansDroitsDeRoot()
{
#ifdef Q_OS_LINUX
    __user_cap_data_struct donnees[2]{};
    if (!lit_capacites(donnees))
        return;
    m_effectifs[0] = donnees[0].effective;
    m_effectifs[1] = donnees[1].effective;
    for (const int capacite : { CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH })
        donnees[CAP_TO_INDEX(capacite)].effective &= ~CAP_TO_MASK(capacite);
    m_ok = pose_capacites(donnees);
#else
    m_ok = true;
#endif
}

SansDroitsDeRoot::~SansDroitsDeRoot()
{
#ifdef Q_OS_LINUX
    __user_cap_data_struct donnees[2]{};
    if (!m_ok || !lit_capacites(donnees))
        return;
    donnees[0].effective = m_effectifs[0];
    donnees[1].effective = m_effectifs[1];
    pose_capacites(donnees);
#endif
}

bool dans_un_enfant()
{
    return qEnvironmentVariableIsSet(variable_enfant);
}

void rejoue_dans_un_enfant(const QStringList &enveloppe)
{
    const QString fonction = QString::fromUtf8(QTest::currentTestFunction());
    const QString ligne = QString::fromUtf8(QTest::currentDataTag());
    const QStringList commande = enveloppe
            + QStringList{ QCoreApplication::applicationFilePath(),
                           ligne.isEmpty() ? fonction : fonction + u':' + ligne };
    QProcess enfant;
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QString::fromLatin1(variable_enfant), QStringLiteral("1"));
    enfant.setProcessEnvironment(environnement);
    enfant.setProcessChannelMode(QProcess::MergedChannels);
    enfant.start(commande.first(), commande.mid(1));
    const bool fini = enfant.waitForFinished(300000);
    if (!fini) {
        enfant.kill();
        enfant.waitForFinished(5000);
    }
    const QString sortie = QString::fromUtf8(enfant.readAll());
    // Its own initTestCase and cleanupTestCase pass too; nothing may fail or skip.
    static const QRegularExpression bilan(
            QStringLiteral("^Totals: \\d+ passed, 0 failed, 0 skipped"),
            QRegularExpression::MultilineOption);
    const QString reussi = QStringLiteral("::%1(%2)").arg(fonction, ligne);
    bool cas_reussi = false;
    for (const QString &l : sortie.split(u'\n'))
        cas_reussi = cas_reussi || (l.startsWith(u"PASS   : ") && l.trimmed().endsWith(reussi));
    if (!fini || enfant.exitStatus() != QProcess::NormalExit || enfant.exitCode() != 0
        || !bilan.match(sortie).hasMatch() || !cas_reussi)
        QFAIL(qPrintable(QStringLiteral("le cas rejoué seul (%1) n'a pas réussi :\n%2")
                                 .arg(commande.join(u' '), sortie)));
}

QStringList enveloppe_espace_prive()
{
    return { QStringLiteral("unshare"), QStringLiteral("--user"), QStringLiteral("--map-root-user"),
             QStringLiteral("--mount") };
}

QString espace_prive_impossible()
{
    static const QString raison = [] {
        QStringList commande = enveloppe_espace_prive();
        if (QStandardPaths::findExecutable(commande.first()).isEmpty())
            return QStringLiteral("pas de commande unshare (paquet util-linux)");
        commande << QStringLiteral("true");
        QProcess essai;
        essai.setProcessChannelMode(QProcess::MergedChannels);
        essai.start(commande.takeFirst(), commande);
        if (essai.waitForFinished(10000) && essai.exitStatus() == QProcess::NormalExit
            && essai.exitCode() == 0)
            return QString();
        return QStringLiteral("pas d'espace de noms utilisateur et de montage ici (%1)")
                .arg(QString::fromUtf8(essai.readAll()).trimmed());
    }();
    return raison;
}

} // namespace commun
