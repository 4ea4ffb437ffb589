#include "clic_reel.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/boites_dialogue.h"
#include "platform/liaison.h"
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace fantrel;

class TestInteractions : public QObject
{
    Q_OBJECT
private slots:
    void notify_montre_l_erreur_data();
    void notify_montre_l_erreur();
    void relie_arrete_l_erreur_dans_le_gestionnaire_data();
    void relie_arrete_l_erreur_dans_le_gestionnaire();
    void proteger();
    void remplacement_restaure();
    void attente_retient_les_clics_data();
    void attente_retient_les_clics();
    void question_en_francais_data();
    void question_en_francais();
    void boite_d_erreur();
};

// Raises a run-time error from inside a handler, the way the program's handlers do.
static void leve(int &etapes)
{
    ++etapes;
    throw platform::erreur_entier(QStringLiteral("abc"));
}

void TestInteractions::notify_montre_l_erreur_data()
{
    QTest::addColumn<bool>("minuterie");
    QTest::newRow("minuterie") << true;
    QTest::newRow("appel differe") << false;
}

void TestInteractions::notify_montre_l_erreur()
{
    QFETCH(bool, minuterie);
    platform::RemplacementInteractions remplacement;
    QStringList erreurs;
    remplacement->erreur = [&](const QString &t) { erreurs << t; };
    int etapes = 0;
    for (int fois = 1; fois <= 2; ++fois) {
        if (minuterie)
            QTimer::singleShot(0, this, [&] { leve(etapes); });
        else
            QMetaObject::invokeMethod(
                    this, [&] { leve(etapes); }, Qt::QueuedConnection);
        // The loop goes on after the first error: the same way works a second time.
        QTRY_COMPARE(erreurs.size(), fois);
        QCOMPARE(etapes, fois);
    }
    QCOMPARE(erreurs.front(), QStringLiteral("'abc' n'est pas une valeur entière correcte"));
}

// A handler bound to a control's signal: the error stops in the handler, the control
// stays usable.
class Cible : public QObject
{
public:
    QList<int> recus;
    void sans_argument()
    {
        recus << -1;
        throw platform::erreur_entier(QStringLiteral("abc"));
    }
    void avec_valeur(int v)
    {
        recus << v;
        throw platform::erreur_entier(QStringLiteral("abc"));
    }
};

void TestInteractions::relie_arrete_l_erreur_dans_le_gestionnaire_data()
{
    QTest::addColumn<int>("forme");
    QTest::addColumn<QList<int>>("attendus");
    QTest::newRow("methode sans argument") << 0 << QList<int>{ -1, -1 };
    QTest::newRow("gestionnaire qui prend l'argument du signal") << 1 << QList<int>{ 1, 2 };
    QTest::newRow("lambda sans argument") << 2 << QList<int>{ -1, -1 };
}

void TestInteractions::relie_arrete_l_erreur_dans_le_gestionnaire()
{
    QFETCH(int, forme);
    QFETCH(QList<int>, attendus);
    platform::RemplacementInteractions remplacement;
    QStringList erreurs;
    remplacement->erreur = [&](const QString &t) { erreurs << t; };
    Cible cible;
    QPushButton bouton(QStringLiteral("Essai"));
    int clics = 0;
    connect(&bouton, &QPushButton::clicked, this, [&] { ++clics; });
    if (forme == 0)
        platform::relie(&bouton, &QPushButton::clicked, &cible, &Cible::sans_argument);
    else if (forme == 1)
        platform::relie(&bouton, &QPushButton::clicked, &cible,
                        [&](bool) { cible.avec_valeur(clics); });
    else
        platform::relie(&bouton, &QPushButton::clicked, &cible, [&] { cible.sans_argument(); });
    bouton.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bouton));
    for (int fois = 1; fois <= 2; ++fois) {
        QTest::mouseClick(&bouton, Qt::LeftButton);
        QCOMPARE(erreurs.size(), fois);
        QVERIFY2(!bouton.isDown(), "the button stayed pressed");
    }
    QCOMPARE(cible.recus, attendus);
    QCOMPARE(erreurs.front(), QStringLiteral("'abc' n'est pas une valeur entière correcte"));
}

void TestInteractions::proteger()
{
    platform::RemplacementInteractions remplacement;
    QStringList erreurs;
    remplacement->erreur = [&](const QString &t) { erreurs << t; };
    int etapes = 0;
    QVERIFY(!fantrel::platform::proteger([&] { leve(etapes); }));
    QCOMPARE(erreurs, QStringList{ QStringLiteral("'abc' n'est pas une valeur entière correcte") });
    QVERIFY(fantrel::platform::proteger([&] { ++etapes; }));
    QCOMPARE(etapes, 2);
    QCOMPARE(erreurs.size(), 1);
    // Other exceptions are faults of the program, not run-time errors: they go through.
    QVERIFY_THROWS_EXCEPTION(std::logic_error,
                             fantrel::platform::proteger([] { throw std::logic_error("faute"); }));
}

