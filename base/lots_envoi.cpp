// The sender's batches, table by table: read from the station's file, written to the
// server in one transaction, then marked sent locally.
#include "base/dialecte_postgres.h"
#include "base/dialecte_sqlite.h"
#include "base/schema_base.h"
#include "base/travail_envoi.h"
#include "base/valeurs_base.h"
#include <QSqlError>
#include <QUuid>

namespace fantrel::base {

namespace {

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
    QSqlQuery q = execute_envoi(db, dialecte_postgres(), cible(),
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

qint64 TravailEnvoi::id_serveur(qint64 seance_locale, bool exigee)
{
    if (const auto trouve = m_seances_serveur.constFind(seance_locale);
        trouve != m_seances_serveur.constEnd())
        return *trouve;
    QVector<QVariantList> rangees =
            lit_local(QStringLiteral("SELECT id, %1 FROM seances WHERE id = ?")
                              .arg(liste(colonnes_insertion_seance())),
                      { seance_locale });
    if (rangees.isEmpty() && !exigee)
        return 0;
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
            execute_envoi(db, dialecte_postgres(), cible(),
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
            QStringLiteral("SELECT id, %1 FROM essais WHERE envoye IS NULL AND id > ?"
                           " ORDER BY id LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot),
            { deja_envoye(QStringLiteral("essais")) });
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
            QStringLiteral("SELECT id, %1 FROM evenements WHERE envoye IS NULL AND id > ?"
                           " ORDER BY id LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot),
            { deja_envoye(QStringLiteral("evenements")) });
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
            // A recovered session, sent before this one; none when a replaced file's
            // replay names a session of the file set aside.
            const qint64 id =
                    r[reprise].isNull() ? 0 : id_serveur(r[reprise].toLongLong(), false);
            r[reprise] = id ? QVariant(id) : QVariant();
            execute_envoi(db, dialecte_postgres(), cible(),
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
            QStringLiteral("SELECT id, %1 FROM verifications WHERE envoye IS NULL AND id > ?"
                           " ORDER BY id LIMIT %2")
                    .arg(liste(colonnes))
                    .arg(taille_lot),
            { deja_envoye(QStringLiteral("verifications")) });
    if (rangees.isEmpty())
        return false;
    const int numero = int(colonnes.indexOf(QStringLiteral("numero"))) + 1;
    QSqlDatabase db = QSqlDatabase::database(m_serveur, false);
    en_transaction(db, dialecte_postgres(), cible(), [&] {
        for (QVariantList r : rangees) {
            r[1] = id_serveur(r[1].toLongLong());
            // No UUID here: a flash is its session's check and rank, sent by its own
            // station only.
            if (execute_envoi(db, dialecte_postgres(), cible(),
                        QStringLiteral("SELECT 1 FROM verifications WHERE seance = ?"
                                       " AND verification = ? AND numero = ?"),
                        { r[1], r[2], r[numero] })
                        .next())
                continue;
            execute_envoi(db, dialecte_postgres(), cible(),
                    insertion(QStringLiteral("verifications"), colonnes), r.mid(1));
        }
        return true;
    });
    marque(QStringLiteral("verifications"), rangees);
    return true;
}

} // namespace fantrel::base
