// The lab server: stations recording at once, the server stopped and started again, a
// station killed while sending, refusals; every trial reaches the server exactly once
// and the local files keep their own. Each case runs its own throwaway cluster.
#include "essais_exemples.h"
#include "grappe_postgres.h"
#include "verifications.h"
#include "base/base_essais.h"
#include "base/dialecte_postgres.h"
#include "base/enregistreur_essais.h"
#include "base/envoi_labo.h"
#include "base/export_csv.h"
#include "base/schema_base.h"
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

using namespace fantrel;
using namespace fantrel::base;
using tests::GrappePostgres;

namespace {

QString uri(const GrappePostgres &grappe, const QString &mot_de_passe = {})
{
    AdresseLabo a = grappe.adresse();
    a.mot_de_passe = mot_de_passe;
    return uri_labo(a, true);
}

QMap<QString, Essai> par_uuid(const QVector<Essai> &essais)
{
    QMap<QString, Essai> m;
    for (const Essai &e : essais)
        m.insert(e.uuid, e);
    return m;
}

// One CSV row's fields (RFC 4180: quoted fields may hold commas and doubled quotes).
QStringList champs_csv(const QString &ligne)
{
    QStringList champs(1);
    bool cite = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        const QChar c = ligne[i];
        if (c == '"' && cite && i + 1 < ligne.size() && ligne[i + 1] == '"')
            champs.last() += ligne[++i];
        else if (c == '"')
            cite = !cite;
        else if (c == ',' && !cite)
            champs << QString();
        else
            champs.last() += c;
    }
    return champs;
}

// Runs the station helper; its output is read by attend().
struct Station
{
    QProcess processus;
    QByteArray sortie;

    void lance(const QString &base, const QString &adresse, int nombre, const QString &nom)
    {
        processus.start(QStringLiteral(STATION_LABO),
                        { base, adresse, QString::number(nombre), nom });
    }
    // Until a line starting with debut, then that line's number; -1 on timeout or echec.
    int attend(const QByteArray &debut, int numero = 0)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 120000) {
            sortie += processus.readAllStandardOutput();
            for (const QByteArray &ligne : sortie.split('\n'))
                if (ligne.startsWith(debut) && ligne.mid(debut.size()).trimmed().toInt() >= numero)
                    return ligne.mid(debut.size()).trimmed().toInt();
            if (sortie.contains("echec") || processus.state() == QProcess::NotRunning)
                return -1;
            processus.waitForReadyRead(1000);
        }
        return -1;
    }
};

} // namespace

class TestEnvoiLabo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void deux_stations_puis_export();
    void serveur_arrete_puis_relance();
    void station_tuee_pendant_l_envoi();
    void refus_data();
    void refus();
    void rangees_d_avant_les_identites();
};

void TestEnvoiLabo::initTestCase()
{
    qputenv("PGPASSFILE", "/nonexistent"); // no password but the case's own
    if (!GrappePostgres::impossible().isEmpty())
        FANTREL_SAUTER(GrappePostgres::impossible());
}