void TestInteractions::remplacement_restaure()
{
    QStringList vus;
    platform::RemplacementInteractions exterieur;
    exterieur->information = [&](const QString &t) { vus << QStringLiteral("ext:") + t; };
    exterieur->sortie_son = [&] {
        vus << QStringLiteral("sortie");
        return std::make_unique<platform::SortieSon>();
    };
    {
        platform::RemplacementInteractions interieur;
        interieur->information = [&](const QString &t) { vus << QStringLiteral("int:") + t; };
        interieur->sortie_son = nullptr;
        platform::information(QStringLiteral("a"));
    }
    platform::information(QStringLiteral("b"));
    QVERIFY(platform::nouvelle_sortie_son());
    QCOMPARE(vus, (QStringList{ "int:a", "ext:b", "sortie" }));
}

void TestInteractions::attente_retient_les_clics_data()
{
    QTest::addColumn<int>("duree");
    QTest::newRow("sans attente le clic passe") << 0;
    QTest::newRow("pendant l'attente le clic attend") << 1000;
}

// A timer fires during the wait while a real click made during it is delivered only after.
void TestInteractions::attente_retient_les_clics()
{
    QFETCH(int, duree);
    if (!clic_reel_disponible())
        QSKIP("no X server with XTest to make a real click");
    QPushButton bouton(QStringLiteral("Cliquez"));
    bouton.setWindowFlag(Qt::WindowStaysOnTopHint);
    bouton.setGeometry(40, 40, 200, 80);
    bouton.show();
    bouton.raise();
    QVERIFY(QTest::qWaitForWindowExposed(&bouton));
    QElapsedTimer chrono;
    qint64 clic_a = -1, minuterie_a = -1, clic_fait_a = -1;
    connect(&bouton, &QPushButton::clicked, this, [&] { clic_a = chrono.elapsed(); });
    chrono.start();
    QTimer::singleShot(50, this, [&] {
        clic_reel(bouton.mapToGlobal(bouton.rect().center()));
        clic_fait_a = chrono.elapsed();
    });
    QTimer::singleShot(300, this, [&] { minuterie_a = chrono.elapsed(); });
    platform::attente_reelle(duree);
    const qint64 fin_attente = chrono.elapsed();
    QVERIFY2(fin_attente >= duree, qPrintable(QString::number(fin_attente)));
    QTRY_VERIFY(clic_a >= 0);
    QTRY_VERIFY(minuterie_a >= 0);
    if (duree > 0) {
        QVERIFY2(clic_fait_a < fin_attente, "the click was made after the wait: nothing held");
        QVERIFY2(minuterie_a < fin_attente, "the timer did not fire during the wait");
        QVERIFY2(clic_a >= fin_attente,
                 qPrintable(QStringLiteral("click at %1 ms, wait ended at %2 ms")
                                    .arg(clic_a)
                                    .arg(fin_attente)));
    }
}

// Answers the next modal box with the button whose text (without '&') is given, after
// recording the texts of all its buttons.
static void repondra(QTimer &minuterie, const QString &bouton_choisi, QStringList &textes,
                     QMessageBox::Icon *icone = nullptr, QString *titre = nullptr)
{
    QObject::connect(&minuterie, &QTimer::timeout, &minuterie, [=, &minuterie, &textes] {
        auto *boite = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!boite)
            return;
        minuterie.stop();
        if (icone)
            *icone = boite->icon();
        if (titre)
            *titre = boite->windowTitle();
        QAbstractButton *choisi = nullptr;
        for (QAbstractButton *b : boite->buttons()) {
            const QString texte = b->text().remove(u'&');
            textes << texte;
            if (texte == bouton_choisi)
                choisi = b;
        }
        if (choisi)
            choisi->click();
        else
            boite->reject();
    });
    minuterie.start(20);
}

void TestInteractions::question_en_francais_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<bool>("avec_annuler");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<QStringList>("boutons");
    const QStringList deux{ "Oui", "Non" }, trois{ "Oui", "Non", "Annuler" };
    QTest::newRow("oui") << "Oui" << false << int(platform::Reponse::Oui) << deux;
    QTest::newRow("non") << "Non" << false << int(platform::Reponse::Non) << deux;
    QTest::newRow("non avec annuler") << "Non" << true << int(platform::Reponse::Non) << trois;
    QTest::newRow("annuler") << "Annuler" << true << int(platform::Reponse::Annuler) << trois;
}

void TestInteractions::question_en_francais()
{
    QFETCH(QString, bouton);
    QFETCH(bool, avec_annuler);
    QFETCH(int, reponse);
    QFETCH(QStringList, boutons);
    QStringList textes;
    QTimer robot;
    repondra(robot, bouton, textes);
    QCOMPARE(int(platform::interactions_reelles().question(QStringLiteral("Continuer ?"),
                                                           avec_annuler)),
             reponse);
    textes.sort();
    boutons.sort();
    QCOMPARE(textes, boutons);
}

void TestInteractions::boite_d_erreur()
{
    QStringList textes;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QString titre;
    QTimer robot;
    repondra(robot, QStringLiteral("OK"), textes, &icone, &titre);
    platform::interactions_reelles().erreur(QStringLiteral("Impossible d'ouvrir le fichier x"));
    QCOMPARE(icone, QMessageBox::Critical);
    QCOMPARE(titre, QStringLiteral("Erreur"));
    QCOMPARE(textes, QStringList{ QStringLiteral("OK") });
}

int execute_test_interactions(int argc, char **argv)
{
    TestInteractions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_interactions.moc"
