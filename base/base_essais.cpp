#include "base/base_essais.h"
#include "base/schema_base.h"
#include "base/valeurs_base.h"
#include <QSqlError>

namespace fantrel::base {

namespace {

QString insertion(const QString &table, const QStringList &colonnes)
{
    QStringList marques;
    for (qsizetype i = 0; i < colonnes.size(); ++i)
        marques << QStringLiteral("?");
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, colonnes.join(QStringLiteral(", ")), marques.join(QStringLiteral(", ")));
}

QString selection_essais(bool une_seance)
{
    return QStringLiteral("SELECT %1, ordre FROM essais %2 ORDER BY seance, ordre")
            .arg(colonnes_essais().join(QStringLiteral(", ")),
                 une_seance ? QStringLiteral("WHERE seance = ?") : QString());
}

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
                                const QString &priorite_minuteur)
{
    if (!m_insertion_essai)
        throw erreur_base(NatureErreurBase::lecture_seule, m_chemin);
    const QVariant hz = rafraichissement_hz ? QVariant(*rafraichissement_hz) : QVariant();
    selection(QStringLiteral("UPDATE seances SET rafraichissement_hz = ?, priorite_minuteur = ? "
                             "WHERE id = ?"),
              { hz, priorite_minuteur, id });
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