// Two processes, 500 trials each at once: the server holds the 1,000, each exactly as
// its station recorded it, and its CSV export tells the stations and people apart.
void TestEnvoiLabo::deux_stations_puis_export()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    QTemporaryDir a, b;
    Station station_a, station_b;
    station_a.lance(a.filePath("fantrel.sqlite"), uri(grappe), 500, "poste-A");
    station_b.lance(b.filePath("fantrel.sqlite"), uri(grappe), 500, "poste-B");
    QVERIFY2(station_a.attend("a_jour") == 0, station_a.sortie.right(300).constData());
    QVERIFY2(station_b.attend("a_jour") == 0, station_b.sortie.right(300).constData());
    QVERIFY(station_a.processus.waitForFinished() && station_b.processus.waitForFinished());

    QMap<QString, Essai> locaux;
    for (const QTemporaryDir *d : { &a, &b }) {
        BaseEssais locale(d->filePath("fantrel.sqlite"), BaseEssais::Acces::lecture);
        const QVector<Essai> essais = locale.essais();
        QCOMPARE(essais.size(), 500);
        locaux.insert(par_uuid(essais));
    }
    BaseEssais serveur(uri(grappe), BaseEssais::Acces::lecture, dialecte_postgres());
    const QVector<Essai> recus = serveur.essais();
    QCOMPARE(recus.size(), 1000);
    const QMap<QString, Essai> sur_serveur = par_uuid(recus);
    QCOMPARE(sur_serveur.keys(), locaux.keys());
    for (Essai e : sur_serveur) { // every column as recorded; ids are the server's own
        e.id = locaux[e.uuid].id;
        e.seance = locaux[e.uuid].seance;
        QCOMPARE(e, locaux[e.uuid]);
    }

    const QString csv = a.filePath("toutes.csv");
    exporte_csv(uri(grappe), csv, std::nullopt, FormeCsv::r_pandas, dialecte_postgres());
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lignes = QString::fromUtf8(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lignes.first(), colonnes_csv().join(','));
    const auto participant = colonnes_csv().indexOf("participant");
    const auto station = colonnes_csv().indexOf("station");
    QMap<QString, int> par_station;
    QSet<QString> personnes;
    for (const QString &ligne : lignes.mid(1)) {
        const QStringList champs = champs_csv(ligne);
        QCOMPARE(champs.size(), colonnes_csv().size());
        ++par_station[champs[station]];
        personnes << champs[participant] + champs[station];
        QVERIFY(!champs[participant].isEmpty());
    }
    QCOMPARE(par_station, (QMap<QString, int>{ { "poste-A", 500 }, { "poste-B", 500 } }));
    QCOMPARE(personnes.size(), 2);
}

// The server stopped while trials arrive: they wait, the status says so, and once it
// is back every trial is there exactly once.
void TestEnvoiLabo::serveur_arrete_puis_relance()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("fantrel.sqlite");
    EnregistreurEssais enregistreur(chemin);
    enregistreur.commence_seance(exemples::seance_exemple(dossier.path()));
    Participant participant;
    participant.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    participant.code = "Essai1";
    enregistreur.enregistre_participant(participant);
    EnvoiLabo envoi(chemin, grappe.adresse());
    envoi.demarre();
    const auto enregistre = [&](int de, int a) {
        for (int n = de; n <= a; ++n) {
            Essai e = exemples::essai_morbelle();
            e.numero = n;
            enregistreur.enregistre_essai(e);
            envoi.signale_nouveautes();
            if (n % 10 == 0)
                QTest::qWait(1);
        }
    };
    enregistre(1, 150);
    QVERIFY(grappe.arrete()); // most likely in the middle of a batch
    enregistre(151, 300);
    QTRY_VERIFY_WITH_TIMEOUT(envoi.etat().refus == RefusLabo::injoignable, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(envoi.etat().essais_en_attente > 0, true, 10000);
    QVERIFY2(texte_etat_labo(envoi.etat()).contains(" essais en attente (injoignable depuis "),
             qPrintable(texte_etat_labo(envoi.etat())));
    // Changed after they were sent: the participant renamed, the session's refresh.
    participant.code = "Zoé";
    enregistreur.enregistre_participant(participant);
    enregistreur.enregistre_evenement(Evenement::renommage(1, "Zoé"));
    enregistreur.precise_seance(119.88, "normale", "simule");
    QVERIFY(grappe.demarre());
    QTRY_VERIFY_WITH_TIMEOUT(texte_etat_labo(envoi.etat()) == "Base du laboratoire : à jour", 30000);
    QTRY_COMPARE_WITH_TIMEOUT(grappe.psql("SELECT p.code || ' ' || s.rafraichissement_hz"
                                          " || ' ' || e.nom FROM participants p, seances s,"
                                          " evenements e"),
                              QStringLiteral("Zoé 119.88 Zoé"), 10000);
    QCOMPARE(grappe.psql("SELECT COUNT(*), COUNT(DISTINCT uuid), MIN(numero), MAX(numero)"
                         " FROM essais"),
             QStringLiteral("300|300|1|300"));
    QCOMPARE(enregistreur.en_attente(), 0);
    { // the session and the participant, sent again, are marked again: no endless resend
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "marques");
        db.setDatabaseName(chemin);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("SELECT (SELECT COUNT(*) FROM seances WHERE envoye IS NULL)"
                       " + (SELECT COUNT(*) FROM participants WHERE envoye IS NULL)") && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase("marques");
}

