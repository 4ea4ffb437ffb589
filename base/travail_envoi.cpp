#include "base/travail_envoi.h"
#include "base/dialecte_postgres.h"
#include "base/dialecte_sqlite.h"
#include "base/schema_base.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QTimer>
#include <utility>

namespace fantrel::base {

namespace {

constexpr int veille_ms = 1000; // polling: new rows are sent without being signalled
constexpr int delai_max_ms = 4000; // the backoff's ceiling after failures
constexpr int tour_max_ms = 500; // a round yields to the thread's events after this
// Marks of sent rows wait in memory this long (or this many), then go in one local
// transaction: the station's commits meet the sender's write lock once a second at most.
constexpr int marques_ms = 1000;
constexpr qsizetype marques_max = 5000;

} // namespace

QSqlQuery execute_envoi(QSqlDatabase &db, const Dialecte &dialecte, const QString &cible,
                        const QString &sql, const QVariantList &valeurs)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw dialecte.erreur_sql(q.lastError(), cible);
    for (qsizetype i = 0; i < valeurs.size(); ++i)
        q.bindValue(int(i), valeurs[i]);
    if (!q.exec())
        throw dialecte.erreur_sql(q.lastError(), cible);
    return q;
}

RefusLabo refus_labo(NatureErreurBase nature)
{
    switch (nature) {
    case NatureErreurBase::injoignable:
        return RefusLabo::injoignable;
    case NatureErreurBase::mot_de_passe:
        return RefusLabo::mot_de_passe;
    case NatureErreurBase::authentification:
        return RefusLabo::authentification;
    case NatureErreurBase::version:
        return RefusLabo::version;
    default:
        return RefusLabo::autre;
    }
}

TravailEnvoi::TravailEnvoi(const QString &chemin_local, const AdresseLabo &adresse)
    : m_chemin_local(chemin_local), m_adresse(adresse)
{
    m_etat.actif = true;
}

TravailEnvoi::~TravailEnvoi() = default;

void TravailEnvoi::lance()
{
    m_minuteur = std::make_unique<QTimer>();
    m_minuteur->setSingleShot(true);
    connect(m_minuteur.get(), &QTimer::timeout, this, &TravailEnvoi::tour);
    // What waits, told before the server is reached (a server down takes seconds).
    try {
        ouvre_local();
    } catch (const EchecLocal &) {
        ferme_local();
    }
    compte();
    publie();
    programme(0);
}

void TravailEnvoi::nouveautes()
{
    // Soon, not at once: a burst of trials goes in one batch. A backoff is kept.
    if (m_minuteur && m_echecs == 0 && !m_attend_mot_de_passe
        && m_minuteur->remainingTime() > 20)
        programme(20);
}

void TravailEnvoi::mot_de_passe(const QString &mot_de_passe)
{
    m_adresse.mot_de_passe = mot_de_passe;
    m_attend_mot_de_passe = false;
    m_echecs = 0;
    programme(0);
}

void TravailEnvoi::termine()
{
    m_minuteur.reset();
    try {
        ecrit_marques(true);
    } catch (const EchecLocal &) {
        // unmarked rows are sent again next time, and kept once by the server
    }
    ferme_local();
    ferme_serveur();
    QThread::currentThread()->quit();
}

void TravailEnvoi::programme(int ms)
{
    if (m_minuteur && !arret)
        m_minuteur->start(ms);
}

QString TravailEnvoi::cible() const
{
    return uri_labo(m_adresse, true);
}

