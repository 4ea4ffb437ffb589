// The trial database: sessions, their trials and events, in portable SQL through a
// dialect (the local file's is SQLite's). Every insert is committed on its own before
// the call returns. Every failure throws an ErreurBase sorted by kind;
// EnregistreurEssais turns them into messages and retries, so that trials never see them.
#pragma once
#include "base/dialecte_sqlite.h"
#include "base/donnees_essais.h"
#include "base/donnees_verification.h"
#include "base/erreur_base.h"
#include <QSqlQuery>
#include <functional>
#include <memory>

namespace fantrel::base {

class BaseEssais
{
public:
    enum class Acces {
        ecriture, // created when missing, migrated to the program's schema
        lecture, // the export's: nothing written, the schema must be the program's
    };

    // Opens the base at chemin (the file, for SQLite); throws ErreurBase. NOTE: a file
    // or folder without any write permission bit counts as read-only even for root,
    // as the user expects.
    explicit BaseEssais(const QString &chemin, Acces acces = Acces::ecriture,
                        const Dialecte &dialecte = dialecte_sqlite());
    ~BaseEssais();
    BaseEssais(const BaseEssais &) = delete;
    BaseEssais &operator=(const BaseEssais &) = delete;

    const QString &chemin() const { return m_chemin; }

    // Each returns the new row's id once committed.
    qint64 insere_seance(const Seance &seance);
    qint64 insere_essai(const Essai &essai);
    qint64 insere_evenement(const Evenement &evenement);
    // What was learnt of the screen, its stamps and the timers once the session had begun.
    void precise_seance(qint64 id, std::optional<double> rafraichissement_hz,
                        const QString &priorite_minuteur, const QString &methode);
    // Many trials in one transaction: imports and the benchmark's setup.
    void insere_essais(const QVector<Essai> &essais);
    // The same from values in the order of colonnes_insertion_essai(): a rescue file's.
    void insere_essais_bruts(const QVector<QVariantList> &essais);
    // A display check's flashes of one session, in one transaction, as its next check
    // (their `verification` set here); returns that rank.
    int insere_verification(qint64 seance, const QVector<FlashVerification> &flashs);
    QVector<FlashVerification> verifications(qint64 seance);

    std::optional<Seance> seance(qint64 id);
    QVector<Essai> essais(std::optional<qint64> seance = std::nullopt);
    QVector<Evenement> evenements(qint64 seance);
    // The trials' rows (colonnes_essais(), then ordre, uuid), by session then order, one at a
    // time: the export streams them without building the structs.
    void parcourt_essais(std::optional<qint64> seance,
                         const std::function<void(const QSqlQuery &)> &rangee);

    // A participant's row, inserted or, when its UUID is known, updated (its code, form
    // and origin; never its session or creation).
    void enregistre_participant(const Participant &participant);
    std::optional<Participant> participant(const QString &uuid);
    qint64 seance_par_uuid(const QString &uuid); // 0 when none
    bool essai_existe(const QString &uuid);
    // The sessions of this station and folder, other than exclue, that recorded anything
    // and that no other session replayed or declined to replay, the oldest first.
    QVector<qint64> seances_non_reglees(const QString &poste, const QString &repertoire,
                                        qint64 exclue);
    // The CSV's rows: colonnes_essais(), then the session's uuid, the participant's code
    // and the station (colonnes_jointes_csv()); of the sessions given, or of all.
    void parcourt_export(const QVector<qint64> &seances,
                         const std::function<void(const QSqlQuery &)> &rangee);

    // The latest session of this station and folder, other than exclue, that holds any
    // trial or event; 0 when there is none.
    qint64 derniere_seance(const QString &poste, const QString &repertoire, qint64 exclue);

private:
    void ouvre(Acces acces);
    void ferme();
    qint64 insere(QSqlQuery &requete, const QVariantList &valeurs);
    QSqlQuery selection(const QString &sql, const QVariantList &valeurs);

    QString m_chemin;
    const Dialecte &m_dialecte;
    QString m_connexion; // Qt's name for this connection, unique per object
    std::unique_ptr<QSqlQuery> m_insertion_essai; // prepared once: most inserts are trials
    std::unique_ptr<QSqlQuery> m_insertion_evenement;
};

} // namespace fantrel::base
