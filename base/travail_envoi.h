// The sender's worker, on the sender's own thread with its own two connections (the
// station's fantrel.sqlite, the lab server): rounds of batches, each batch one server
// transaction followed by a tiny local one that marks its rows sent.
#pragma once
#include "base/adresse_labo.h"
#include "base/dialecte.h"
#include "base/erreur_base.h"
#include "base/etat_labo.h"
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QVariantList>
#include <QVector>
#include <atomic>
#include <memory>

class QTimer;

namespace fantrel::base {

// What the status bar and the settings dialog say of a server's error.
RefusLabo refus_labo(NatureErreurBase nature);

// A failure of the station's own file: the server is not at fault.
struct EchecLocal
{
    ErreurBase erreur;
};

// One prepared statement with its values, run; throws the dialect's error.
QSqlQuery execute_envoi(QSqlDatabase &db, const Dialecte &dialecte, const QString &cible,
                        const QString &sql, const QVariantList &valeurs);

class TravailEnvoi : public QObject
{
    Q_OBJECT
public:
    TravailEnvoi(const QString &chemin_local, const AdresseLabo &adresse);
    ~TravailEnvoi() override;

    // Rows per server transaction: a batch of trials, of events.
    static constexpr int taille_lot = 250;
    // Set from any thread: the round ends after its current batch.
    std::atomic<bool> arret = false;

    // Each runs on the worker's thread (queued from EnvoiLabo).
    void lance();
    void nouveautes();
    void mot_de_passe(const QString &mot_de_passe);
    void termine(); // closes both connections, then ends the thread's loop

signals:
    void etat_change(const fantrel::base::EtatLabo &etat);

private:
    void tour();
    void programme(int ms);
    int echec(const ErreurBase &erreur);
    void compte(); // marks due written, then the trials not yet sent counted
    void publie();

    bool ouvre_local();
    void ouvre_serveur();
    void ferme_local();
    void ferme_serveur();
    QString cible() const; // the server's URI with the password known, in memory only

    bool envoie_un_lot();
    bool envoie_seances();
    bool envoie_participants();
    bool envoie_essais();
    bool envoie_evenements();
    bool envoie_verifications();
    // The server's id of a local session, sent first when needed; 0 when the file lacks
    // it and it is not exigee (else a local failure).
    qint64 id_serveur(qint64 seance_locale, bool exigee = true);
    qint64 insere_seance(const QVariantList &rangee); // id, then colonnes_insertion_seance()
    void donne_uuids(const QString &table, QVector<QVariantList> &rangees, int colonne_uuid);

    QVector<QVariantList> lit_local(const QString &sql, const QVariantList &valeurs = {});
    void ecrit_local(const QString &sql, const QVector<QVariantList> &valeurs);
    // Rows the server committed: marked sent in memory at once, in the file by
    // ecrit_marques; until then the batches skip them by id.
    void marque(const QString &table, const QVector<QVariantList> &rangees);
    void ecrit_marques(bool maintenant);
    qint64 deja_envoye(const QString &table) const; // the highest id sent since the file opened

    QString m_chemin_local;
    AdresseLabo m_adresse;
    QString m_local, m_serveur; // Qt's connection names, empty while closed
    QDateTime m_naissance_locale; // the local file's creation, when it was opened
    QHash<qint64, qint64> m_seances_serveur; // local session id → the server's
    QHash<QString, QVariantList> m_marques; // table → ids sent, not yet marked in the file
    QHash<QString, qint64> m_deja_envoye;
    QElapsedTimer m_depuis_marques; // since the marks were last written
    std::unique_ptr<QTimer> m_minuteur; // the next round
    EtatLabo m_etat, m_publie;
    bool m_deja_publie = false;
    int m_echecs = 0; // failures in a row: the backoff's exponent
    bool m_attend_mot_de_passe = false;
};

} // namespace fantrel::base
