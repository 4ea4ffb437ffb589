#include "base/travail_envoi.h"
#include "base/dialecte_postgres.h"
#include "base/dialecte_sqlite.h"
#include "base/schema_base.h"
#include "base/valeurs_base.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <utility>

namespace fantrel::base {

namespace {

constexpr int veille_ms = 1000; // polling: new rows are sent without being signalled
constexpr int delai_max_ms = 4000; // the backoff's ceiling after failures
constexpr int tour_max_ms = 500; // a round yields to the thread's events after this

// A failure of the station's own file: the server is not at fault.
struct EchecLocal
{
    ErreurBase erreur;
};

QSqlQuery execute(QSqlDatabase &db, const Dialecte &dialecte, const QString &cible,
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

QString liste(const QStringList &colonnes)
{
    return colonnes.join(QStringLiteral(", "));
}

// The upsert of rows that change after they were sent: the given columns take the
// station's values.
QString mise_a_jour(const QStringList &colonnes)
{
    QStringList affectations;
    for (const QString &c : colonnes)
        affectations << QStringLiteral("%1 = excluded.%1").arg(c);
    return QStringLiteral(" ON CONFLICT (uuid) DO UPDATE SET ") + liste(affectations);
}

// The namespace of the UUIDs derived for sessions written before they had one.
const char *const espace_seances = "{5f0c1a8e-3b7d-4e52-9a61-0d2c7e4b9f13}";

const QStringList colonnes_seance_changeantes = { "rafraichissement_hz", "priorite_minuteur",
                                                  "methode_horodatage" };

} // namespace

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
    try {
        if (!m_local.isEmpty()) {
            const QVector<QVariantList> n =
                    lit_local(QStringLiteral("SELECT COUNT(*) FROM essais WHERE envoye IS NULL"));
            m_etat.essais_en_attente = n.isEmpty() ? 0 : n[0][0].toLongLong();
        }
    } catch (const EchecLocal &) {
        ferme_local();
    }
    publie();
    programme(prochain);
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
    if (!m_local.isEmpty())
        return true;
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
        QSqlQuery q = execute(db, dialecte_sqlite(), m_chemin_local, sql, valeurs);
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
            execute(db, dialecte_sqlite(), m_chemin_local, sql, valeurs[0]);
            return;
        }
        en_transaction(db, dialecte_sqlite(), m_chemin_local, [&] {
            for (const QVariantList &v : valeurs)
                execute(db, dialecte_sqlite(), m_chemin_local, sql, v);
            return true;
        }, true);
    } catch (const ErreurBase &e) {
        throw EchecLocal{ e };
    }
}

void TravailEnvoi::marque(const QString &table, const QVector<QVariantList> &rangees)
{
    QVariantList ids;
    for (const QVariantList &r : rangees)
        ids << r[0];
    ecrit_local(QStringLiteral("UPDATE %1 SET envoye = 1 WHERE id IN (%2)")
                        .arg(table, marques(ids.size())),
                { ids });
}

void TravailEnvoi::donne_uuids(const QString &table, QVector<QVariantList> &rangees,
                               int colonne_uuid)
{
    // Rows written before sessions had identities get theirs now, kept locally first.
    // NOTE: not a session's: recovery tells an older program's sessions by their NULL
    // uuid, so theirs is derived from what never changes in the row, the same each time.
    const bool seances = table == QLatin1String("seances");
    const QStringList colonnes = colonnes_insertion_seance();
    QVector<QVariantList> nouveaux;
    for (QVariantList &r : rangees)
        if (r[colonne_uuid].isNull() || r[colonne_uuid].toString().isEmpty()) {
            if (seances) {
                QStringList stable = { r[0].toString() };
                for (const char *c : { "debut_utc", "poste", "repertoire" })
                    stable << r[colonnes.indexOf(QLatin1String(c)) + 1].toString();
                r[colonne_uuid] = QUuid::createUuidV5(QUuid(espace_seances),
                                                      stable.join(QLatin1Char('\n')))
                                          .toString(QUuid::WithoutBraces);
                continue;
            }
            r[colonne_uuid] = QUuid::createUuid().toString(QUuid::WithoutBraces);
            nouveaux.append({ r[colonne_uuid], r[0] });
        }
    if (!nouveaux.isEmpty())
        ecrit_local(QStringLiteral("UPDATE %1 SET uuid = ? WHERE id = ? AND uuid IS NULL")
                            .arg(table),
                    nouveaux);
}

