#include "music/sortie_audio.h"
#include "music/ton.h"
#include "platform/priorite_temps_reel.h"
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace fantrel::music {

namespace {

// How often the thread tops the stream up and reads the sink's position.
constexpr int periode_alimentation_ms = 2;

} // namespace

std::unique_ptr<platform::SortieSon> sortie_audio()
{
    return std::make_unique<SortieAudio>(QMediaDevices::defaultAudioOutput());
}

// The feeding thread's side: the sink, the samples written, the melody being handed over.
// Everything here runs on that thread; what the owner must know is posted to it.
class SortieAudio::Alimentation : public QObject
{
public:
    explicit Alimentation(SortieAudio *proprietaire) : m_proprietaire(proprietaire) { }

    void ouvre(const QAudioDevice &peripherique)
    {
        if (m_sink)
            return;
        if (!m_priorite_demandee) {
            m_priorite_demandee = true;
            const QString texte = platform::eleve_fil_courant().texte();
            poste([p = m_proprietaire, texte] { p->m_priorite = texte; });
        }
        QAudioFormat format;
        format.setSampleRate(taux_ton);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!peripherique.isFormatSupported(format))
            return;
        m_sink = new QAudioSink(peripherique, format, this);
        m_sink->setBufferSize(format.bytesForDuration(qint64(tampon_sortie_ms) * 1000));
        m_flux = m_sink->start(); // push mode: this thread writes, when it chooses
        if (!m_flux || m_sink->error() != QAudio::NoError) {
            ferme();
            return;
        }
        m_ecrits = 0;
        m_correction = 0;
        m_joues_reglage = 0;
        m_somme_en_avance = 0;
        m_lectures = 0;
        m_en_avance = double(m_cible);
        m_ouverture = m_dernier_reglage = Horloge::now();
        m_minuterie = new QTimer(this);
        m_minuterie->setTimerType(Qt::PreciseTimer);
        connect(m_minuterie, &QTimer::timeout, this, &Alimentation::nourrit);
        m_minuterie->start(periode_alimentation_ms);
        nourrit();
    }

    void ferme()
    {
        // NOTE: deleting the sink runs this thread's events (Qt's own destructor does):
        // everything is unhooked first, so a call met there finds it closed.
        QTimer *minuterie = std::exchange(m_minuterie, nullptr);
        QAudioSink *sink = std::exchange(m_sink, nullptr);
        m_flux = nullptr;
        m_active = false;
        if (minuterie) {
            minuterie->stop();
            minuterie->deleteLater(); // may run from the timer's own slot
        }
        if (sink) {
            sink->stop();
            delete sink;
        }
    }

    void joue(quint64 numero, const QVector<qint16> &echantillons, const QVector<qint64> &reperes)
    {
        m_numero = numero;
        m_melodie = echantillons;
        m_reperes = reperes;
        m_suivant = 0;
        m_remis = 0;
        m_active = true;
        if (!m_sink)
            return panne();
        nourrit(); // the first samples go now, behind the silence already queued
    }

    void arrete()
    {
        m_active = false;
        m_melodie.clear();
    }

private:
    template<typename F>
    void poste(F &&f)
    {
        QMetaObject::invokeMethod(m_proprietaire, std::forward<F>(f), Qt::QueuedConnection);
    }

    // Samples of the stream played, by the sink's own count.
    qint64 joues_du_flux() const { return m_sink->processedUSecs() * taux_ton / 1'000'000; }

    bool en_echec() const
    {
        const QAudio::Error e = m_sink->error();
        return m_sink->state() == QAudio::StoppedState || e == QAudio::FatalError
                || e == QAudio::IOError || e == QAudio::OpenError;
    }

    // What the stream should have been given by now: what has played since it opened, on
    // the steady clock, plus the sound kept queued ahead.
    // NOTE: paced by the clock, not by the sink's free space or position: here the free
    // space never grew after the first write, and the position stalls while the server's
    // timing answers are late; the stream then ran dry in the middle of notes.
    qint64 du(Horloge::time_point maintenant) const
    {
        const double ecoule_s = std::chrono::duration<double>(maintenant - m_ouverture).count();
        return qint64(ecoule_s * taux_ton) + m_cible + m_correction;
    }

    // Between melodies, once a second: the sound queued ahead of the sink's played
    // position, averaged over that second (one reading is off by several ms), moves the
    // pace by a quarter of its distance to the target, 2 ms at most: the card's clock
    // drifts from the steady clock, and a stall of the server leaves extra sound queued.
    // A second whose position did not advance as the clock did is not trusted: the sink's
    // count goes stale now and then (for half a second, once).
    void regle(Horloge::time_point maintenant)
    {
        const qint64 joues = joues_du_flux();
        const double attendu =
                std::chrono::duration<double>(maintenant - m_dernier_reglage).count() * taux_ton;
        const bool fiable = m_lectures > 0
                && std::abs(double(joues - m_joues_reglage) - attendu) < 0.05 * attendu;
        if (fiable) {
            const double moyenne = m_somme_en_avance / double(m_lectures);
            const qint64 pas = std::clamp<qint64>(qint64((double(m_cible) - moyenne) / 4),
                                                  -taux_ton / 500, taux_ton / 500);
            m_correction += pas;
            m_en_avance = moyenne + double(pas); // what will be queued from now on
        }
        m_dernier_reglage = maintenant;
        m_joues_reglage = joues;
        m_somme_en_avance = 0;
        m_lectures = 0;
    }

    // Writes what is due: the melody's next samples, else silence.
    void nourrit()
    {
        if (!m_sink)
            return;
        if (en_echec())
            return panne();
        const auto maintenant = Horloge::now();
        if (!m_active && maintenant - m_dernier_reglage >= std::chrono::seconds(1))
            regle(maintenant);
        qint64 libre = du(maintenant) - m_ecrits;
        while (libre > 0) {
            const bool melodie = m_active && m_remis < m_melodie.size();
            if (melodie && m_remis == 0) {
                // Its first sample: what is queued ahead of it plays first.
                m_origine = m_ecrits;
                // The last trusted second's average, as the pace has kept it since.
                const double latence_ms =
                        (m_en_avance + double(m_ecrits - du(Horloge::now()))) * 1000.0 / taux_ton;
                poste([p = m_proprietaire, n = m_numero, t = Horloge::now(), latence_ms] {
                    p->recoit_debut(n, t, latence_ms);
                });
            }
            const qint16 *donnees = melodie ? m_melodie.constData() + m_remis : m_silence.data();
            const qint64 n = std::min<qint64>(
                    libre, melodie ? m_melodie.size() - m_remis : qint64(m_silence.size()));
            const qint64 ecrits = m_flux->write(reinterpret_cast<const char *>(donnees), n * 2) / 2;
            if (ecrits <= 0)
                break;
            if (melodie)
                m_remis += ecrits;
            m_ecrits += ecrits;
            libre -= ecrits;
        }
        if (!m_active) {
            m_somme_en_avance += double(m_ecrits - joues_du_flux());
            ++m_lectures;
        }
        if (!m_active || m_remis == 0 || m_suivant >= m_reperes.size())
            return;
        const qint64 joues = joues_du_flux() - m_origine;
        if (joues < m_reperes[m_suivant])
            return;
        while (m_suivant < m_reperes.size() && m_reperes[m_suivant] <= joues)
            ++m_suivant;
        poste([p = m_proprietaire, n = m_numero, joues] { p->recoit_position(n, joues); });
        if (m_suivant == m_reperes.size())
            arrete();
    }

    // The device is lost: the owner goes on with the clock from where playback stood.
    void panne()
    {
        const bool remis = m_sink && m_remis > 0;
        const qint64 joues = remis ? std::max<qint64>(joues_du_flux() - m_origine, 0) : 0;
        if (m_active)
            poste([p = m_proprietaire, n = m_numero, remis, joues] {
                p->recoit_panne(n, remis, joues);
            });
        ferme();
    }

    SortieAudio *m_proprietaire;
    QAudioSink *m_sink = nullptr;
    QIODevice *m_flux = nullptr; // the sink's, written to
    QTimer *m_minuterie = nullptr;
    bool m_priorite_demandee = false;
    qint64 m_ecrits = 0; // samples written since the stream opened
    const qint64 m_cible = qint64(tampon_sortie_ms) * taux_ton / 1000; // queued ahead
    qint64 m_correction = 0; // the pace's drift correction, samples
    Horloge::time_point m_ouverture{}, m_dernier_reglage{};
    qint64 m_joues_reglage = 0; // the played position at the last adjustment
    double m_somme_en_avance = 0; // the queued-ahead readings of this second, between melodies
    int m_lectures = 0;
    double m_en_avance = 0; // queued ahead, from the last trusted second's average, samples
    std::array<qint16, 4096> m_silence{};
    // The melody being handed over.
    quint64 m_numero = 0;
    QVector<qint16> m_melodie;
    QVector<qint64> m_reperes;
    qsizetype m_suivant = 0; // the next mark not yet passed
    qint64 m_remis = 0; // its samples written
    qint64 m_origine = 0; // where its first sample stands in the stream
    bool m_active = false;
};

