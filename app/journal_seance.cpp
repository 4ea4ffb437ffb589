#include "app/journal_seance.h"
#include "base/base_essais.h"
#include "base/enregistreur_essais.h"
#include "base/secours_csv.h"
#include "platform/erreurs.h"
#include "platform/interactions.h"
#include "results/tableau_resultats.h"
#include "trials/mesure_seuil.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QUuid>
#include <QFileInfo>
#include <QSysInfo>

namespace fantrel::app {

base::Evenement calibration_de(const trials::MesureSeuil &m, int exposition_ms, int utilisateur)
{
    const trials::ParametresSeuil &p = m.reglages().procedure;
    const bool quest = p.methode == trials::MethodeSeuil::quest;
    const QString methode = !quest ? QStringLiteral("escalier")
            : p.placement == trials::PlacementQuest::mode ? QStringLiteral("quest_mode")
                                                          : QStringLiteral("quest_moyenne");
    const auto e = m.procedure() ? m.procedure()->estimation() : std::nullopt;
    const QString unite = m.reglages().periode_ms ? QStringLiteral("images") : QStringLiteral("ms");
    QStringList l{ QStringLiteral("utilisateur=%1").arg(utilisateur),
                   QStringLiteral("essais=%1").arg(m.procedure() ? m.procedure()->trace().size() : 0),
                   QStringLiteral("unite=%1").arg(unite) };
    if (e) {
        l << QStringLiteral("seuil=%1").arg(e->seuil, 0, 'f', 3)
          << QStringLiteral("seuil_ms=%1").arg(m.en_ms(e->seuil), 0, 'f', 2);
        if (e->bas && e->haut)
            l << QStringLiteral("ic95=%1;%2").arg(*e->bas, 0, 'f', 3).arg(*e->haut, 0, 'f', 3);
    }
    l << QStringLiteral("k=%1").arg(m.reglages().decalage)
      << QStringLiteral("exposition_ms=%1").arg(exposition_ms);
    return base::Evenement::calibration(methode, l);
}

base::Essai essai_de(const trials::CompteRenduEssai &r, int utilisateur, const QString &nom)
{
    base::Essai e;
    e.debut_utc = r.debut_utc;
    e.utilisateur = utilisateur;
    e.nom_utilisateur = nom;
    e.test = r.test;
    e.numero = r.numero;
    e.mot1 = r.mot1;
    e.mot2 = r.mot2;
    e.connote = r.connote;
    e.mot_affiche = r.mot_affiche;
    e.proposition_gauche = r.proposition_gauche;
    e.proposition_droite = r.proposition_droite;
    e.reponse = r.reponse;
    e.mode_reponse = r.facon;
    e.categorie = r.categorie;
    e.correct = r.correct;
    e.exposition_ms = r.exposition_ms;
    e.exposition_mesuree_ms = r.exposition_mesuree_ms;
    e.phases_mesurees_ms = r.phases_mesurees_ms;
    e.temps_reponse_ms = r.temps_reponse_ms;
    e.melodie = r.melodie;
    e.decalage = r.decalage;
    e.incongru = r.incongru;
    e.place_incongruite = r.place_incongruite;
    e.debut_son_ms = r.debut_son_ms;
    e.latence_sortie_ms = r.latence_sortie_ms;
    e.debuts_notes = r.debuts_notes;
    e.images = r.images;
    e.images_manquees = r.images_manquees;
    e.images_prevues = r.images_prevues;
    e.horodatage_douteux = r.horodatage_douteux;
    e.ligne_resultat = r.ligne_resultat;
    e.touches_anticipees = r.touches_anticipees;
    e.niveau_images = r.niveau_images;
    e.niveau_ms = r.niveau_ms;
    e.seuil_images = r.seuil_images;
    e.seuil_ms = r.seuil_ms;
    return e;
}

QString empreinte_reglages(const QStringList &parametres)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const QString &ligne : parametres)
        h.addData((ligne + QStringLiteral("\r\n")).toUtf8());
    return QString::fromLatin1(h.result().toHex());
}

JournalSeance::JournalSeance(const results::TableauResultats &tableau, QObject *parent)
    : QObject(parent), m_tableau(tableau)
{
}

