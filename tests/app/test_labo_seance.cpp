// A station sending to the lab server, through the real windows: two participants and a
// rename, the server stopped and started again mid-session with the status bar saying
// so, then every station's export from the menu; and the settings dialog's test.
#include "seance_jouee.h"
#include "grappe_postgres.h"
#include "verifications.h"
#include "app/dialogue_base_labo.h"
#include "app/liaison_labo.h"
#include "base/secours_csv.h"
#include "platform/application.h"
#include <QAction>
#include <QFile>
#include <QSet>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

using namespace fantrel;
using tests::GrappePostgres;

class TestLaboSeance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("PGPASSFILE", "/nonexistent");
        if (!GrappePostgres::impossible().isEmpty())
            FANTREL_SAUTER(GrappePostgres::impossible());
    }
    void cleanup() { qunsetenv(app::variable_base_labo); }
    void seance_malgre_une_panne_du_serveur();
    void dialogue_et_test_de_connexion();
};

void TestLaboSeance::seance_malgre_une_panne_du_serveur()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    qputenv(app::variable_base_labo, base::uri_labo(grappe.adresse()).toUtf8());
    banc::Banc b;
    const QString cible = b.chemin("stations.csv");
    b.seams->enregistrer_fichier = [&](const platform::OptionsDialogue &dialogue) {
        // The server's entries come after this station's four.
        return platform::ResultatDialogue{ dialogue.filtre.count(u'|') == 11, cible, 5 };
    };
    b.seams->question = [](const QString &, bool) { return platform::Reponse::Non; };
    b.demarre();
    app::TForm1 &f = *b.form;
    const QString a_jour = QStringLiteral("Base du laboratoire : à jour");
    QVERIFY(banc::repond(f, true) && banc::repond(f, false));
    f.outeffacer1->trigger();
    QVERIFY(banc::repond(f, true));
    b.fenetres->tableau->renomme(1, QStringLiteral("Léa"));
    QTRY_COMPARE_WITH_TIMEOUT(f.Lab_base_labo->text(), a_jour, 20000);
    QVERIFY(!f.statusBar()->isHidden());
    QCOMPARE(f.Lab_base_labo->accessibleName(), a_jour);

    QVERIFY(grappe.arrete());
    QVERIFY(banc::repond(f, true));
    QTRY_VERIFY_WITH_TIMEOUT(f.Lab_base_labo->text().startsWith(QStringLiteral(
                                     "Base du laboratoire : 1 essai en attente (injoignable depuis")),
                             20000);
    QVERIFY(grappe.demarre());
    QTRY_COMPARE_WITH_TIMEOUT(f.Lab_base_labo->text(), a_jour, 30000);
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join('\n')));

    f.Exporterlesessais1->trigger();
    QVERIFY2(b.erreurs.isEmpty(), qPrintable(b.erreurs.join('\n')));
    QFile csv(cible);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QVector<QStringList> lignes = base::lignes_csv(QString::fromUtf8(csv.readAll()));
    QCOMPARE(lignes.size(), 1 + 4);
    const auto colonne = [&](const char *nom) { return banc::colonne_csv(lignes, nom); };
    const QStringList p = colonne("participant");
    QCOMPARE(QSet<QString>(p.begin(), p.end()).size(), 2);
    QCOMPARE(p[1], p[0]);
    QVERIFY(p[2] != p[0]);
    QCOMPARE(colonne("code_participant"), (QStringList{ "Essai1", "Essai1", "Léa", "Léa" }));
    QVERIFY(!colonne("station")[0].isEmpty());
    QCOMPARE(grappe.psql("SELECT count(*), count(DISTINCT uuid) FROM essais"), "4|4");
}

void TestLaboSeance::dialogue_et_test_de_connexion()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    app::DialogueBaseLabo d;
    d.montre(base::uri_labo(grappe.adresse()), QStringLiteral("poste-7"), QString());
    QCOMPARE(d.Edit_hote->text(), grappe.adresse().hote);
    QCOMPARE(d.Spin_port->value(), grappe.adresse().port);
    d.teste_connexion();
    QVERIFY2(d.Lab_resultat->text().startsWith(QStringLiteral("Connexion réussie")),
             qPrintable(d.Lab_resultat->text()));
    d.Edit_base->setText(QStringLiteral("absente"));
    d.teste_connexion();
    QVERIFY2(d.Lab_resultat->text().startsWith(QStringLiteral("Échec : ")),
             qPrintable(d.Lab_resultat->text()));
    // What fantrel.ini will keep: never the password typed.
    d.Edit_mot_de_passe->setText(QStringLiteral("m0t-secret"));
    QVERIFY(!d.uri_lue().contains(QStringLiteral("m0t-secret")));
    QCOMPARE(base::lit_uri_labo(d.uri_lue())->base, QStringLiteral("absente"));
    d.Edit_base->clear();
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY2(d.Lab_resultat->text().contains(QStringLiteral("base manque")),
             qPrintable(d.Lab_resultat->text()));
}

FANTREL_TEST_MAIN(TestLaboSeance)
#include "test_labo_seance.moc"
