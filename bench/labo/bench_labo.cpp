// The lab server on this machine: stations recording while their senders copy to one
// throwaway local cluster. Figures, never a pass/fail test.
//
//   bench_labo [--stations S] [--essais N] [--attente M] [--series K] [--seulement P]
//
// 1. S stations (processes of this program) record N trials each as fast as their
//    local file takes them: trials per second arriving on the server, lost and doubled;
//    each station's local commit of one trial (median, p99, max) while its sender runs.
// 2. One station recording 2,000 trials, one every 5 ms, with and without its sender:
//    the local commit's p99.
// 3. A station offline with M trials waiting: the time its sender takes to catch up.
// K series of each (3 by default). Defaults: S 10, N 1,000, M 5,000. P: "stations",
// "commit" or "rattrapage", that part alone.
#include "../outils_banc.h"
#include "grappe_postgres.h"
#include "base/base_essais.h"
#include "base/enregistreur_essais.h"
#include "base/envoi_labo.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <memory>

using namespace fantrel;
using namespace fantrel::base;

namespace {

using banc::argument;
using banc::centile;
using banc::charge;

Seance seance(const QString &station)
{
    Seance s;
    s.version_programme = QStringLiteral("banc");
    s.repertoire = QStringLiteral("/banc");
    s.poste = s.station = station;
    for (int i = 1; i <= 17; ++i)
        s.parametres << QStringLiteral("ligne %1").arg(i);
    return s;
}

// A second-paradigm trial with its columns filled, as long as real ones.
Essai essai(int n)
{
    Essai e;
    e.utilisateur = 1;
    e.nom_utilisateur = QStringLiteral("Zoé Lefèvre");
    e.test = TestEssai::morbelle;
    e.numero = n;
    e.mot1 = QStringLiteral("fiel");
    e.mot2 = QStringLiteral("fier");
    e.connote = 1;
    e.mot_affiche = e.proposition_gauche = e.reponse = e.mot1;
    e.proposition_droite = e.mot2;
    e.mode_reponse = FaconReponse::boutons;
    e.categorie = 1;
    e.correct = true;
    e.exposition_ms = 33;
    e.exposition_mesuree_ms = 33.37;
    e.phases_mesurees_ms = std::array<double, 4>{ 66.71, 33.38, 33.29, 66.7 };
    e.temps_reponse_ms = 700 + n % 500;
    e.images = 2;
    e.images_manquees = 0;
    e.ligne_resultat = QStringLiteral("Mot affiché=fiel prop=$fiel fier répondu=fiel");
    return e;
}

// One value of a query on a connection made for it.
QVariant valeur(const QString &pilote, const std::function<void(QSqlDatabase &)> &cible,
                const QString &sql)
{
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(pilote, QStringLiteral("banc"));
        cible(db);
        QSqlQuery q(db);
        if (db.open() && q.exec(sql) && q.next())
            v = q.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("banc"));
    return v;
}

qint64 non_envoyes(const QString &chemin)
{
    return valeur(QStringLiteral("QSQLITE"), [&](QSqlDatabase &db) { db.setDatabaseName(chemin); },
                  QStringLiteral("SELECT COUNT(*) FROM essais WHERE envoye IS NULL"))
            .toLongLong();
}

QStringList liste(const QString &pilote, const std::function<void(QSqlDatabase &)> &cible,
                  const QString &sql)
{
    QStringList l;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(pilote, QStringLiteral("liste"));
        cible(db);
        QSqlQuery q(db);
        if (db.open() && q.exec(sql))
            while (q.next())
                l << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("liste"));
    return l;
}

