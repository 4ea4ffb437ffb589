#include "base/base_essais.h"
#include "base/schema_base.h"
#include "base/valeurs_base.h"
#include <QSqlError>

namespace fantrel::base {

namespace {

QString selection_essais(bool une_seance)
{
    return QStringLiteral("SELECT %1, ordre, uuid FROM essais %2 ORDER BY seance, ordre")
            .arg(colonnes_essais().join(QStringLiteral(", ")),
                 une_seance ? QStringLiteral("WHERE seance = ?") : QString());
}

// The sessions of a station and folder that recorded anything (a start cut short did not).
const QString seances_du_poste =
        QStringLiteral("COALESCE(%1.poste, '') = ? AND COALESCE(%1.repertoire, '') = ?"
                       " AND %1.id <> ?"
                       " AND (EXISTS (SELECT 1 FROM essais WHERE essais.seance = %1.id)"
                       " OR EXISTS (SELECT 1 FROM evenements WHERE evenements.seance = %1.id))");

template<typename T>
T estampille(T element)
{
    if (!element.debut_utc.isValid())
        element.debut_utc = QDateTime::currentDateTimeUtc();
    return element;
}

} // namespace

BaseEssais::BaseEssais(const QString &chemin, Acces acces, const Dialecte &dialecte)
    : m_chemin(chemin), m_dialecte(dialecte), m_connexion(nouvelle_connexion())
{
    try {
        ouvre(acces);
    } catch (...) {
        ferme();
        throw;
    }
}

BaseEssais::~BaseEssais()
{
    ferme();
}

void BaseEssais::ouvre(Acces acces)
{
    const bool ecriture = acces == Acces::ecriture;
    if (ecriture)
        m_dialecte.verifie_avant_ecriture(m_chemin);
    QSqlDatabase db = QSqlDatabase::addDatabase(m_dialecte.pilote(), m_connexion);
    m_dialecte.designe_cible(db, m_chemin, !ecriture);
    if (!db.open())
        throw m_dialecte.erreur_sql(db.lastError(), m_chemin);
    if (!ecriture) {
        const int version = m_dialecte.version_schema(db, m_chemin);
        if (version > version_schema_programme())
            throw erreur_base(NatureErreurBase::version, m_chemin);
        if (version < version_schema_programme())
            throw erreur_base(NatureErreurBase::autre, m_chemin,
                              QStringLiteral("La base n'a pas encore été mise à jour."));
        m_dialecte.verifie_integrite(db, m_chemin);
        return;
    }
    m_dialecte.regle_connexion(db, m_chemin);
    migre_schema(db, m_dialecte, etapes_schema(m_dialecte), m_chemin);
    m_insertion_essai = std::make_unique<QSqlQuery>(db);
    m_insertion_evenement = std::make_unique<QSqlQuery>(db);
    if (!m_insertion_essai->prepare(
                insertion(QStringLiteral("essais"), colonnes_insertion_essai())))
        throw m_dialecte.erreur_sql(m_insertion_essai->lastError(), m_chemin);
    if (!m_insertion_evenement->prepare(
                insertion(QStringLiteral("evenements"), colonnes_insertion_evenement())))
        throw m_dialecte.erreur_sql(m_insertion_evenement->lastError(), m_chemin);
}

void BaseEssais::ferme()
{
    m_insertion_essai.reset();
    m_insertion_evenement.reset();
    retire_connexion(m_connexion);
}

qint64 BaseEssais::insere(QSqlQuery &requete, const QVariantList &valeurs)
{
    if (!m_insertion_essai)
        throw erreur_base(NatureErreurBase::lecture_seule, m_chemin);
    for (qsizetype i = 0; i < valeurs.size(); ++i)
        requete.bindValue(int(i), valeurs[i]);
    if (!requete.exec())
        throw m_dialecte.erreur_sql(requete.lastError(), m_chemin);
    const qint64 id = requete.lastInsertId().toLongLong();
    requete.finish();
    return id;
}

qint64 BaseEssais::insere_seance(const Seance &seance)
{
    QSqlQuery requete(QSqlDatabase::database(m_connexion, false));
    if (!requete.prepare(insertion(QStringLiteral("seances"), colonnes_insertion_seance())))
        throw m_dialecte.erreur_sql(requete.lastError(), m_chemin);
    return insere(requete, valeurs_seance(estampille(seance)));
}

qint64 BaseEssais::insere_essai(const Essai &essai)
{
    return insere(*m_insertion_essai, valeurs_essai(estampille(essai)));
}

qint64 BaseEssais::insere_evenement(const Evenement &evenement)
{
    Evenement e = evenement;
    if (!e.moment_utc.isValid())
        e.moment_utc = QDateTime::currentDateTimeUtc();
    return insere(*m_insertion_evenement, valeurs_evenement(e));
}

void BaseEssais::precise_seance(qint64 id, std::optional<double> rafraichissement_hz,
                                const QString &priorite_minuteur, const QString &methode)
{
    if (!m_insertion_essai)
        throw erreur_base(NatureErreurBase::lecture_seule, m_chemin);
    const QVariant hz = rafraichissement_hz ? QVariant(*rafraichissement_hz) : QVariant();
    // Unmarked: the lab server receives the session's row again.
    selection(QStringLiteral("UPDATE seances SET rafraichissement_hz = ?, priorite_minuteur = ?, "
                             "methode_horodatage = ?, envoye = NULL WHERE id = ?"),
              { hz, priorite_minuteur, methode.isEmpty() ? QVariant() : QVariant(methode), id });
}

void BaseEssais::insere_essais(const QVector<Essai> &essais)
{
    QSqlDatabase db = QSqlDatabase::database(m_connexion, false);
    en_transaction(db, m_dialecte, m_chemin, [&] {
        for (const Essai &essai : essais)
            insere_essai(essai);
        return true;
    });
}

void BaseEssais::insere_essais_bruts(const QVector<QVariantList> &essais)
{
    QSqlDatabase db = QSqlDatabase::database(m_connexion, false);
    en_transaction(db, m_dialecte, m_chemin, [&] {
        for (const QVariantList &valeurs : essais)
            insere(*m_insertion_essai, valeurs);
        return true;
    });
}

QSqlQuery BaseEssais::selection(const QString &sql, const QVariantList &valeurs)
{
    QSqlQuery requete(QSqlDatabase::database(m_connexion, false));
    requete.setForwardOnly(true);
    if (!requete.prepare(sql))
        throw m_dialecte.erreur_sql(requete.lastError(), m_chemin);
    for (qsizetype i = 0; i < valeurs.size(); ++i)
        requete.bindValue(int(i), valeurs[i]);
    if (!requete.exec())
        throw m_dialecte.erreur_sql(requete.lastError(), m_chemin);
    return requete;
}

std::optional<Seance> BaseEssais::seance(qint64 id)
{
    QSqlQuery q = selection(QStringLiteral("SELECT %1 FROM seances WHERE id = ?")
                                    .arg(colonnes_seances().join(QStringLiteral(", "))),
                            { id });
    if (!q.next())
        return std::nullopt;
    return seance_lue(q);
}

QVector<Essai> BaseEssais::essais(std::optional<qint64> seance)
{
    QVector<Essai> lus;
    parcourt_essais(seance, [&](const QSqlQuery &q) { lus << essai_lu(q); });
    return lus;
}

void BaseEssais::parcourt_essais(std::optional<qint64> seance,
                                 const std::function<void(const QSqlQuery &)> &rangee)
{
    QSqlQuery q = selection(selection_essais(seance.has_value()),
                            seance ? QVariantList{ *seance } : QVariantList{});
    while (q.next())
        rangee(q);
    if (q.lastError().isValid())
        throw m_dialecte.erreur_sql(q.lastError(), m_chemin);
}

QVector<Evenement> BaseEssais::evenements(qint64 seance)
{
    QSqlQuery q = selection(QStringLiteral("SELECT %1 FROM evenements WHERE seance = ? "
                                           "ORDER BY ordre")
                                    .arg(colonnes_evenements().join(QStringLiteral(", "))),
                            { seance });
    QVector<Evenement> lus;
    while (q.next())
        lus << evenement_lu(q);
    if (q.lastError().isValid())
        throw m_dialecte.erreur_sql(q.lastError(), m_chemin);
    return lus;
}

void BaseEssais::enregistre_participant(const Participant &participant)
{
    if (!m_insertion_essai)
        throw erreur_base(NatureErreurBase::lecture_seule, m_chemin);
    QStringList mises_a_jour;
    for (const char *colonne : { "code", "age", "genre", "lateralite", "groupe", "consentement",
                                 "remarque", "source" })
        mises_a_jour << QStringLiteral("%1 = excluded.%1").arg(QLatin1String(colonne));
    // Standard upsert, SQLite's and PostgreSQL's alike: the code and the form change
    // (the origin too: a file's path comes once it is read), the identity and its
    // session never do.
    selection(insertion(QStringLiteral("participants"), colonnes_participants())
                      + QStringLiteral(" ON CONFLICT (uuid) DO UPDATE SET ")
                      + mises_a_jour.join(QStringLiteral(", "))
                      + QStringLiteral(", envoye = NULL"), // sent again to the lab server
              valeurs_participant(participant));
}

std::optional<Participant> BaseEssais::participant(const QString &uuid)
{
    QSqlQuery q = selection(QStringLiteral("SELECT %1 FROM participants WHERE uuid = ?")
                                    .arg(colonnes_participants().join(QStringLiteral(", "))),
                            { uuid });
    if (!q.next())
        return std::nullopt;
    return participant_lu(q);
}

qint64 BaseEssais::seance_par_uuid(const QString &uuid)
{
    QSqlQuery q = selection(QStringLiteral("SELECT id FROM seances WHERE uuid = ?"), { uuid });
    return q.next() ? q.value(0).toLongLong() : 0;
}

bool BaseEssais::essai_existe(const QString &uuid)
{
    return selection(QStringLiteral("SELECT 1 FROM essais WHERE uuid = ?"), { uuid }).next();
}

QVector<qint64> BaseEssais::seances_non_reglees(const QString &poste, const QString &repertoire,
                                                qint64 exclue)
{
    // Not replayed nor declined by another session; and, for a file written by programs
    // that asked only about the latest session, none of theirs came after it.
    QSqlQuery q = selection(
            QStringLiteral("SELECT s.id FROM seances s WHERE %1"
                           " AND NOT EXISTS (SELECT 1 FROM evenements r"
                           " WHERE r.nature IN ('reprise', 'reprise_refusee')"
                           " AND r.seance_reprise = s.id AND r.seance <> s.id)"
                           " AND NOT EXISTS (SELECT 1 FROM seances t WHERE t.id > s.id"
                           " AND t.uuid IS NULL AND %2)"
                           " ORDER BY s.id")
                    .arg(QString(seances_du_poste).arg(QStringLiteral("s")),
                         QString(seances_du_poste).arg(QStringLiteral("t"))),
            { poste, repertoire, exclue, poste, repertoire, exclue });
    QVector<qint64> ids;
    while (q.next())
        ids << q.value(0).toLongLong();
    return ids;
}

void BaseEssais::parcourt_export(const QVector<qint64> &seances,
                                 const std::function<void(const QSqlQuery &)> &rangee)
{
    QStringList colonnes;
    for (const QString &c : colonnes_essais())
        colonnes << QStringLiteral("e.") + c;
    colonnes << QStringLiteral("s.uuid") << QStringLiteral("p.code") << QStringLiteral("s.station");
    const QString sql =
            QStringLiteral("SELECT %1 FROM essais e JOIN seances s ON s.id = e.seance"
                           " LEFT JOIN participants p ON p.uuid = e.participant %2"
                           " ORDER BY e.seance, e.ordre")
                    .arg(colonnes.join(QStringLiteral(", ")),
                         seances.isEmpty() ? QString()
                                           : QStringLiteral("WHERE e.seance IN (%1)")
                                                     .arg(marques(seances.size())));
    QVariantList valeurs;
    for (qint64 id : seances)
        valeurs << id;
    QSqlQuery q = selection(sql, valeurs);
    while (q.next())
        rangee(q);
    if (q.lastError().isValid())
        throw m_dialecte.erreur_sql(q.lastError(), m_chemin);
}

qint64 BaseEssais::derniere_seance(const QString &poste, const QString &repertoire, qint64 exclue)
{
    QSqlQuery q = selection(
            QStringLiteral("SELECT id FROM seances WHERE COALESCE(poste, '') = ?"
                           " AND COALESCE(repertoire, '') = ? AND id <> ?"
                           " AND (EXISTS (SELECT 1 FROM essais WHERE essais.seance = seances.id)"
                           " OR EXISTS (SELECT 1 FROM evenements"
                           " WHERE evenements.seance = seances.id))"
                           " ORDER BY id DESC"),
            { poste, repertoire, exclue });
    return q.next() ? q.value(0).toLongLong() : 0;
}

} // namespace fantrel::base
