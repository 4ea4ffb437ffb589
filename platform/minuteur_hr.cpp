#include "platform/minuteur_hr.h"
#include "platform/priorite_temps_reel.h"
#include <QPointer>
#include <algorithm>

namespace fantrel::platform {

namespace {

// Long enough to cover the scheduler's wake-up lateness, short enough to keep the
// polling cheap.
constexpr auto marge_sommeil = std::chrono::microseconds(2000);

} // namespace

MinuteurHR::MinuteurHR(QObject *parent) : QObject(parent)
{
    demarre_fil();
}

MinuteurHR::~MinuteurHR()
{
    // NOTE: the thread never blocks on this thread without also watching m_arret, so
    // joining from here cannot deadlock even when an event is waiting to be delivered;
    // QObject's destructor then drops that event.
    {
        std::lock_guard verrou(m_verrou);
        m_arret = true;
    }
    m_reveil.notify_all();
    if (m_fil.joinable())
        m_fil.join();
}

void MinuteurHR::definir_intervalle(quint16 ms)
{
    bool redemarre = false;
    {
        std::lock_guard verrou(m_verrou);
        if (m_intervalle == ms)
            return;
        // An enabled timer idling at interval 0 starts its wait when it gets a real one.
        redemarre = m_actif && m_intervalle == 0 && !m_echeance_unique;
        m_intervalle = ms;
        if (redemarre) {
            m_prochaine = Horloge::now() + std::chrono::milliseconds(ms);
            ++m_generation;
        }
    }
    if (redemarre) {
        demarre_fil();
        m_reveil.notify_all();
    }
}

quint16 MinuteurHR::intervalle() const
{
    std::lock_guard verrou(m_verrou);
    return m_intervalle;
}

void MinuteurHR::definir_actif(bool actif)
{
    bool attend = false;
    {
        std::lock_guard verrou(m_verrou);
        if (m_actif == actif)
            return;
        m_actif = actif;
        m_echeance_unique = false;
        ++m_generation;
        if (actif)
            m_prochaine = Horloge::now() + std::chrono::milliseconds(m_intervalle);
        attend = actif && m_intervalle != 0;
    }
    if (attend)
        demarre_fil();
    m_reveil.notify_all();
}

void MinuteurHR::definir_avance(std::chrono::microseconds avance)
{
    std::lock_guard verrou(m_verrou);
    m_avance = std::max(avance, std::chrono::microseconds(0));
}

void MinuteurHR::definir_echeance(Horloge::time_point moment)
{
    {
        std::lock_guard verrou(m_verrou);
        m_actif = true;
        m_echeance_unique = true;
        m_prochaine = moment;
        ++m_generation;
    }
    demarre_fil();
    m_reveil.notify_all();
}

QString MinuteurHR::priorite() const
{
    std::lock_guard verrou(m_verrou);
    return m_priorite;
}

bool MinuteurHR::actif() const
{
    std::lock_guard verrou(m_verrou);
    return m_actif;
}

void MinuteurHR::demarre_fil()
{
    if (!m_fil.joinable())
        m_fil = std::thread([this] { boucle_attente(); });
}

bool MinuteurHR::doit_abandonner(std::uint64_t generation) const
{
    return m_arret || !m_actif || m_generation != generation;
}

bool MinuteurHR::en_attente() const
{
    return m_actif && (m_intervalle != 0 || m_echeance_unique);
}

void MinuteurHR::boucle_attente()
{
    const QString priorite = eleve_fil_courant().texte();
    QMetaObject::invokeMethod(
            this, [this, priorite] { emit priorite_obtenue(priorite); }, Qt::QueuedConnection);
    std::unique_lock verrou(m_verrou);
    m_priorite = priorite;
    while (!m_arret) {
        if (!en_attente()) {
            m_reveil.wait(verrou, [this] { return m_arret || en_attente(); });
            continue;
        }
        const std::uint64_t generation = m_generation;
        const Horloge::time_point due = m_prochaine;
        const Horloge::time_point livraison = m_echeance_unique ? due : due - m_avance;
        if (m_reveil.wait_until(verrou, livraison - marge_sommeil,
                                [&] { return doit_abandonner(generation); }))
            continue;
        while (Horloge::now() < livraison && !doit_abandonner(generation)) {
            verrou.unlock();
            std::this_thread::yield();
            verrou.lock();
        }
        if (doit_abandonner(generation))
            continue;

        const std::uint64_t numero = ++m_numero_envoye;
        verrou.unlock();
        QMetaObject::invokeMethod(
                this, [this, generation, numero] { livre(generation, numero); },
                Qt::QueuedConnection);
        verrou.lock();
        // Blocks until the handler has run, unless the timer is stopped, disabled or
        // restarted meanwhile: then the event is stale and a new wait begins.
        m_reveil.wait(verrou,
                      [&] { return m_numero_livre >= numero || doit_abandonner(generation); });
        if (doit_abandonner(generation))
            continue;
        m_echeance_unique = false;
        // No catching up: a due time already past restarts the rhythm from now.
        const auto maintenant = Horloge::now();
        m_prochaine = due + std::chrono::milliseconds(m_intervalle);
        if (m_prochaine <= maintenant)
            m_prochaine = maintenant + std::chrono::milliseconds(m_intervalle);
    }
}

void MinuteurHR::livre(std::uint64_t generation, std::uint64_t numero)
{
    bool a_livrer = false;
    {
        std::lock_guard verrou(m_verrou);
        a_livrer = !doit_abandonner(generation);
    }
    // Releases the waiting thread once the handler has ended, even by an exception, and
    // not at all when the handler destroyed the timer.
    struct FinLivraison
    {
        QPointer<MinuteurHR> minuteur;
        std::uint64_t numero;
        ~FinLivraison()
        {
            if (!minuteur)
                return;
            {
                std::lock_guard verrou(minuteur->m_verrou);
                minuteur->m_numero_livre = std::max(minuteur->m_numero_livre, numero);
            }
            minuteur->m_reveil.notify_all();
        }
    } fin{ this, numero };
    if (a_livrer)
        emit echeance();
}

} // namespace fantrel::platform
