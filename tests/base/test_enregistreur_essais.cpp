// Recording as the trials run: a base that refuses to be written never stops the
// trials, is announced once, and receives everything, in order, once it works again.
#include "essais_exemples.h"
#include "base/base_essais.h"
#include "base/dialecte_sqlite.h"
#include "base/enregistreur_essais.h"
#include "base/secours_csv.h"
#include "verifications.h"
#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>
#include <sys/mount.h>

using namespace fantrel;
using namespace fantrel::base;

namespace {

enum class Cas {
    verrou,
    fichier_lecture_seule,
    dossier_lecture_seule,
    dossier_absent,
    disque_plein,
    version
};

const QString prefixe = QStringLiteral("Les essais ne sont plus enregistrés dans la base : ");

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString &chemin, const QByteArray &octets, qint64 position = 0)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.seek(position));
    QCOMPARE(f.write(octets), octets.size());
}

QByteArray octets_quelconques(qsizetype taille)
{
    QByteArray o(taille, Qt::Uninitialized);
    QRandomGenerator generateur(20240314);
    for (char &c : o)
        c = char(generateur.bounded(256));
    return o;
}

// The trial numbers the base holds for a session, in order.
QList<int> numeros(const QString &chemin, std::optional<qint64> seance)
{
    BaseEssais base(chemin);
    QList<int> n;
    for (const Essai &e : base.essais(seance))
        n << e.numero;
    return n;
}

QList<int> de_un_a(int dernier)
{
    QList<int> n;
    for (int i = 1; i <= dernier; ++i)
        n << i;
    return n;
}

} // namespace

Q_DECLARE_METATYPE(Cas)

class TestEnregistreurEssais : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void conditions_data();
    void conditions();
    void fichier_endommage_data();
    void fichier_endommage();
    void endommage_pendant_une_panne();
    void fichier_de_secours();

private:
    QString dossier() const { return m_dossier->filePath(QStringLiteral("travail")); }
    QString chemin() const { return dossier() + QStringLiteral("/fantrel.sqlite"); }
    void prepare(Cas cas);
    void provoque(Cas cas);
    void repare(Cas cas);
    QStringList de_cote() const;

    std::unique_ptr<QTemporaryDir> m_dossier;
    std::unique_ptr<QSqlDatabase> m_verrou; // the other program's connection
    bool m_monte = false;
    QByteArray m_recente; // the newer program's file, as it was
};

void TestEnregistreurEssais::init()
{
    m_dossier = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dossier->isValid());
    QVERIFY(QDir().mkpath(dossier()));
}