// Records nombre trials, one every rythme_ms (0: as fast as the file takes them), with
// the sender running when adresse is given; returns the commit times (ms) once every
// trial is marked sent.
std::vector<double> station(const QString &chemin, const std::optional<AdresseLabo> &adresse,
                            int nombre, int rythme_ms, const QString &nom)
{
    EnregistreurEssais enregistreur(chemin);
    enregistreur.commence_seance(seance(nom));
    std::unique_ptr<EnvoiLabo> envoi;
    if (adresse) {
        envoi = std::make_unique<EnvoiLabo>(chemin, *adresse);
        envoi->demarre();
    }
    std::vector<double> ms;
    QElapsedTimer chrono, rythme;
    rythme.start();
    for (int n = 1; n <= nombre; ++n) {
        while (rythme.elapsed() < qint64(n - 1) * rythme_ms)
            QThread::usleep(200);
        const Essai e = essai(n);
        chrono.start();
        enregistreur.enregistre_essai(e);
        ms.push_back(double(chrono.nsecsElapsed()) / 1e6);
        if (envoi)
            envoi->signale_nouveautes();
        QCoreApplication::processEvents();
    }
    while (adresse && non_envoyes(chemin) != 0)
        QThread::msleep(20);
    return ms;
}

QString figures(const std::vector<double> &ms)
{
    return QStringLiteral("%1 / %2 / %3")
            .arg(centile(ms, 0.5), 0, 'f', 3)
            .arg(centile(ms, 0.99), 0, 'f', 3)
            .arg(*std::max_element(ms.begin(), ms.end()), 0, 'f', 2);
}

AdresseLabo nouvelle_base(tests::GrappePostgres &grappe, const QString &nom)
{
    grappe.psql(QStringLiteral("CREATE DATABASE ") + nom);
    AdresseLabo a = grappe.adresse();
    a.base = nom;
    return a;
}

void stations(tests::GrappePostgres &grappe, int serie, int nombre_stations, int nombre)
{
    QTemporaryDir dossier;
    const AdresseLabo adresse = nouvelle_base(grappe, QStringLiteral("stations_%1").arg(serie));
    const QString uri = uri_labo(adresse);
    std::vector<std::unique_ptr<QProcess>> processus;
    QElapsedTimer chrono;
    chrono.start();
    for (int s = 0; s < nombre_stations; ++s) {
        processus.push_back(std::make_unique<QProcess>());
        processus.back()->start(QCoreApplication::applicationFilePath(),
                                { QStringLiteral("--station"),
                                  dossier.filePath(QStringLiteral("s%1.sqlite").arg(s)), uri,
                                  QString::number(nombre), QStringLiteral("poste-%1").arg(s) });
    }
    const auto serveur = [&](QSqlDatabase &db) {
        db.setHostName(adresse.hote);
        db.setPort(adresse.port);
        db.setDatabaseName(adresse.base);
        db.setUserName(adresse.utilisateur);
    };
    const qint64 attendus = qint64(nombre_stations) * nombre;
    double arrivee = -1;
    while (chrono.elapsed() < 600000) {
        if (valeur(QStringLiteral("QPSQL"), serveur, QStringLiteral("SELECT COUNT(*) FROM essais"))
                    .toLongLong() >= attendus) {
            arrivee = double(chrono.elapsed()) / 1000.0;
            break;
        }
        QThread::msleep(50);
    }
    QStringList sorties;
    for (auto &p : processus) {
        p->waitForFinished(600000);
        sorties << QString::fromUtf8(p->readAllStandardOutput()).trimmed();
    }
    QSet<QString> locaux;
    for (int s = 0; s < nombre_stations; ++s)
        for (const QString &u :
             liste(QStringLiteral("QSQLITE"),
                   [&](QSqlDatabase &db) {
                       db.setDatabaseName(dossier.filePath(QStringLiteral("s%1.sqlite").arg(s)));
                   },
                   QStringLiteral("SELECT uuid FROM essais")))
            locaux << u;
    const QStringList recus =
            liste(QStringLiteral("QPSQL"), serveur, QStringLiteral("SELECT uuid FROM essais"));
    const QSet<QString> distincts(recus.begin(), recus.end());
    qsizetype perdus = 0;
    for (const QString &u : locaux)
        perdus += distincts.contains(u) ? 0 : 1;
    std::printf("%d stations × %d essais : %lld enregistrés, tous arrivés en %.2f s "
                "(%.0f essais/s) ; perdus %lld, doublés %lld\n",
                nombre_stations, nombre, qint64(locaux.size()), arrivee,
                double(attendus) / arrivee, qint64(perdus), qint64(recus.size() - distincts.size()));
    std::printf("  commit local d'un essai par station, médiane / p99 / max (ms) : %s\n",
                qPrintable(sorties.join(QStringLiteral(" | "))));
}

