#include "base/dialecte.h"
#include <QSqlError>
#include <atomic>

namespace fantrel::base {

QSqlQuery execute_sql(QSqlDatabase &db, const Dialecte &dialecte, const QString &sql,
                      const QString &cible)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql))
        throw dialecte.erreur_sql(q.lastError(), cible);
    return q;
}

void Dialecte::debute_ecriture(QSqlDatabase &db, const QString &cible) const
{
    if (!db.transaction())
        throw erreur_sql(db.lastError(), cible);
}

void en_transaction(QSqlDatabase &db, const Dialecte &dialecte, const QString &cible,
                    const std::function<bool()> &corps, bool ecriture)
{
    if (ecriture)
        dialecte.debute_ecriture(db, cible);
    else if (!db.transaction())
        throw dialecte.erreur_sql(db.lastError(), cible);
    try {
        if (!corps()) {
            db.rollback();
            return;
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QSqlError erreur = db.lastError();
        db.rollback();
        throw dialecte.erreur_sql(erreur, cible);
    }
}

QString nouvelle_connexion()
{
    static std::atomic<int> compteur = 0;
    return QStringLiteral("fantrel-essais-%1").arg(++compteur);
}

void retire_connexion(const QString &nom)
{
    {
        QSqlDatabase db = QSqlDatabase::database(nom, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nom);
}

} // namespace fantrel::base
