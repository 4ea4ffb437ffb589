// The program ends when its main window closes, whatever else is shown: the test
// starts itself as the program (the four windows made as main() makes them, the
// other windows shown), has the main window closed, and waits for the process to end.
#include "banc.h"
#include "platform/application.h"
#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cstdio>

using namespace fantrel;

namespace {

constexpr char argument_programme[] = "--programme";
constexpr char signal_fermeture[] = "fermeture de la fenêtre principale";

// The program as main() runs it, plus what the user does in the case `cas`: the other
// windows shown, then the main window closed by "Quitter" or by its close box.
int programme(int argc, char **argv, const QString &cas)
{
    platform::Application app(argc, argv);
    auto sur_la_sortie_erreur = [](const QString &t) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(t));
    };
    platform::interactions().erreur = sur_la_sortie_erreur;
    platform::interactions().information = sur_la_sortie_erreur;
    app::Fenetres fenetres;
    app::TForm1 &f = *fenetres.Form1;
    f.show();
    QTimer::singleShot(500, &f, [&] {
        f.Courbe22->trigger(); // Courbes › Afficher
        if (cas.contains(QStringLiteral("graphique")))
            f.Courbe11->trigger();
        if (cas.contains(QStringLiteral("tri")))
            f.rierdesmots1->trigger(); // modal: what follows runs inside its loop
    });
    QTimer::singleShot(1500, &f, [&] {
        std::printf("%s\n", signal_fermeture);
        std::fflush(stdout);
        if (cas.startsWith(QStringLiteral("Quitter")))
            f.Quitter1->trigger();
        else
            f.windowHandle()->close(); // as the window system's close box does
    });
    const int code = app.exec();
    fenetres.Form1.reset(); // as ~Fenetres does, before the driver is kept loaded
    platform::garde_pilote_gl_charge();
    return code;
}

} // namespace

class TestFinProgramme : public QObject
{
    Q_OBJECT
private slots:
    void fermer_la_principale_termine_data();
    void fermer_la_principale_termine();
};

void TestFinProgramme::fermer_la_principale_termine_data()
{
    QTest::addColumn<QString>("cas");
    QTest::newRow("Quitter, résultats affichés") << "Quitter";
    QTest::newRow("case de fermeture, résultats et graphique affichés") << "case, graphique";
    QTest::newRow("Quitter pendant le tri des mots") << "Quitter, tri";
}

void TestFinProgramme::fermer_la_principale_termine()
{
    QFETCH(QString, cas);
    QTemporaryDir dossier;
    platform::ecrire_lignes(dossier.filePath("param.ini"), banc::param_formulaire());
    platform::ecrire_lignes(dossier.filePath("machin.liste_fantrel"), banc::liste_quatre());
    QProcess programme;
    programme.setWorkingDirectory(dossier.path());
    programme.start(QCoreApplication::applicationFilePath(),
                    { QString::fromLatin1(argument_programme), cas });
    QVERIFY(programme.waitForStarted());
    // Start-up under the sanitizers may take long; the end, once asked, must not.
    QByteArray sortie;
    QElapsedTimer attente;
    attente.start();
    while (!sortie.contains(signal_fermeture) && attente.elapsed() < 120'000
           && programme.state() == QProcess::Running) {
        programme.waitForReadyRead(200);
        sortie += programme.readAllStandardOutput();
    }
    QVERIFY2(sortie.contains(signal_fermeture),
             qPrintable("le programme n'a pas fermé sa fenêtre principale\n"
                        + QString::fromUtf8(programme.readAllStandardError())));
    const bool fini = programme.waitForFinished(8000);
    if (!fini) {
        programme.kill();
        programme.waitForFinished();
    }
    QVERIFY2(fini, "la fenêtre principale est fermée, mais le programme tourne encore");
    QCOMPARE(programme.exitStatus(), QProcess::NormalExit);
    QVERIFY2(programme.exitCode() == 0, programme.readAllStandardError().constData());
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], argument_programme) == 0)
        return programme(argc, argv, QString::fromUtf8(argv[2]));
    platform::Application app(argc, argv);
    TestFinProgramme test;
    const int echecs = QTest::qExec(&test, argc, argv);
    platform::garde_pilote_gl_charge();
    return echecs;
}

#include "test_fin_programme.moc"
