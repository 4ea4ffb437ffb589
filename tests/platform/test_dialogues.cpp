#include "platform/boites_dialogue.h"
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace fantrel;

class TestDialogues : public QObject
{
    Q_OBJECT
private slots:
    void filtres_qt_data();
    void filtres_qt();
    void enregistrer_data();
    void enregistrer();
    void ouvrir_existant();
};

void TestDialogues::filtres_qt_data()
{
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("deux filtres") << "Listes|*.liste_fantrel|Texte|*.txt"
                                  << QStringList{ "Listes (*.liste_fantrel)", "Texte (*.txt)" };
    QTest::newRow("plusieurs motifs") << "Tous|*.txt;*.res" << QStringList{ "Tous (*.txt *.res)" };
    QTest::newRow("description sans motif ignoree")
            << "Texte|*.txt|Seul" << QStringList{ "Texte (*.txt)" };
    QTest::newRow("vide") << "" << QStringList{};
}

void TestDialogues::filtres_qt()
{
    QFETCH(QString, filtre);
    QFETCH(QStringList, attendu);
    QCOMPARE(fantrel::platform::filtres_qt(filtre), attendu);
}

namespace {

// What the robot user saw and did in a file dialog.
struct Releve
{
    QString titre, dossier, filtre_initial, nom_propose;
    int boites_ecrasement = 0;
};

// Fills the next file dialog: picks a filter (0 = leave it), types a name and confirms;
// answers "Oui" to an overwrite question.
void pilote(QTimer &minuterie, Releve &releve, const QString &nom, const QString &filtre_choisi)
{
    auto dialogue_vu = std::make_shared<bool>(false);
    QObject::connect(&minuterie, &QTimer::timeout, &minuterie, [=, &minuterie, &releve] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *boite = qobject_cast<QMessageBox *>(modal)) {
            ++releve.boites_ecrasement;
            boite->button(QMessageBox::Yes)->click();
            return;
        }
        auto *dialogue = qobject_cast<QFileDialog *>(modal);
        if (!dialogue) {
            if (*dialogue_vu)
                minuterie.stop();
            return;
        }
        if (*dialogue_vu)
            return;
        *dialogue_vu = true;
        releve.titre = dialogue->windowTitle();
        releve.dossier = dialogue->directory().absolutePath();
        releve.filtre_initial = dialogue->selectedNameFilter();
        auto *saisie = dialogue->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        releve.nom_propose = saisie ? saisie->text() : QString();
        if (!filtre_choisi.isEmpty())
            dialogue->selectNameFilter(filtre_choisi);
        if (saisie)
            saisie->setText(nom);
        QMetaObject::invokeMethod(dialogue, "accept", Qt::QueuedConnection);
    });
    minuterie.start(20);
}

} // namespace

void TestDialogues::enregistrer_data()
{
    QTest::addColumn<QString>("nom_tape");
    QTest::addColumn<QString>("filtre_choisi");
    QTest::addColumn<bool>("confirmer");
    QTest::addColumn<QString>("nom_attendu");
    QTest::addColumn<int>("index_attendu");
    QTest::addColumn<int>("boites_attendues");
    QTest::newRow("extension ajoutee") << "essai"
                                       << "" << false << "essai.liste_fantrel" << 2 << 0;
    QTest::newRow("extension tapee gardee") << "essai.res"
                                            << "" << false << "essai.res" << 2 << 0;
    QTest::newRow("autre filtre choisi") << "essai.txt"
                                         << "Texte (*.txt)" << false << "essai.txt" << 1 << 0;
    QTest::newRow("ecrasement sans question") << "existant.liste_fantrel"
                                              << "" << false << "existant.liste_fantrel" << 2 << 0;
    QTest::newRow("ecrasement confirme") << "existant.liste_fantrel"
                                         << "" << true << "existant.liste_fantrel" << 2 << 1;
}

void TestDialogues::enregistrer()
{
    QFETCH(QString, nom_tape);
    QFETCH(QString, filtre_choisi);
    QFETCH(bool, confirmer);
    QFETCH(QString, nom_attendu);
    QFETCH(int, index_attendu);
    QFETCH(int, boites_attendues);
    QTemporaryDir dossier;
    QFile existant(dossier.filePath(QStringLiteral("existant.liste_fantrel")));
    QVERIFY(existant.open(QIODevice::WriteOnly));
    existant.close();

    platform::OptionsDialogue options;
    options.titre = QStringLiteral("Enregistrer la liste");
    options.filtre = QStringLiteral("Texte|*.txt|Listes|*.liste_fantrel");
    options.index_filtre = 2;
    options.extension_defaut = QStringLiteral("liste_fantrel");
    options.repertoire_initial = dossier.path();
    options.nom_fichier = QStringLiteral("propose.liste_fantrel");
    options.confirmer_ecrasement = confirmer;
    Releve releve;
    QTimer robot;
    pilote(robot, releve, nom_tape, filtre_choisi);
    const platform::ResultatDialogue resultat =
            platform::interactions_reelles().enregistrer_fichier(options);

    QCOMPARE(releve.titre, options.titre);
    QCOMPARE(releve.dossier, QDir(dossier.path()).absolutePath());
    QCOMPARE(releve.filtre_initial, QStringLiteral("Listes (*.liste_fantrel)"));
    QCOMPARE(releve.nom_propose, options.nom_fichier);
    QVERIFY(resultat.accepte);
    QCOMPARE(resultat.nom_fichier, dossier.filePath(nom_attendu));
    QCOMPARE(resultat.index_filtre, index_attendu);
    QCOMPARE(releve.boites_ecrasement, boites_attendues);
}

void TestDialogues::ouvrir_existant()
{
    QTemporaryDir dossier;
    QFile f(dossier.filePath(QStringLiteral("machin.liste_fantrel")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    platform::OptionsDialogue options;
    options.filtre = QStringLiteral("Listes|*.liste_fantrel|Texte|*.txt");
    options.repertoire_initial = dossier.path();
    options.nom_fichier = QStringLiteral("*.liste_fantrel");
    Releve releve;
    QTimer robot;
    pilote(robot, releve, QStringLiteral("machin.liste_fantrel"), QString());
    const platform::ResultatDialogue resultat =
            platform::interactions_reelles().ouvrir_fichier(options);
    QVERIFY(releve.nom_propose.isEmpty());
    QCOMPARE(releve.filtre_initial, QStringLiteral("Listes (*.liste_fantrel)"));
    QVERIFY(resultat.accepte);
    QCOMPARE(resultat.nom_fichier, f.fileName());
    QCOMPARE(resultat.index_filtre, 1);
}

int execute_test_dialogues(int argc, char **argv)
{
    TestDialogues test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dialogues.moc"