JournalSeance::~JournalSeance()
{
    platform::proteger([this] { termine(); }); // a test's window: no box at this point
}

QString JournalSeance::termine()
{
    if (!m_enregistreur || m_termine)
        return QString();
    m_termine = true;
    m_enregistreur->enregistre_evenement(base::Evenement::fin());
    return m_enregistreur->sauve_en_secours();
}

QVector<base::SeanceAReprendre> JournalSeance::ouvre(const QString &repertoire)
{
    m_enregistreur = std::make_unique<base::EnregistreurEssais>(
            repertoire + QStringLiteral("/fantrel.sqlite"));
    connect(m_enregistreur.get(), &base::EnregistreurEssais::enregistrement_arrete, this,
            &JournalSeance::enregistrement_arrete);
    return seances_a_reprendre();
}

QVector<base::SeanceAReprendre> JournalSeance::seances_a_reprendre()
{
    return m_enregistreur ? m_enregistreur->seances_a_reprendre(
                                    QSysInfo::machineHostName(),
                                    QFileInfo(chemin_base()).absolutePath())
                          : QVector<base::SeanceAReprendre>();
}

QStringList JournalSeance::fichiers_secours() const
{
    return m_enregistreur ? base::fichiers_secours(QFileInfo(chemin_base()).absolutePath())
                          : QStringList();
}

int JournalSeance::importe(const QString &fichier)
{
    if (!m_enregistreur)
        return 0;
    return m_enregistreur->importe_secours(fichier, QSysInfo::machineHostName(),
                                           QFileInfo(chemin_base()).absolutePath());
}

void JournalSeance::commence(const QStringList &parametres,
                             std::optional<double> rafraichissement_hz, const QString &priorite,
                             const IdentiteSeance &identite)
{
    if (!m_enregistreur)
        return;
    base::Seance s;
    s.version_programme = QCoreApplication::applicationVersion();
    s.version = s.version_programme;
    s.repertoire = QFileInfo(m_enregistreur->chemin()).absolutePath();
    s.poste = QSysInfo::machineHostName();
    s.station = identite.station.isEmpty() ? s.poste : identite.station;
    m_station = s.station;
    s.parametres = parametres;
    s.empreinte_reglages = empreinte_reglages(parametres);
    s.graine = identite.graine;
    s.reprise_de = identite.reprise_de.join(QLatin1Char(' '));
    s.rafraichissement_hz = rafraichissement_hz ? rafraichissement_hz : m_rafraichissement;
    s.priorite_minuteur = priorite.isEmpty() ? m_priorite : priorite;
    s.methode_horodatage = m_methode;
    m_enregistreur->commence_seance(s);
}

void JournalSeance::precise(std::optional<double> rafraichissement_hz, const QString &priorite,
                            const QString &methode)
{
    if (rafraichissement_hz)
        m_rafraichissement = rafraichissement_hz;
    if (!priorite.isEmpty())
        m_priorite = priorite;
    if (!methode.isEmpty())
        m_methode = methode;
    if (m_enregistreur)
        m_enregistreur->precise_seance(m_rafraichissement, m_priorite, m_methode);
}

void JournalSeance::adopte(const QHash<int, QString> &rangees,
                           const QVector<base::Participant> &connus)
{
    for (auto it = rangees.begin(); it != rangees.end(); ++it) {
        base::Participant p;
        for (const base::Participant &connu : connus)
            if (connu.uuid == it.value())
                p = connu;
        p.uuid = it.value();
        p.code = m_tableau.rangee(it.key()).nom;
        m_participants.insert(it.key(), p);
        ecrit(p);
    }
    for (int n = 1; n <= std::min(m_tableau.nb_util(), results::nb_max_util); ++n)
        participant_de(n);
}

base::Participant &JournalSeance::participant_de(int n)
{
    auto it = m_participants.find(n);
    if (it != m_participants.end())
        return *it;
    base::Participant p;
    p.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    p.code = m_tableau.rangee_existe(n) ? m_tableau.rangee(n).nom
                                        : results::TableauResultats::nom_initial(n);
    p.station = m_station;
    p.cree_utc = QDateTime::currentDateTimeUtc();
    it = m_participants.insert(n, p);
    ecrit(*it);
    return *it;
}