// A station killed with SIGKILL while it sends: once restarted, the server holds each
// of its trials once, exactly those of its file.
void TestEnvoiLabo::station_tuee_pendant_l_envoi()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("fantrel.sqlite");
    Station station;
    station.lance(chemin, uri(grappe), 4000, "poste-A");
    QVERIFY(station.attend("engage ", 300) >= 300);
    QTRY_VERIFY_WITH_TIMEOUT(grappe.psql("SELECT COUNT(*) FROM essais").toInt() > 0, 20000);
    station.processus.kill();
    QVERIFY(station.processus.waitForFinished());
    const int sur_serveur_avant = grappe.psql("SELECT COUNT(*) FROM essais").toInt();

    Station relance;
    relance.lance(chemin, uri(grappe), 0, "poste-A");
    QVERIFY2(relance.attend("a_jour") == 0, relance.sortie.right(300).constData());
    QVERIFY(relance.processus.waitForFinished());
    BaseEssais locale(chemin, BaseEssais::Acces::lecture);
    const QStringList uuids = par_uuid(locale.essais()).keys();
    QVERIFY(uuids.size() >= 300);
    QStringList sur_serveur =
            grappe.psql("SELECT uuid FROM essais ORDER BY uuid").split('\n', Qt::SkipEmptyParts);
    QCOMPARE(sur_serveur, uuids);
    QVERIFY2(sur_serveur_avant < uuids.size(), "tuée après la fin de l'envoi : rien n'est testé");
}

void TestEnvoiLabo::refus_data()
{
    QTest::addColumn<bool>("mot_de_passe_exige");
    QTest::addColumn<QString>("mot_de_passe");
    QTest::addColumn<bool>("schema_futur");
    QTest::addColumn<int>("refus");
    QTest::addColumn<QString>("message");
    QTest::newRow("mot de passe absent")
            << true << QString() << false << int(RefusLabo::mot_de_passe)
            << "labo sur %1:%2 demande un mot de passe.";
    QTest::newRow("mot de passe faux")
            << true << "faux" << false << int(RefusLabo::authentification)
            << "labo sur %1:%2 a refusé l'utilisateur ou le mot de passe.";
    QTest::newRow("schéma d'une version plus récente")
            << false << QString() << true << int(RefusLabo::version)
            << "labo sur %1:%2 a été créée par une version plus récente du programme : "
               "rien n'y est envoyé.";
}

