// Two copies in one working folder: the second is told which process holds it; a lock
// left by a copy killed with SIGKILL is taken over. Run with "--tient DOSSIER", this
// program is that other copy: it takes the lock, says so, and waits to be killed.
#include "app/verrou_dossier.h"
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using fantrel::app::VerrouDossier;

class TestVerrouDossier : public QObject
{
    Q_OBJECT
private slots:
    void deux_copies_dans_un_dossier();
};

void TestVerrouDossier::deux_copies_dans_un_dossier()
{
    QTemporaryDir dossier;
    QProcess autre;
    autre.start(QCoreApplication::applicationFilePath(), { "--tient", dossier.path() });
    QVERIFY(autre.waitForReadyRead(20000));
    QCOMPARE(autre.readAllStandardOutput().trimmed(), QByteArray("tenu"));
    {
        VerrouDossier second(dossier.path());
        QCOMPARE(second.prend(), QStringLiteral("Fantrel est déjà ouvert dans ce dossier "
                                                "(processus %1)")
                                         .arg(autre.processId()));
    }
    autre.kill(); // SIGKILL: the lock file stays, its process is dead
    QVERIFY(autre.waitForFinished());
    QVERIFY(QFile::exists(dossier.filePath(QLatin1String(fantrel::app::nom_verrou))));
    VerrouDossier apres(dossier.path());
    QCOMPARE(apres.prend(), QString());
    VerrouDossier encore(dossier.path()); // and now this process holds it
    QCOMPARE(encore.prend(), QStringLiteral("Fantrel est déjà ouvert dans ce dossier "
                                            "(processus %1)")
                                     .arg(QCoreApplication::applicationPid()));
}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--tient") {
        VerrouDossier verrou(QString::fromLocal8Bit(argv[2]));
        if (!verrou.prend().isEmpty())
            return 1;
        std::puts("tenu");
        std::fflush(stdout);
        QTest::qWait(120000);
        return 0;
    }
    TestVerrouDossier test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_verrou_dossier.moc"