void TravailEnvoi::tour()
{
    if (arret)
        return;
    int prochain = veille_ms;
    try {
        // Waiting for the password: the count goes on, the server is left alone.
        if (ouvre_local() && !m_attend_mot_de_passe) {
            ouvre_serveur();
            QElapsedTimer duree;
            duree.start();
            while (!arret && envoie_un_lot())
                if (duree.elapsed() > tour_max_ms) {
                    prochain = 0;
                    break;
                }
            m_echecs = 0;
            m_etat.refus = RefusLabo::aucun;
            m_etat.message.clear();
            m_etat.injoignable_depuis.reset();
        }
    } catch (const EchecLocal &) {
        ferme_local(); // the station is writing, or its file was replaced: soon again
        m_seances_serveur.clear(); // a server transaction may have been rolled back
        prochain = 500;
    } catch (const ErreurBase &erreur) {
        ferme_serveur();
        prochain = echec(erreur);
    }
    compte();
    publie();
    programme(prochain);
}

void TravailEnvoi::compte()
{
    try {
        if (!m_local.isEmpty()) {
            ecrit_marques(false);
            const QVector<QVariantList> n =
                    lit_local(QStringLiteral("SELECT COUNT(*) FROM essais WHERE envoye IS NULL"
                                             " AND id > ?"),
                              { deja_envoye(QStringLiteral("essais")) });
            m_etat.essais_en_attente = n.isEmpty() ? 0 : n[0][0].toLongLong();
        }
    } catch (const EchecLocal &) {
        ferme_local();
    }
}

int TravailEnvoi::echec(const ErreurBase &erreur)
{
    ++m_echecs;
    const int delai = std::min(delai_max_ms, 250 << std::min(m_echecs - 1, 5));
    if (erreur.nature() == NatureErreurBase::verrou)
        return delai; // another station's transaction: nothing to tell
    if (!m_etat.injoignable_depuis)
        m_etat.injoignable_depuis = QDateTime::currentDateTime();
    m_etat.refus = refus_labo(erreur.nature());
    m_etat.message = erreur.message();
    if (m_etat.refus == RefusLabo::mot_de_passe)
        m_attend_mot_de_passe = true; // until donne_mot_de_passe
    return delai;
}

void TravailEnvoi::publie()
{
    const bool pareil = m_deja_publie && m_etat.actif == m_publie.actif
            && m_etat.essais_en_attente == m_publie.essais_en_attente
            && m_etat.injoignable_depuis == m_publie.injoignable_depuis
            && m_etat.refus == m_publie.refus && m_etat.message == m_publie.message;
    if (pareil)
        return;
    m_publie = m_etat;
    m_deja_publie = true;
    emit etat_change(m_etat);
}

bool TravailEnvoi::ouvre_local()
{
    // A damaged file set aside and replaced by the recorder: the new one is read.
    const QDateTime naissance = QFileInfo(m_chemin_local).birthTime();
    if (!m_local.isEmpty() && naissance != m_naissance_locale)
        ferme_local();
    if (!m_local.isEmpty())
        return true;
    m_naissance_locale = naissance; // invalid where the file system keeps none
    if (!QFileInfo::exists(m_chemin_local))
        return false; // the recorder has not made it yet
    m_local = nouvelle_connexion();
    try {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialecte_sqlite().pilote(), m_local);
        const Dialecte &d = dialecte_sqlite();
        d.designe_cible(db, m_chemin_local, false);
        if (!db.open())
            throw d.erreur_sql(db.lastError(), m_chemin_local);
        d.regle_connexion(db, m_chemin_local);
        // Marks need no sync of their own: a mark lost resends rows the server keeps once.
        execute_sql(db, d, QStringLiteral("PRAGMA synchronous = NORMAL"), m_chemin_local);
        migre_schema(db, d, etapes_schema(d), m_chemin_local);
    } catch (const ErreurBase &e) {
        throw EchecLocal{ e };
    }
    return true;
}

void TravailEnvoi::ouvre_serveur()
{
    if (!m_serveur.isEmpty())
        return;
    m_serveur = nouvelle_connexion();
    QSqlDatabase db = QSqlDatabase::addDatabase(dialecte_postgres().pilote(), m_serveur);
    const Dialecte &d = dialecte_postgres();
    d.designe_cible(db, cible(), false);
    if (!db.open())
        throw d.erreur_sql(db.lastError(), cible());
    d.regle_connexion(db, cible());
    migre_schema(db, d, etapes_schema(d), cible()); // a newer schema: refused, untouched
}

