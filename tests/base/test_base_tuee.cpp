// A program killed with SIGKILL in the middle of a session: every trial it had
// committed is in the file, whole, and the file is sound.
#include "essais_exemples.h"
#include "base/base_essais.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace fantrel;
using namespace fantrel::base;

class TestBaseTuee : public QObject
{
    Q_OBJECT
private slots:
    void tue_en_pleine_seance_data();
    void tue_en_pleine_seance();
};

void TestBaseTuee::tue_en_pleine_seance_data()
{
    QTest::addColumn<int>("engages"); // trials committed before the kill
    QTest::newRow("après le premier essai") << 1;
    QTest::newRow("après 40 essais") << 40;
    QTest::newRow("après 400 essais") << 400;
}

// The helper writes without pause: the kill lands anywhere in an insert or between
// two. Every trial it reported as committed is in the file, whole, and the file is
// sound; at most the trial in flight is there too.
void TestBaseTuee::tue_en_pleine_seance()
{
    QFETCH(int, engages);
    QTemporaryDir dossier;
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("fantrel.sqlite"));
    QProcess aide;
    aide.start(QStringLiteral(AIDE_BASE_ESSAIS), { chemin });
    QVERIFY2(aide.waitForStarted(), qPrintable(aide.errorString()));
    QByteArray sortie;
    const auto dernier = [&] {
        const QList<QByteArray> lignes = sortie.trimmed().split('\n');
        return lignes.last().startsWith("engage ") ? lignes.last().mid(7).toInt() : 0;
    };
    while (dernier() < engages) {
        QVERIFY2(aide.waitForReadyRead(20000), "l'aide n'écrit plus");
        sortie += aide.readAllStandardOutput();
        QVERIFY2(!sortie.contains("echec"), sortie.constData());
    }
    aide.kill(); // SIGKILL
    QVERIFY(aide.waitForFinished());
    QCOMPARE(aide.exitStatus(), QProcess::CrashExit);
    sortie += aide.readAllStandardOutput();
    const int signales = dernier();
    QVERIFY(signales >= engages);

    BaseEssais base(chemin); // reads the journal back and checks every page
    const QVector<Essai> essais = base.essais();
    QVERIFY2(essais.size() == signales || essais.size() == signales + 1,
             qPrintable(QStringLiteral("%1 essais dans la base, %2 signalés")
                                .arg(essais.size())
                                .arg(signales)));
    for (int n = 1; n <= essais.size(); ++n) {
        Essai attendu = n % 2 ? exemples::essai_saisie() : exemples::essai_morbelle();
        attendu.numero = n;
        attendu.id = essais[n - 1].id;
        attendu.seance = essais[n - 1].seance;
        attendu.ordre = n;
        attendu.uuid = essais[n - 1].uuid; // the recorder's
        QVERIFY(!attendu.uuid.isEmpty());
        QCOMPARE(essais[n - 1], attendu);
    }
}

QTEST_GUILESS_MAIN(TestBaseTuee)
#include "test_base_tuee.moc"
