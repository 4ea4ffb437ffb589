#include "platform/sortie_son.h"
#include <algorithm>
#include <cmath>

namespace fantrel::platform {

SortieSon::SortieSon(QObject *parent) : QObject(parent)
{
    m_minuterie.setSingleShot(true);
    m_minuterie.setTimerType(Qt::PreciseTimer);
    connect(&m_minuterie, &QTimer::timeout, this, &SortieSon::tic);
}

void SortieSon::joue(const QVector<qint16> &, int taux, const QVector<qint64> &reperes)
{
    commence(taux, reperes);
    sur_horloge(0);
    emit debut(Horloge::now(), 0.0);
}

void SortieSon::arrete()
{
    ++m_generation;
    m_reperes.clear();
    m_suivant = 0;
    m_horloge = false;
    m_minuterie.stop();
}

void SortieSon::commence(int taux, const QVector<qint64> &reperes)
{
    SortieSon::arrete();
    m_taux = std::max(taux, 1);
    m_reperes = reperes;
}

void SortieSon::avance(qint64 joues)
{
    const quint64 generation = m_generation;
    while (m_suivant < m_reperes.size() && m_reperes[m_suivant] <= joues) {
        const int indice = int(m_suivant++);
        emit repere_atteint(indice);
        if (m_generation != generation)
            return;
    }
    if (!en_lecture())
        m_minuterie.stop();
}

void SortieSon::sur_horloge(qint64 depuis)
{
    m_horloge = true;
    m_origine = Horloge::now()
            - std::chrono::duration_cast<Horloge::duration>(
                        std::chrono::duration<double>(double(depuis) / m_taux));
    tic();
}

void SortieSon::tic()
{
    if (!m_horloge)
        return;
    const quint64 generation = m_generation;
    const double ecoule_s = std::chrono::duration<double>(Horloge::now() - m_origine).count();
    avance(qint64(std::floor(ecoule_s * m_taux)));
    if (m_generation != generation || !en_lecture())
        return;
    // Wakes at the next mark's moment, never before it (a timer may fire a little early).
    const double reste_ms = double(m_reperes[m_suivant]) * 1000.0 / m_taux - ecoule_s * 1000.0;
    m_minuterie.start(std::max(0, int(std::ceil(reste_ms))));
}

} // namespace fantrel::platform