void TravailEnvoi::ferme_local()
{
    // NOTE: marks not yet written are dropped, never written into another file (a
    // damaged one replaced): their rows are sent again and the server keeps them once.
    m_marques.clear();
    m_deja_envoye.clear();
    if (!m_local.isEmpty())
        retire_connexion(std::exchange(m_local, QString()));
}

void TravailEnvoi::ferme_serveur()
{
    m_seances_serveur.clear(); // what a rolled back transaction inserted is gone
    if (!m_serveur.isEmpty())
        retire_connexion(std::exchange(m_serveur, QString()));
}

QVector<QVariantList> TravailEnvoi::lit_local(const QString &sql, const QVariantList &valeurs)
{
    try {
        QSqlDatabase db = QSqlDatabase::database(m_local, false);
        QSqlQuery q = execute_envoi(db, dialecte_sqlite(), m_chemin_local, sql, valeurs);
        QVector<QVariantList> rangees;
        while (q.next()) {
            QVariantList rangee;
            for (int i = 0; i < q.record().count(); ++i)
                rangee << q.value(i);
            rangees << rangee;
        }
        return rangees;
    } catch (const ErreurBase &e) {
        throw EchecLocal{ e };
    }
}

void TravailEnvoi::ecrit_local(const QString &sql, const QVector<QVariantList> &valeurs)
{
    try {
        QSqlDatabase db = QSqlDatabase::database(m_local, false);
        if (valeurs.size() == 1) { // one statement: its own transaction
            execute_envoi(db, dialecte_sqlite(), m_chemin_local, sql, valeurs[0]);
            return;
        }
        en_transaction(db, dialecte_sqlite(), m_chemin_local, [&] {
            for (const QVariantList &v : valeurs)
                execute_envoi(db, dialecte_sqlite(), m_chemin_local, sql, v);
            return true;
        }, true);
    } catch (const ErreurBase &e) {
        throw EchecLocal{ e };
    }
}

void TravailEnvoi::marque(const QString &table, const QVector<QVariantList> &rangees)
{
    QVariantList &ids = m_marques[table];
    for (const QVariantList &r : rangees) {
        ids << r[0];
        m_deja_envoye[table] = std::max(m_deja_envoye.value(table), r[0].toLongLong());
    }
    ecrit_marques(false);
}

qint64 TravailEnvoi::deja_envoye(const QString &table) const
{
    return m_deja_envoye.value(table);
}

void TravailEnvoi::ecrit_marques(bool maintenant)
{
    qsizetype nombre = 0;
    for (const QVariantList &ids : std::as_const(m_marques))
        nombre += ids.size();
    if (nombre == 0 || m_local.isEmpty())
        return;
    if (!maintenant && m_depuis_marques.isValid() && m_depuis_marques.elapsed() < marques_ms
        && nombre < marques_max)
        return;
    try {
        QSqlDatabase db = QSqlDatabase::database(m_local, false);
        en_transaction(db, dialecte_sqlite(), m_chemin_local, [&] {
            for (auto t = m_marques.cbegin(); t != m_marques.cend(); ++t)
                for (qsizetype i = 0; i < t.value().size(); i += 500) {
                    const QVariantList ids = t.value().mid(i, 500);
                    execute_envoi(db, dialecte_sqlite(), m_chemin_local,
                                  QStringLiteral("UPDATE %1 SET envoye = 1 WHERE id IN (%2)")
                                          .arg(t.key(), marques(ids.size())),
                                  ids);
                }
            return true;
        }, true);
    } catch (const ErreurBase &e) {
        throw EchecLocal{ e };
    }
    m_marques.clear();
    m_depuis_marques.start();
}

} // namespace fantrel::base