bool TravailEnvoi::envoie_un_lot()
{
    // In this order: a trial's session is on the server before it, its participant too.
    return envoie_seances() || envoie_participants() || envoie_essais() || envoie_evenements()
            || envoie_verifications();
}

qint64 TravailEnvoi::insere_seance(const QVariantList &rangee)
{
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    QSqlQuery q = execute(db, dialecte_postgres(), cible(),
                          insertion(QStringLiteral("seances"), colonnes_insertion_seance())
                                  + mise_a_jour(colonnes_seance_changeantes)
                                  + QStringLiteral(" RETURNING id"),
                          rangee.mid(1));
    if (!q.next())
        throw erreur_base(NatureErreurBase::autre, cible());
    const qint64 id = q.value(0).toLongLong();
    m_seances_serveur.insert(rangee[0].toLongLong(), id);
    return id;
}

qint64 TravailEnvoi::id_serveur(qint64 seance_locale)
{
    if (const auto trouve = m_seances_serveur.constFind(seance_locale);
        trouve != m_seances_serveur.constEnd())
        return *trouve;
    QVector<QVariantList> rangees =
            lit_local(QStringLiteral("SELECT id, %1 FROM seances WHERE id = ?")
                              .arg(liste(colonnes_insertion_seance())),
                      { seance_locale });
    if (rangees.isEmpty())
        throw EchecLocal{ erreur_base(NatureErreurBase::corrompue, m_chemin_local) };
    donne_uuids(QStringLiteral("seances"), rangees,
                int(colonnes_insertion_seance().indexOf(QStringLiteral("uuid"))) + 1);
    return insere_seance(rangees[0]); // the session's row, sent again or first: same id
}

bool TravailEnvoi::envoie_seances()
{
    const QStringList colonnes = colonnes_insertion_seance();
    QVector<QVariantList> rangees = lit_local(
            QStringLiteral("SELECT id, %1 FROM seances WHERE envoye IS NULL ORDER BY id LIMIT 50")
                    .arg(liste(colonnes)));
    if (rangees.isEmpty())
        return false;
    donne_uuids(QStringLiteral("seances"), rangees,
                int(colonnes.indexOf(QStringLiteral("uuid"))) + 1);
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        for (const QVariantList &r : rangees)
            insere_seance(r);
        return true;
    });
    // Marked only as sent: a change since the reading keeps the row unmarked.
    QStringList egalites;
    for (const QString &c : colonnes_seance_changeantes)
        egalites << c + QStringLiteral(" IS ?");
    QVector<QVariantList> valeurs;
    for (const QVariantList &r : rangees) {
        QVariantList v = { r[0] };
        for (const QString &c : colonnes_seance_changeantes)
            v << r[colonnes.indexOf(c) + 1];
        valeurs << v;
    }
    ecrit_local(QStringLiteral("UPDATE seances SET envoye = 1 WHERE id = ? AND ")
                        + egalites.join(QStringLiteral(" AND ")),
                valeurs);
    return true;
}

bool TravailEnvoi::envoie_participants()
{
    const QStringList colonnes = colonnes_participants(); // uuid first
    const QVector<QVariantList> rangees = lit_local(
            QStringLiteral("SELECT %1 FROM participants WHERE envoye IS NULL LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot));
    if (rangees.isEmpty())
        return false;
    const int seance = int(colonnes.indexOf(QStringLiteral("seance")));
    const QStringList changeantes = { "code",   "age",          "genre",    "lateralite",
                                      "groupe", "consentement", "remarque", "source" };
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        for (QVariantList r : rangees) {
            if (!r[seance].isNull())
                r[seance] = id_serveur(r[seance].toLongLong());
            execute(db, dialecte_postgres(), cible(),
                    insertion(QStringLiteral("participants"), colonnes)
                            + mise_a_jour(changeantes),
                    r);
        }
        return true;
    });
    // A rename or the form filled since the reading keeps the row unmarked.
    QStringList egalites;
    for (qsizetype i = 1; i < colonnes.size(); ++i)
        egalites << colonnes[i] + QStringLiteral(" IS ?");
    QVector<QVariantList> valeurs;
    for (const QVariantList &r : rangees)
        valeurs << r;
    ecrit_local(QStringLiteral("UPDATE participants SET envoye = 1 WHERE uuid = ? AND ")
                        + egalites.join(QStringLiteral(" AND ")),
                valeurs);
    return true;
}

