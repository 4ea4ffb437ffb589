// The background sender: copies the local base's new sessions, participants, trials,
// events and display checks to the lab server, in order, on its own thread with its
// own two connections, never in the timed path. The local fantrel.sqlite stays the
// durable record: a row is marked sent locally only once the server has committed it,
// and the server's inserts are keyed by UUID, so a resend after a crash doubles nothing.
#pragma once
#include "base/adresse_labo.h"
#include "base/etat_labo.h"
#include <QObject>
#include <memory>

class QThread;

namespace fantrel::base {

class TravailEnvoi; // the worker, living on the sender's thread

class EnvoiLabo : public QObject
{
    Q_OBJECT
public:
    // chemin_local: the station's fantrel.sqlite.
    EnvoiLabo(const QString &chemin_local, const AdresseLabo &adresse, QObject *parent = nullptr);
    // Stops the thread (waiting a few seconds at most); unsent rows stay unsent.
    ~EnvoiLabo() override;

    void demarre();
    // New local rows: send them soon. Cheap, called after each trial and event.
    void signale_nouveautes();
    // The password the user gave after RefusLabo::mot_de_passe; kept for this run only.
    void donne_mot_de_passe(const QString &mot_de_passe);
    EtatLabo etat() const;

signals:
    void etat_change(const fantrel::base::EtatLabo &etat);

private:
    std::unique_ptr<TravailEnvoi> m_travail;
    std::unique_ptr<QThread> m_fil; // the worker's, from demarre
    EtatLabo m_etat;
};

// A short connection to the server at adresse, for the settings dialog's test: the
// server's schema version when it answers (0: no schema yet), else the refusal.
struct ResultatConnexion
{
    RefusLabo refus = RefusLabo::aucun;
    QString message; // French, ready to show
    int version_schema = 0;
};
ResultatConnexion essaie_connexion(const AdresseLabo &adresse);

} // namespace fantrel::base