void TestEnregistreurEssais::cleanup()
{
    if (m_verrou) {
        m_verrou->close();
        m_verrou.reset();
        QSqlDatabase::removeDatabase(QStringLiteral("verrou"));
    }
    QFile::setPermissions(dossier(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(chemin(), QFile::ReadOwner | QFile::WriteOwner);
    if (m_monte)
        umount2(QFile::encodeName(dossier()).constData(), MNT_DETACH);
    m_monte = false;
}

void TestEnregistreurEssais::conditions_data()
{
    QTest::addColumn<Cas>("cas");
    QTest::addColumn<QString>("raison");
    QTest::newRow("verrou d'un autre programme")
            << Cas::verrou << "verrouillé par un autre programme";
    QTest::newRow("fichier en lecture seule") << Cas::fichier_lecture_seule << "en lecture seule";
    QTest::newRow("dossier en lecture seule") << Cas::dossier_lecture_seule << "en lecture seule";
    QTest::newRow("dossier absent") << Cas::dossier_absent << "ni ouvert ni créé";
    QTest::newRow("disque plein (tmpfs)") << Cas::disque_plein << "est plein";
    QTest::newRow("base d'une version plus récente")
            << Cas::version << "version plus récente du programme";
}

void TestEnregistreurEssais::conditions()
{
    QFETCH(Cas, cas);
    QFETCH(QString, raison);
    // A tmpfs of its own, in a user and mount namespace of its own (root or not).
    if (cas == Cas::disque_plein && !commun::dans_un_enfant()) {
        if (const QString impossible = commun::espace_prive_impossible(); !impossible.isEmpty())
            FANTREL_SAUTER(impossible);
        return commun::rejoue_dans_un_enfant(commun::enveloppe_espace_prive());
    }
    const bool des_l_ouverture = cas != Cas::verrou && cas != Cas::disque_plein;
    prepare(cas);
    if (QTest::currentTestFailed())
        return;
    if (des_l_ouverture)
        provoque(cas);
    EnregistreurEssais enregistreur(chemin());
    QSignalSpy arrets(&enregistreur, &EnregistreurEssais::enregistrement_arrete);
    QSignalSpy retours(&enregistreur, &EnregistreurEssais::enregistrement_retabli);
    enregistreur.commence_seance(exemples::seance_exemple(dossier()));
    int numero = 0;
    const auto essai = [&] { enregistreur.enregistre_essai(exemples::essai_boutons(++numero)); };
    if (!des_l_ouverture) {
        essai();
        essai();
        QVERIFY(enregistreur.en_service());
        provoque(cas);
        for (int n = 0; n < 3000 && enregistreur.en_service(); ++n)
            essai(); // a full disc still takes what fits in the journal's free room
    }
    const int en_service_jusqu_a = des_l_ouverture ? 0 : numero - 1;
    for (int n = 0; n < 3; ++n)
        essai();
    QVERIFY(!enregistreur.en_service());
    QTRY_COMPARE(arrets.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(arrets.count(), 1); // once for the whole episode
    const QString message = arrets.first().first().toString();
    QVERIFY2(message.startsWith(prefixe) && message.contains(raison), qPrintable(message));
    QVERIFY2(message.contains(QDir::toNativeSeparators(chemin())), qPrintable(message));
    QCOMPARE(retours.count(), 0);
    QCOMPARE(enregistreur.en_attente(), numero - en_service_jusqu_a);

    repare(cas);
    essai();
    QVERIFY(enregistreur.en_service());
    QCOMPARE(enregistreur.en_attente(), 0);
    QTRY_COMPARE(retours.count(), 1);
    QCOMPARE(arrets.count(), 1);
    QCOMPARE(numeros(chemin(), enregistreur.seance()), de_un_a(numero));

    // A second episode is announced again.
    if (cas == Cas::verrou) {
        provoque(cas);
        essai();
        QTRY_COMPARE(arrets.count(), 2);
        repare(cas);
        essai();
        QTRY_COMPARE(retours.count(), 2);
        QCOMPARE(numeros(chemin(), enregistreur.seance()), de_un_a(numero));
    }
}

void TestEnregistreurEssais::prepare(Cas cas)
{
    if (cas != Cas::disque_plein)
        return;
    const QByteArray cible = QFile::encodeName(dossier());
    QVERIFY2(mount("tmpfs", cible.constData(), "tmpfs", 0, "size=1m,mode=0755") == 0,
             qPrintable(QStringLiteral("tmpfs non monté : ") + qt_error_string(errno)));
    m_monte = true;
}

void TestEnregistreurEssais::provoque(Cas cas)
{
    switch (cas) {
    case Cas::verrou: {
        if (!m_verrou) {
            m_verrou = std::make_unique<QSqlDatabase>(
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("verrou")));
            m_verrou->setDatabaseName(chemin());
            QVERIFY(m_verrou->open());
        }
        QSqlQuery q(*m_verrou);
        QVERIFY2(q.exec(QStringLiteral("BEGIN EXCLUSIVE")), qPrintable(q.lastError().text()));
        break;
    }
    case Cas::fichier_lecture_seule: {
        BaseEssais base(chemin());
    }
        QVERIFY(QFile::setPermissions(chemin(), QFile::ReadOwner | QFile::ReadGroup));
        break;
    case Cas::dossier_lecture_seule:
        QVERIFY(QFile::setPermissions(dossier(), QFile::ReadOwner | QFile::ExeOwner));
        break;
    case Cas::dossier_absent:
        QVERIFY(QDir().rmdir(dossier()));
        break;
    case Cas::disque_plein: {
        QFile remplissage(dossier() + QStringLiteral("/remplissage"));
        QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray bloc(4096, 'x');
        while (remplissage.write(bloc) == bloc.size()) { }
        break;
    }
    case Cas::version: {
        {
            BaseEssais base(chemin());
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "recente");
            db.setDatabaseName(chemin());
            QVERIFY(db.open());
            dialecte_sqlite().pose_version_schema(db, 9, chemin());
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("recente"));
        m_recente = contenu(chemin());
        break;
    }
    }
}

void TestEnregistreurEssais::repare(Cas cas)
{
    switch (cas) {
    case Cas::verrou: {
        QSqlQuery(*m_verrou).exec(QStringLiteral("ROLLBACK"));
        break;
    }
    case Cas::fichier_lecture_seule:
        QVERIFY(QFile::setPermissions(chemin(), QFile::ReadOwner | QFile::WriteOwner));
        break;
    case Cas::dossier_lecture_seule:
        QVERIFY(QFile::setPermissions(dossier(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        break;
    case Cas::dossier_absent:
        QVERIFY(QDir().mkdir(dossier()));
        break;
    case Cas::disque_plein:
        QVERIFY(QFile::remove(dossier() + QStringLiteral("/remplissage")));
        break;
    case Cas::version: // the user moves the newer program's file away: left as it was
        QCOMPARE(contenu(chemin()), m_recente);
        QVERIFY(QFile::rename(chemin(), dossier() + QStringLiteral("/recente.sqlite")));
        break;
    }
}

QStringList TestEnregistreurEssais::de_cote() const
{
    return QDir(dossier()).entryList({ QStringLiteral("fantrel-endommagee-*") }, QDir::Files,
                                     QDir::Name);
}

void TestEnregistreurEssais::fichier_endommage_data()
{
    QTest::addColumn<bool>("pages_seules"); // the header left sound
    QTest::newRow("octets quelconques, journal compris") << false;
    QTest::newRow("pages endommagées") << true;
}

// Set aside under a new name, never written over; a new base takes the session.
void TestEnregistreurEssais::fichier_endommage()
{
    QFETCH(bool, pages_seules);
    QByteArray journal;
    if (pages_seules) {
        {
            BaseEssais base(chemin());
            Essai e = exemples::essai_saisie();
            e.seance = base.insere_seance(exemples::seance_exemple(dossier()));
            base.insere_essais(QVector<Essai>(300, e));
        }
        ecrit(chemin(), octets_quelconques(3 * 4096), 2 * 4096);
    } else {
        ecrit(chemin(), octets_quelconques(20000));
        journal = octets_quelconques(5000);
        ecrit(chemin() + QStringLiteral("-wal"), journal);
    }
    const QByteArray endommage = contenu(chemin());

    EnregistreurEssais enregistreur(chemin());
    QSignalSpy arrets(&enregistreur, &EnregistreurEssais::enregistrement_arrete);
    QSignalSpy retours(&enregistreur, &EnregistreurEssais::enregistrement_retabli);
    QTRY_COMPARE(retours.count(), 1);
    QCOMPARE(arrets.count(), 1);
    QVERIFY(enregistreur.en_service());
    const QStringList gardes = de_cote().filter(QRegularExpression("\\.sqlite$"));
    QCOMPARE(gardes.size(), 1);
    const QString garde = dossier() + QLatin1Char('/') + gardes.first();
    QCOMPARE(contenu(garde), endommage);
    if (!pages_seules)
        QCOMPARE(contenu(garde + QStringLiteral("-wal")), journal);
    const QString message = arrets.first().first().toString();
    QVERIFY2(message.startsWith(prefixe) && message.contains(QStringLiteral("endommagé"))
                     && message.contains(QDir::toNativeSeparators(garde))
                     && message.contains(QStringLiteral("nouvelle base")),
             qPrintable(message));

    enregistreur.commence_seance(exemples::seance_exemple(dossier()));
    enregistreur.enregistre_essai(exemples::essai_boutons(1));
    enregistreur.enregistre_essai(exemples::essai_boutons(2));
    QCOMPARE(enregistreur.en_attente(), 0);
    QCOMPARE(numeros(chemin(), std::nullopt), (QList<int>{ 1, 2 }));
}

// The file is damaged while the base was closed by a lock: the next trial sets it
// aside and writes the whole session, from its first trial, into the new base.
void TestEnregistreurEssais::endommage_pendant_une_panne()
{
    EnregistreurEssais enregistreur(chemin());
    QSignalSpy arrets(&enregistreur, &EnregistreurEssais::enregistrement_arrete);
    enregistreur.commence_seance(exemples::seance_exemple(dossier()));
    enregistreur.enregistre_evenement(Evenement::nouvel_utilisateur(1, QStringLiteral("Zoé")));
    enregistreur.enregistre_essai(exemples::essai_boutons(1));
    enregistreur.enregistre_essai(exemples::essai_boutons(2));
    provoque(Cas::verrou);
    enregistreur.enregistre_essai(exemples::essai_boutons(3));
    QVERIFY(!enregistreur.en_service());
    repare(Cas::verrou);
    cleanup();
    ecrit(chemin(), octets_quelconques(8192));
    enregistreur.enregistre_essai(exemples::essai_boutons(4));
    QVERIFY(enregistreur.en_service());
    QTRY_COMPARE(arrets.count(), 2);
    QVERIFY2(arrets.last().first().toString().contains(QStringLiteral("mis de côté")),
             qPrintable(arrets.last().first().toString()));
    QCOMPARE(de_cote().filter(QRegularExpression("\\.sqlite$")).size(), 1);
    QCOMPARE(numeros(chemin(), std::nullopt), (QList<int>{ 1, 2, 3, 4 }));
    BaseEssais base(chemin());
    QCOMPARE(base.evenements(enregistreur.seance()).size(), 1);
}

// The base still locked by another program at quit: the trials that wait, tried once
// more, go to a rescue file beside the base. Until it is imported, the next start sees
// a partial session; imported (twice: nothing doubles), every trial is there once and
// the session, which did quit, is offered no more.
void TestEnregistreurEssais::fichier_de_secours()
{
    Participant zoe;
    zoe.uuid = QStringLiteral("4f1e3c2a-9b7d-4e61-8a0f-2c5d6e7f8091");
    zoe.code = QStringLiteral("Zoé, \"B\"");
    QString secours;
    {
        EnregistreurEssais enregistreur(chemin());
        enregistreur.commence_seance(exemples::seance_exemple(dossier()));
        enregistreur.enregistre_participant(zoe);
        for (int n = 1; n <= 6; ++n) {
            if (n == 4)
                provoque(Cas::verrou);
            Essai e = exemples::essai_boutons(n);
            e.participant = zoe.uuid;
            enregistreur.enregistre_essai(e);
        }
        enregistreur.enregistre_evenement(Evenement::fin());
        secours = enregistreur.sauve_en_secours();
        QCOMPARE(enregistreur.en_attente(), 0);
        repare(Cas::verrou);
    }
    QCOMPARE(QFileInfo(secours).absolutePath(), QFileInfo(chemin()).absolutePath());
    QVERIFY2(QRegularExpression("^essais-non-enregistres-\\d{8}-\\d{6}\\.csv$")
                     .match(QFileInfo(secours).fileName())
                     .hasMatch(),
             qPrintable(secours));
    const QVector<QStringList> lignes = lignes_csv(QString::fromUtf8(contenu(secours)));
    QCOMPARE(lignes.size(), 1 + 3);
    const qsizetype numero = lignes[0].indexOf(QStringLiteral("numero"));
    const qsizetype code = lignes[0].indexOf(QStringLiteral("code_participant"));
    for (int k = 1; k <= 3; ++k) {
        QCOMPARE(lignes[k][numero], QString::number(3 + k));
        QCOMPARE(lignes[k][code], zoe.code);
    }
    QCOMPARE(numeros(chemin(), std::nullopt), (QList<int>{ 1, 2, 3 }));

    EnregistreurEssais suivant(chemin());
    QVERIFY(suivant.seance_a_reprendre(QStringLiteral("poste-1"), dossier()));
    QCOMPARE(suivant.importe_secours(secours, QStringLiteral("poste-1"), dossier()), 3);
    QCOMPARE(suivant.importe_secours(secours, QStringLiteral("poste-1"), dossier()), 0);
    QCOMPARE(numeros(chemin(), std::nullopt), de_un_a(6));
    BaseEssais base(chemin());
    for (const Essai &e : base.essais())
        QCOMPARE(e.participant, zoe.uuid);
    QVERIFY(!suivant.seance_a_reprendre(QStringLiteral("poste-1"), dossier()));
}

QTEST_GUILESS_MAIN(TestEnregistreurEssais)
#include "test_enregistreur_essais.moc"