bool TravailEnvoi::envoie_essais()
{
    const QStringList colonnes = colonnes_insertion_essai();
    QVector<QVariantList> rangees = lit_local(
            QStringLiteral("SELECT id, %1 FROM essais WHERE envoye IS NULL ORDER BY id LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot));
    if (rangees.isEmpty())
        return false;
    donne_uuids(QStringLiteral("essais"), rangees,
                int(colonnes.indexOf(QStringLiteral("uuid"))) + 1);
    const int seance = int(colonnes.indexOf(QStringLiteral("seance")));
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        QSqlQuery q(db);
        if (!q.prepare(insertion(QStringLiteral("essais"), colonnes)
                       + QStringLiteral(" ON CONFLICT (uuid) DO NOTHING")))
            throw dialecte_postgres().erreur_sql(q.lastError(), cible());
        for (const QVariantList &r : rangees) {
            for (int i = 0; i < colonnes.size(); ++i)
                q.bindValue(i, i == seance ? QVariant(id_serveur(r[seance + 1].toLongLong()))
                                           : r[i + 1]);
            if (!q.exec())
                throw dialecte_postgres().erreur_sql(q.lastError(), cible());
        }
        return true;
    });
    marque(QStringLiteral("essais"), rangees);
    return true;
}

bool TravailEnvoi::envoie_evenements()
{
    const QStringList colonnes = colonnes_insertion_evenement();
    QVector<QVariantList> rangees = lit_local(
            QStringLiteral("SELECT id, %1 FROM evenements WHERE envoye IS NULL ORDER BY id"
                           " LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot));
    if (rangees.isEmpty())
        return false;
    donne_uuids(QStringLiteral("evenements"), rangees,
                int(colonnes.indexOf(QStringLiteral("uuid"))) + 1);
    const int seance = int(colonnes.indexOf(QStringLiteral("seance"))) + 1;
    const int reprise = int(colonnes.indexOf(QStringLiteral("seance_reprise"))) + 1;
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        for (QVariantList r : rangees) {
            r[seance] = id_serveur(r[seance].toLongLong());
            if (!r[reprise].isNull()) // a recovered session, sent before this one
                r[reprise] = id_serveur(r[reprise].toLongLong());
            execute(db, dialecte_postgres(), cible(),
                    insertion(QStringLiteral("evenements"), colonnes)
                            + QStringLiteral(" ON CONFLICT (uuid) DO NOTHING"),
                    r.mid(1));
        }
        return true;
    });
    marque(QStringLiteral("evenements"), rangees);
    return true;
}

bool TravailEnvoi::envoie_verifications()
{
    const QStringList colonnes = colonnes_verifications(); // seance, verification, …, numero
    const QVector<QVariantList> rangees = lit_local(
            QStringLiteral("SELECT id, %1 FROM verifications WHERE envoye IS NULL ORDER BY id"
                           " LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot));
    if (rangees.isEmpty())
        return false;
    const int numero = int(colonnes.indexOf(QStringLiteral("numero"))) + 1;
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        for (QVariantList r : rangees) {
            r[1] = id_serveur(r[1].toLongLong());
            // No UUID here: a flash is its session's check and rank, sent by its own
            // station only.
            if (execute(db, dialecte_postgres(), cible(),
                        QStringLiteral("SELECT 1 FROM verifications WHERE seance = ?"
                                       " AND verification = ? AND numero = ?"),
                        { r[1], r[2], r[numero] })
                        .next())
                continue;
            execute(db, dialecte_postgres(), cible(),
                    insertion(QStringLiteral("verifications"), colonnes), r.mid(1));
        }
        return true;
    });
    marque(QStringLiteral("verifications"), rangees);
    return true;
}

} // namespace fantrel::base