SortieAudio::SortieAudio(const QAudioDevice &peripherique, QObject *parent)
    : platform::SortieSon(parent), m_peripherique(peripherique)
{
    m_fil.setObjectName(QStringLiteral("sortie_audio"));
    m_alimentation = new Alimentation(this);
    m_alimentation->moveToThread(&m_fil);
    m_fil.start();
}

SortieAudio::~SortieAudio()
{
    QMetaObject::invokeMethod(
            m_alimentation, [a = m_alimentation] { a->ferme(); }, Qt::BlockingQueuedConnection);
    m_fil.quit();
    m_fil.wait();
    delete m_alimentation;
}

void SortieAudio::ouvre()
{
    if (m_ouverte || m_en_panne || m_peripherique.isNull())
        return;
    m_ouverte = true;
    QMetaObject::invokeMethod(
            m_alimentation, [a = m_alimentation, p = m_peripherique] { a->ouvre(p); },
            Qt::QueuedConnection);
}

void SortieAudio::ferme()
{
    arrete();
    m_en_panne = false; // the next opening tries the device again
    if (!m_ouverte)
        return;
    m_ouverte = false;
    QMetaObject::invokeMethod(
            m_alimentation, [a = m_alimentation] { a->ferme(); }, Qt::QueuedConnection);
}

