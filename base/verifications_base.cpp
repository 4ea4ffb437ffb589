// The display checks' flashes in the table verifications: written as one check, read
// back in order.
#include "base/base_essais.h"
#include "base/schema_base.h"
#include "base/valeurs_base.h"
#include <QSqlError>

namespace fantrel::base {

namespace {

QVariant optionnel(const std::optional<int> &v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<int> optionnel_lu(const QVariant &v)
{
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}

} // namespace

int BaseEssais::insere_verification(qint64 seance, const QVector<FlashVerification> &flashs)
{
    if (!m_insertion_essai)
        throw erreur_base(NatureErreurBase::lecture_seule, m_chemin);
    QSqlDatabase db = QSqlDatabase::database(m_connexion, false);
    int rang = 0;
    en_transaction(db, m_dialecte, m_chemin, [&] {
        QSqlQuery q = selection(QStringLiteral("SELECT COALESCE(MAX(verification), 0) + 1 "
                                               "FROM verifications WHERE seance = ?"),
                                { seance });
        rang = q.next() ? q.value(0).toInt() : 1;
        q.finish();
        QSqlQuery requete(db);
        if (!requete.prepare(insertion(QStringLiteral("verifications"), colonnes_verifications())))
            throw m_dialecte.erreur_sql(requete.lastError(), m_chemin);
        for (const FlashVerification &f : flashs) {
            const QDateTime debut =
                    f.debut_utc.isValid() ? f.debut_utc : QDateTime::currentDateTimeUtc();
            insere(requete,
                   { seance, rang, debut.toUTC().toString(Qt::ISODateWithMs), f.test, f.numero,
                     f.mot, f.exposition_ms, optionnel(f.images_prevues), optionnel(f.images),
                     optionnel(f.images_manquees), au_centieme(f.exposition_prevue_ms),
                     au_centieme(f.exposition_mesuree_ms), f.horodatage_douteux ? 1 : 0,
                     f.verdict });
        }
        return true;
    });
    return rang;
}

QVector<FlashVerification> BaseEssais::verifications(qint64 seance)
{
    QSqlQuery q = selection(QStringLiteral("SELECT id, %1 FROM verifications WHERE seance = ? "
                                           "ORDER BY verification, numero")
                                    .arg(colonnes_verifications().join(QStringLiteral(", "))),
                            { seance });
    QVector<FlashVerification> lus;
    while (q.next()) {
        FlashVerification f;
        int i = 0;
        const auto suivante = [&] { return q.value(i++); };
        f.id = suivante().toLongLong();
        f.seance = suivante().toLongLong();
        f.verification = suivante().toInt();
        f.debut_utc = QDateTime::fromString(suivante().toString(), Qt::ISODateWithMs);
        f.test = suivante().toString();
        f.numero = suivante().toInt();
        f.mot = suivante().toString();
        f.exposition_ms = suivante().toInt();
        f.images_prevues = optionnel_lu(suivante());
        f.images = optionnel_lu(suivante());
        f.images_manquees = optionnel_lu(suivante());
        f.exposition_prevue_ms = suivante().toDouble();
        f.exposition_mesuree_ms = suivante().toDouble();
        f.horodatage_douteux = suivante().toInt() != 0;
        f.verdict = suivante().toString();
        lus << f;
    }
    if (q.lastError().isValid())
        throw m_dialecte.erreur_sql(q.lastError(), m_chemin);
    return lus;
}

} // namespace fantrel::base
