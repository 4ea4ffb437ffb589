// Helper of test_envoi_labo: a station recording N trials (one per millisecond) into
// its fantrel.sqlite while its sender copies them to the lab server; prints "engage n"
// once trial n is committed locally, then "a_jour" once the local file marks every
// trial sent. N = 0: only sends what the file holds (a restart).
// Usage: station_labo base.sqlite postgresql://… N station
#include "essais_exemples.h"
#include "base/enregistreur_essais.h"
#include "base/envoi_labo.h"
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>
#include <cstdio>

using namespace fantrel;

namespace {

// Trials the local file has not marked sent, read as another program would.
qint64 non_envoyes(const QString &chemin)
{
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "regard");
        db.setDatabaseName(chemin);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("SELECT COUNT(*) FROM essais WHERE envoye IS NULL"))
            && q.next())
            n = q.value(0).toLongLong();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("regard"));
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 5)
        return 2;
    const QString chemin = QString::fromLocal8Bit(argv[1]);
    const auto adresse = base::lit_uri_labo(QString::fromLocal8Bit(argv[2]));
    const int nombre = std::atoi(argv[3]);
    const QString station = QString::fromLocal8Bit(argv[4]);
    if (!adresse)
        return 2;

    base::EnregistreurEssais enregistreur(chemin);
    base::Seance seance = exemples::seance_exemple(QStringLiteral("/travail"), station);
    seance.station = station;
    enregistreur.commence_seance(seance);
    base::Participant participant;
    participant.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    participant.code = QStringLiteral("Essai1");
    participant.station = station;
    enregistreur.enregistre_participant(participant);
    base::EnvoiLabo envoi(chemin, *adresse);
    envoi.demarre();

    int n = 0;
    QTimer essais;
    QObject::connect(&essais, &QTimer::timeout, [&] {
        if (n >= nombre) {
            essais.stop();
            return;
        }
        base::Essai essai = exemples::essai_saisie();
        essai.numero = ++n;
        essai.participant = participant.uuid;
        enregistreur.enregistre_essai(essai);
        if (!enregistreur.en_service() || enregistreur.en_attente() != 0) {
            std::puts("echec");
            std::exit(1);
        }
        envoi.signale_nouveautes();
        std::printf("engage %d\n", n);
        std::fflush(stdout);
    });
    essais.start(1);
    QTimer veille;
    QObject::connect(&veille, &QTimer::timeout, [&] {
        if (n >= nombre && non_envoyes(chemin) == 0) {
            std::puts("a_jour");
            std::fflush(stdout);
            application.quit();
        }
    });
    veille.start(100);
    QTimer::singleShot(180000, &application, [&] { application.exit(3); });
    return application.exec();
}