void SortieAudio::joue(const QVector<qint16> &echantillons, int taux,
                       const QVector<qint64> &reperes)
{
    commence(taux, reperes);
    const quint64 numero = ++m_numero;
    if (m_peripherique.isNull() || m_en_panne || taux != taux_ton) {
        sur_horloge(0);
        emit debut(Horloge::now(), 0.0);
        return;
    }
    ouvre();
    QMetaObject::invokeMethod(
            m_alimentation,
            [a = m_alimentation, numero, echantillons, reperes] {
                a->joue(numero, echantillons, reperes);
            },
            Qt::QueuedConnection);
}

void SortieAudio::arrete()
{
    platform::SortieSon::arrete();
    ++m_numero;
    QMetaObject::invokeMethod(
            m_alimentation, [a = m_alimentation] { a->arrete(); }, Qt::QueuedConnection);
}

void SortieAudio::recoit_debut(quint64 numero, Horloge::time_point remis, double latence_ms)
{
    if (numero == m_numero && en_lecture())
        emit debut(remis, latence_ms);
}

void SortieAudio::recoit_position(quint64 numero, qint64 joues)
{
    if (numero == m_numero)
        avance(joues);
}

void SortieAudio::recoit_panne(quint64 numero, bool remis, qint64 joues)
{
    m_en_panne = true;
    m_ouverte = false;
    if (numero != m_numero || !en_lecture())
        return;
    if (!remis)
        emit debut(Horloge::now(), 0.0);
    sur_horloge(joues);
}

} // namespace fantrel::music