void JournalSeance::ecrit(const base::Participant &participant)
{
    if (m_enregistreur && !m_suspendu)
        m_enregistreur->enregistre_participant(participant);
}

void JournalSeance::sur_utilisateur_cree(int n, results::OrigineUtilisateur origine)
{
    if (n <= 0 || m_suspendu) {
        if (n == 0 && origine == results::OrigineUtilisateur::commande)
            note_evenement(base::Evenement::nouvel_utilisateur(0, m_tableau.rangee(0).nom));
        return;
    }
    m_participants.remove(n); // a new row is a new person, whatever its number
    base::Participant &p = participant_de(n);
    if (origine == results::OrigineUtilisateur::fichier)
        p.source = QStringLiteral("fichier:"); // its path comes once the file is read
    if (origine == results::OrigineUtilisateur::commande) {
        base::Evenement e = base::Evenement::nouvel_utilisateur(n, p.code);
        e.participant = p.uuid;
        note_evenement(e);
    }
}

void JournalSeance::sur_rangee_renommee(int n, const QString &nom, bool depuis_fichier)
{
    if (m_suspendu)
        return;
    base::Evenement e = base::Evenement::renommage(n, nom);
    if (n >= 1) {
        base::Participant &p = participant_de(n);
        p.code = nom;
        ecrit(p);
        e.participant = p.uuid;
    }
    if (!depuis_fichier)
        note_evenement(e);
}

void JournalSeance::sur_fichier_lu(const QString &chemin, const QStringList &lignes)
{
    if (m_suspendu)
        return;
    for (base::Participant &p : m_participants)
        if (p.source == QLatin1String("fichier:")) {
            p.source += chemin;
            ecrit(p);
        }
    note_evenement(base::Evenement::lecture_fichier(chemin, lignes));
}

base::Participant JournalSeance::participant_courant() const
{
    return m_participants.value(m_tableau.util_courant());
}

void JournalSeance::modifie_fiche(const base::Participant &fiche)
{
    const int n = m_tableau.util_courant();
    if (n < 1)
        return;
    base::Participant &p = participant_de(n);
    const QString uuid = p.uuid, source = p.source, station = p.station;
    const QDateTime cree = p.cree_utc;
    const qint64 seance = p.seance;
    p = fiche;
    p.uuid = uuid; // the form never changes who it is
    p.source = source;
    p.station = station;
    p.cree_utc = cree;
    p.seance = seance;
    ecrit(p);
}

void JournalSeance::note_essai(const trials::CompteRenduEssai &rendu)
{
    if (!m_enregistreur || m_suspendu)
        return;
    const int n = m_tableau.util_courant();
    const QString nom =
            m_tableau.rangee_existe(n) ? m_tableau.rangee(n).nom : QStringLiteral("Essai%1").arg(n);
    base::Essai e = essai_de(rendu, n, nom);
    if (n >= 1)
        e.participant = participant_de(n).uuid;
    m_enregistreur->enregistre_essai(e);
}
void JournalSeance::note_evenement(const base::Evenement &evenement)
{
    if (m_enregistreur && !m_suspendu)
        m_enregistreur->enregistre_evenement(evenement);
}

void JournalSeance::note_verification(const QVector<base::FlashVerification> &flashs)
{
    if (!m_enregistreur || flashs.isEmpty())
        return;
    try {
        if (seance() == 0)
            throw base::erreur_base(base::NatureErreurBase::autre, chemin_base(),
                                    QStringLiteral("La séance n'est pas encore enregistrée."));
        base::BaseEssais base(chemin_base());
        base.insere_verification(seance(), flashs);
    } catch (const platform::ErreurExecution &e) {
        platform::montre_erreur(e.message());
    }
}

QString JournalSeance::chemin_base() const
{
    return m_enregistreur ? m_enregistreur->chemin() : QString();
}

qint64 JournalSeance::seance() const
{
    return m_enregistreur ? m_enregistreur->seance() : 0;
}

} // namespace fantrel::app