// A refusal is told in French by the connection test and the status, the station goes
// on recording locally, and nothing reaches the server; a password given later sends all.
void TestEnvoiLabo::refus()
{
    QFETCH(bool, mot_de_passe_exige);
    QFETCH(QString, mot_de_passe);
    QFETCH(bool, schema_futur);
    QFETCH(int, refus);
    QFETCH(QString, message);
    GrappePostgres grappe(mot_de_passe_exige ? GrappePostgres::Acces::mot_de_passe
                                             : GrappePostgres::Acces::confiance);
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    if (schema_futur) {
        { BaseEssais faite(uri(grappe), BaseEssais::Acces::ecriture, dialecte_postgres()); }
        QCOMPARE(grappe.psql("UPDATE version_schema SET version = 99"), QStringLiteral("UPDATE 1"));
    }
    AdresseLabo adresse = grappe.adresse();
    adresse.mot_de_passe = mot_de_passe;
    message = message.arg(adresse.hote).arg(adresse.port);
    const ResultatConnexion essai = essaie_connexion(adresse);
    QCOMPARE(int(essai.refus), refus);
    QVERIFY2(essai.message.endsWith(message), qPrintable(essai.message));
    QVERIFY(!essai.message.contains("faux"));

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("fantrel.sqlite");
    EnregistreurEssais enregistreur(chemin);
    enregistreur.commence_seance(exemples::seance_exemple(dossier.path()));
    EnvoiLabo envoi(chemin, adresse);
    envoi.demarre();
    for (int n = 1; n <= 20; ++n) {
        Essai e = exemples::essai_boutons(n);
        enregistreur.enregistre_essai(e);
        envoi.signale_nouveautes();
    }
    QTRY_COMPARE_WITH_TIMEOUT(int(envoi.etat().refus), refus, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(envoi.etat().essais_en_attente, qint64(20), 10000);
    QVERIFY2(envoi.etat().message.endsWith(message), qPrintable(envoi.etat().message));
    QVERIFY(enregistreur.en_service());
    QCOMPARE(BaseEssais(chemin).essais().size(), 20);
    const QString sur_serveur = schema_futur ? grappe.psql("SELECT COUNT(*) FROM essais")
                                             : grappe.psql("SELECT to_regclass('essais')");
    QCOMPARE(sur_serveur, schema_futur ? QStringLiteral("0") : QString());
    if (RefusLabo(refus) == RefusLabo::mot_de_passe) {
        envoi.donne_mot_de_passe(GrappePostgres::mot_de_passe_grappe);
        QTRY_COMPARE_WITH_TIMEOUT(envoi.etat().essais_en_attente, qint64(0), 20000);
        QCOMPARE(grappe.psql("SELECT COUNT(*) FROM essais"), QStringLiteral("20"));
    }
}

// A file from before identities (schema version 2): its trial gets a UUID kept
// locally before it is sent; its session keeps a NULL one (recovery tells an older
// program's sessions by it) and reaches the server under a UUID derived from its row.
void TestEnvoiLabo::rangees_d_avant_les_identites()
{
    GrappePostgres grappe;
    QVERIFY2(grappe.ok(), qPrintable(grappe.erreur()));
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("fantrel.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "ancienne");
        db.setDatabaseName(chemin);
        QVERIFY(db.open());
        migre_schema(db, dialecte_sqlite(), etapes_schema(dialecte_sqlite()).mid(0, 2), chemin);
        for (const char *sql :
             { "INSERT INTO seances (id, debut_utc) VALUES (1, '2024-01-01T00:00:00.000Z')",
               "INSERT INTO essais (seance, ordre, debut_utc, utilisateur, test, mot1)"
               " VALUES (1, 1, '2024-01-01T00:00:01.000Z', 1, 'korvane', 'cœur')" })
            QVERIFY(QSqlQuery(db).exec(QString::fromUtf8(sql)));
    }
    QSqlDatabase::removeDatabase("ancienne");
    for (int fois = 0; fois < 2; ++fois) { // the second from scratch: the same session
        if (fois == 1) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "marques");
            db.setDatabaseName(chemin);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("UPDATE seances SET envoye = NULL"));
            QVERIFY(QSqlQuery(db).exec("UPDATE essais SET envoye = NULL"));
        }
        QSqlDatabase::removeDatabase("marques");
        EnvoiLabo envoi(chemin, grappe.adresse());
        QSignalSpy tours(&envoi, &EnvoiLabo::etat_change);
        envoi.demarre();
        QTRY_VERIFY_WITH_TIMEOUT(!tours.isEmpty() && envoi.etat().essais_en_attente == 0, 20000);
    }
    BaseEssais locale(chemin, BaseEssais::Acces::lecture);
    const QVector<Essai> essais = locale.essais();
    QCOMPARE(essais.size(), 1);
    QVERIFY(!essais[0].uuid.isEmpty());
    QVERIFY(locale.seance(1)->uuid.isEmpty());
    QCOMPARE(grappe.psql("SELECT COUNT(*), MIN(e.uuid), MIN(e.mot1), COUNT(DISTINCT s.uuid)"
                         " FROM essais e JOIN seances s ON s.id = e.seance"),
             QStringLiteral("1|%1|cœur|1").arg(essais[0].uuid));
    QCOMPARE(grappe.psql("SELECT COUNT(*) FROM seances"), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestEnvoiLabo)
#include "test_envoi_labo.moc"
