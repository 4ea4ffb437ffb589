#include "base/envoi_labo.h"
#include "base/dialecte_postgres.h"
#include "base/schema_base.h"
#include "base/travail_envoi.h"
#include <QSqlError>
#include <QThread>

namespace fantrel::base {

namespace {

QString majuscule(QString texte)
{
    if (!texte.isEmpty())
        texte[0] = texte[0].toUpper();
    return texte;
}

} // namespace

EnvoiLabo::EnvoiLabo(const QString &chemin_local, const AdresseLabo &adresse, QObject *parent)
    : QObject(parent), m_travail(std::make_unique<TravailEnvoi>(chemin_local, adresse))
{
    qRegisterMetaType<EtatLabo>();
    m_etat.actif = true;
}

EnvoiLabo::~EnvoiLabo()
{
    if (!m_fil)
        return;
    m_travail->arret = true;
    QMetaObject::invokeMethod(m_travail.get(), [t = m_travail.get()] { t->termine(); },
                              Qt::QueuedConnection);
    // A server call in flight ends within its timeouts; past a few seconds the thread
    // is left to end with the process rather than destroyed under its feet.
    if (!m_fil->wait(5000)) {
        (void)m_travail.release();
        (void)m_fil.release();
    }
}

void EnvoiLabo::demarre()
{
    if (m_fil)
        return;
    m_fil = std::make_unique<QThread>();
    m_fil->setObjectName(QStringLiteral("envoi-labo"));
    m_travail->moveToThread(m_fil.get());
    connect(m_travail.get(), &TravailEnvoi::etat_change, this,
            [this](const EtatLabo &etat) {
                m_etat = etat;
                emit etat_change(etat);
            },
            Qt::QueuedConnection);
    m_fil->start(QThread::LowPriority); // never ahead of the station's timed work
    QMetaObject::invokeMethod(m_travail.get(), [t = m_travail.get()] { t->lance(); },
                              Qt::QueuedConnection);
}

void EnvoiLabo::signale_nouveautes()
{
    if (m_fil)
        QMetaObject::invokeMethod(m_travail.get(), [t = m_travail.get()] { t->nouveautes(); },
                                  Qt::QueuedConnection);
}

void EnvoiLabo::donne_mot_de_passe(const QString &mot_de_passe)
{
    if (m_fil)
        QMetaObject::invokeMethod(
                m_travail.get(),
                [t = m_travail.get(), mot_de_passe] { t->mot_de_passe(mot_de_passe); },
                Qt::QueuedConnection);
}

EtatLabo EnvoiLabo::etat() const
{
    return m_etat;
}

ResultatConnexion essaie_connexion(const AdresseLabo &adresse)
{
    ResultatConnexion resultat;
    const QString cible = uri_labo(adresse, true);
    const Dialecte &d = dialecte_postgres();
    const QString nom = nouvelle_connexion();
    try {
        QSqlDatabase db = QSqlDatabase::addDatabase(d.pilote(), nom);
        d.designe_cible(db, cible, true);
        if (!db.open())
            throw d.erreur_sql(db.lastError(), cible);
        resultat.version_schema = d.version_schema(db, cible);
        if (resultat.version_schema > version_schema_programme())
            throw erreur_base(NatureErreurBase::version, cible);
        resultat.message = resultat.version_schema == 0
                ? QStringLiteral("Connexion réussie à %1 : la base est vide, le programme y "
                                 "créera ses tables.")
                          .arg(description_labo(adresse))
                : QStringLiteral("Connexion réussie à %1 (schéma version %2).")
                          .arg(description_labo(adresse))
                          .arg(resultat.version_schema);
    } catch (const ErreurBase &e) {
        resultat.refus = refus_labo(e.nature());
        resultat.message = majuscule(e.message());
    }
    retire_connexion(nom);
    return resultat;
}

} // namespace fantrel::base
