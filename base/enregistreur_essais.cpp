#include "base/enregistreur_essais.h"
#include "base/chronologie.h"
#include "base/secours_csv.h"
#include <QDir>
#include <QUuid>
#include <QFile>
#include <QFileInfo>

namespace fantrel::base {

using platform::ErreurExecution;

namespace {

const QString prefixe_message =
        QStringLiteral("Les essais ne sont plus enregistrés dans la base : ");

// "fantrel-endommagee-20240501-093012.sqlite" beside the base; never an existing name.
QString nom_de_cote(const QString &chemin)
{
    const QFileInfo info(chemin);
    const QString base = info.completeBaseName() + QStringLiteral("-endommagee-")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffixe = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString nom = info.dir().filePath(base + suffixe);
    for (int n = 2; QFileInfo::exists(nom) || QFileInfo::exists(nom + QStringLiteral("-wal")); ++n)
        nom = info.dir().filePath(base + QStringLiteral("-%1").arg(n) + suffixe);
    return nom;
}

void renomme(const QString &de, const QString &vers)
{
    QFile fichier(de);
    if (!fichier.rename(vers))
        throw ErreurExecution(fichier.errorString());
}

QString nouvel_uuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

EnregistreurEssais::EnregistreurEssais(const QString &chemin, QObject *parent)
    : QObject(parent), m_chemin(chemin)
{
    avance();
}

EnregistreurEssais::~EnregistreurEssais() = default;

std::optional<SeanceAReprendre> EnregistreurEssais::seance_a_reprendre(const QString &poste,
                                                                       const QString &repertoire)
{
    QVector<SeanceAReprendre> reprises = seances_a_reprendre(poste, repertoire);
    if (reprises.isEmpty())
        return std::nullopt;
    return reprises.takeFirst();
}

QVector<SeanceAReprendre> EnregistreurEssais::seances_a_reprendre(const QString &poste,
                                                                 const QString &repertoire)
{
    if (!m_base)
        avance();
    if (!m_base)
        return {};
    try {
        return base::seances_a_reprendre(*m_base, poste, repertoire, m_id_seance);
    } catch (const ErreurBase &e) {
        m_base.reset();
        annonce_arret(e.message());
        return {};
    }
}

int EnregistreurEssais::importe_secours(const QString &fichier, const QString &poste,
                                        const QString &repertoire)
{
    if (!m_base)
        avance();
    if (!m_base)
        throw ErreurExecution(QStringLiteral("La base d'essais n'est pas disponible."));
    return base::importe_secours(*m_base, fichier, poste, repertoire);
}

void EnregistreurEssais::enregistre_participant(const Participant &participant)
{
    Participant p = participant;
    if (p.uuid.isEmpty())
        p.uuid = nouvel_uuid();
    if (!p.cree_utc.isValid())
        p.cree_utc = QDateTime::currentDateTimeUtc();
    const auto trouve = std::find_if(m_participants.begin(), m_participants.end(),
                                     [&](const auto &connu) { return connu.first.uuid == p.uuid; });
    if (trouve == m_participants.end())
        m_participants.append({ p, true });
    else
        *trouve = { p, true };
    avance();
}

QString EnregistreurEssais::sauve_en_secours()
{
    if (en_attente() > 0)
        avance(); // once more, at the last moment
    QVector<Essai> essais;
    for (qsizetype k = m_ecrits; k < m_elements.size(); ++k)
        if (const auto *essai = std::get_if<Essai>(&m_elements[k])) {
            essais << *essai;
            essais.last().seance = m_id_seance; // the file's id, 0 when the row never got there
        }
    if (essais.isEmpty() || !m_seance)
        return QString();
    QHash<QString, QString> codes;
    for (const auto &[participant, a_ecrire] : m_participants)
        codes.insert(participant.uuid, participant.code);
    const QString chemin = ecrit_secours(QFileInfo(m_chemin).absolutePath(), *m_seance, essais, codes);
    m_elements.resize(m_ecrits); // kept on disc now: nothing more to try
    return chemin;
}

void EnregistreurEssais::commence_seance(const Seance &seance)
{
    if (m_seance)
        return;
    m_seance = seance;
    if (!m_seance->debut_utc.isValid())
        m_seance->debut_utc = QDateTime::currentDateTimeUtc();
    if (m_seance->uuid.isEmpty())
        m_seance->uuid = nouvel_uuid();
    if (m_precision) { // learnt before the session began: the row takes it at once
        if (m_precision->rafraichissement_hz)
            m_seance->rafraichissement_hz = m_precision->rafraichissement_hz;
        if (!m_precision->priorite.isEmpty())
            m_seance->priorite_minuteur = m_precision->priorite;
        if (!m_precision->methode.isEmpty())
            m_seance->methode_horodatage = m_precision->methode;
    }
    avance();
}

void EnregistreurEssais::enregistre_essai(const Essai &essai)
{
    Essai e = essai;
    e.ordre = ++m_ordre;
    if (e.uuid.isEmpty())
        e.uuid = nouvel_uuid();
    if (!e.debut_utc.isValid())
        e.debut_utc = QDateTime::currentDateTimeUtc();
    m_elements << std::move(e);
    avance();
}

void EnregistreurEssais::enregistre_evenement(const Evenement &evenement)
{
    Evenement e = evenement;
    e.ordre = ++m_ordre;
    if (e.uuid.isEmpty())
        e.uuid = nouvel_uuid();
    if (!e.moment_utc.isValid())
        e.moment_utc = QDateTime::currentDateTimeUtc();
    m_elements << std::move(e);
    avance();
}

void EnregistreurEssais::precise_seance(std::optional<double> rafraichissement_hz,
                                        const QString &priorite, const QString &methode)
{
    if (!m_seance) {
        m_precision = Precision{ rafraichissement_hz, priorite, methode };
        return;
    }
    m_seance->rafraichissement_hz = rafraichissement_hz;
    m_seance->priorite_minuteur = priorite;
    m_seance->methode_horodatage = methode;
    m_seance_a_preciser = m_id_seance != 0;
    avance();
}

// Opens the base when needed and writes what waits. A damaged file is set aside and
// the session written again into a new one, within the same call.
void EnregistreurEssais::avance()
{
    bool mis_de_cote = false;
    try {
        for (;;) {
            try {
                ecrit_en_attente();
                break;
            } catch (const ErreurBase &e) {
                m_base.reset();
                if (e.nature() != NatureErreurBase::corrompue || mis_de_cote) {
                    annonce_arret(e.message(), mis_de_cote);
                    return;
                }
                annonce_arret(met_de_cote(e), true);
                mis_de_cote = true;
            }
        }
    } catch (const ErreurExecution &e) {
        m_base.reset();
        annonce_arret(e.message(), mis_de_cote);
        return;
    } catch (const std::exception &e) {
        m_base.reset();
        annonce_arret(QString::fromLocal8Bit(e.what()), mis_de_cote);
        return;
    }
    annonce_retour();
}

void EnregistreurEssais::ecrit_en_attente()
{
    if (!m_base)
        m_base = std::make_unique<BaseEssais>(m_chemin);
    if (!m_seance)
        return;
    if (m_id_seance == 0) {
        m_id_seance = m_base->insere_seance(*m_seance);
        m_seance_a_preciser = false;
    } else if (m_seance_a_preciser) {
        m_base->precise_seance(m_id_seance, m_seance->rafraichissement_hz,
                               m_seance->priorite_minuteur, m_seance->methode_horodatage);
        m_seance_a_preciser = false;
    }
    for (auto &[participant, a_ecrire] : m_participants) {
        if (!a_ecrire)
            continue;
        if (participant.seance == 0)
            participant.seance = m_id_seance;
        m_base->enregistre_participant(participant);
        a_ecrire = false;
    }
    while (m_ecrits < m_elements.size()) {
        ElementChronologie &element = m_elements[m_ecrits];
        if (auto *essai = std::get_if<Essai>(&element)) {
            essai->seance = m_id_seance;
            essai->id = m_base->insere_essai(*essai);
        } else {
            auto &evenement = std::get<Evenement>(element);
            evenement.seance = m_id_seance;
            evenement.id = m_base->insere_evenement(evenement);
        }
        ++m_ecrits;
    }
}

// Renames the damaged file (journal first, so that no stale journal is ever read with
// a new base) and starts the session over in the next file. Throws ErreurExecution
// with the whole message when the file cannot be moved.
QString EnregistreurEssais::met_de_cote(const ErreurBase &erreur)
{
    const QString de_cote = nom_de_cote(m_chemin);
    try {
        for (const QString &journal : { QStringLiteral("-wal"), QStringLiteral("-shm") })
            if (QFileInfo::exists(m_chemin + journal))
                renomme(m_chemin + journal, de_cote + journal);
        renomme(m_chemin, de_cote);
    } catch (const ErreurExecution &e) {
        throw ErreurExecution(
                erreur.message()
                + QStringLiteral(" Il n'a pas pu être mis de côté : %1").arg(e.message()));
    }
    m_id_seance = 0;
    m_ecrits = 0;
    for (auto &[participant, a_ecrire] : m_participants) {
        a_ecrire = true;
        participant.seance = 0; // its session is written again, under a new id
    }
    return erreur.message()
            + QStringLiteral(" Il a été mis de côté sous le nom %1 et une nouvelle base a été "
                             "commencée.")
                      .arg(QDir::toNativeSeparators(de_cote));
}

// toujours: the message carries news even within an episode (a file set aside).
void EnregistreurEssais::annonce_arret(const QString &raison, bool toujours)
{
    if (!m_en_service && !toujours)
        return;
    m_en_service = false;
    const QString message = prefixe_message + raison;
    QMetaObject::invokeMethod(
            this, [this, message] { emit enregistrement_arrete(message); }, Qt::QueuedConnection);
}

void EnregistreurEssais::annonce_retour()
{
    if (m_en_service)
        return;
    m_en_service = true;
    QMetaObject::invokeMethod(
            this, [this] { emit enregistrement_retabli(); }, Qt::QueuedConnection);
}

} // namespace fantrel::base