void commit_local(tests::GrappePostgres &grappe, int serie)
{
    QTemporaryDir dossier;
    const AdresseLabo adresse = nouvelle_base(grappe, QStringLiteral("commit_%1").arg(serie));
    const auto avec = station(dossier.filePath(QStringLiteral("avec.sqlite")), adresse, 2000, 5,
                              QStringLiteral("poste-avec"));
    const auto sans = station(dossier.filePath(QStringLiteral("sans.sqlite")), std::nullopt, 2000,
                              5, QStringLiteral("poste-sans"));
    std::printf("commit local d'un essai (2000 essais, un toutes les 5 ms), médiane / p99 / max "
                "(ms) : envoi en marche %s ; sans envoi %s\n",
                qPrintable(figures(avec)), qPrintable(figures(sans)));
}

void rattrapage(tests::GrappePostgres &grappe, int serie, int nombre)
{
    QTemporaryDir dossier;
    const AdresseLabo adresse = nouvelle_base(grappe, QStringLiteral("rattrapage_%1").arg(serie));
    const QString chemin = dossier.filePath(QStringLiteral("hors_ligne.sqlite"));
    {
        BaseEssais base(chemin);
        Seance s = seance(QStringLiteral("poste-hors-ligne"));
        s.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const qint64 id = base.insere_seance(s);
        QVector<Essai> essais;
        for (int n = 1; n <= nombre; ++n) {
            essais << essai(n);
            essais.last().seance = id;
            essais.last().ordre = n;
            essais.last().uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        }
        base.insere_essais(essais);
    }
    QElapsedTimer chrono;
    chrono.start();
    EnvoiLabo envoi(chemin, adresse);
    envoi.demarre();
    while (non_envoyes(chemin) != 0 && chrono.elapsed() < 600000)
        QThread::msleep(10);
    std::printf("rattrapage de %d essais en attente : %.2f s\n", nombre,
                double(chrono.elapsed()) / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("--station")) {
        const auto ms = station(args[2], lit_uri_labo(args[3]), args[4].toInt(), 0, args[5]);
        std::printf("%s\n", qPrintable(figures(ms)));
        return 0;
    }
    if (!tests::GrappePostgres::impossible().isEmpty()) {
        std::printf("%s\n", qPrintable(tests::GrappePostgres::impossible()));
        return 1;
    }
    const int nombre_stations = argument(args, QStringLiteral("--stations"), "10").toInt();
    const int essais = argument(args, QStringLiteral("--essais"), "1000").toInt();
    const int attente = argument(args, QStringLiteral("--attente"), "5000").toInt();
    const int series = argument(args, QStringLiteral("--series"), "3").toInt();
    const QString seulement = argument(args, QStringLiteral("--seulement"), QString());
    const auto partie = [&](const char *nom) {
        return seulement.isEmpty() || seulement == QLatin1String(nom);
    };
    tests::GrappePostgres grappe;
    if (!grappe.ok()) {
        std::printf("grappe : %s\n", qPrintable(grappe.erreur()));
        return 1;
    }
    std::printf("charge avant : %s\n", charge().constData());
    for (int s = 1; s <= series; ++s) {
        std::printf("--- série %d (charge %s)\n", s, charge().constData());
        std::fflush(stdout);
        if (partie("stations"))
            stations(grappe, s, nombre_stations, essais);
        if (partie("commit"))
            commit_local(grappe, s);
        if (partie("rattrapage"))
            rattrapage(grappe, s, attente);
        std::fflush(stdout);
    }
    std::printf("charge après : %s\n", charge().constData());
    return 0;
}
