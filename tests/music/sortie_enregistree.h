// A stand-in audio output for the trials' tests: keeps every stream handed to it and
// plays it at once, one mark per turn of the event loop (a test may step in between),
// or, held, only as far as the test moves it; and what a listener hears in a stream.
#pragma once
#include "platform/sortie_son.h"
#include <QTimer>
#include <QVector>
#include <cmath>
#include <cstdlib>

struct SonEntendu
{
    int frequence; // Hz, from the zero crossings
    int duree; // ms, from the first to the last sample that is not silence
    bool operator==(const SonEntendu &) const = default;
};

// The notes of a stream: stretches of sound parted by at least 1 ms of silence (rests
// are heard as silence, not listed).
inline QVector<SonEntendu> sons_entendus(const QVector<qint16> &s, int taux = 44100)
{
    QVector<SonEntendu> sons;
    const qsizetype silence = taux / 1000;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s[i] == 0) {
            ++i;
            continue;
        }
        qsizetype fin = i, muets = 0;
        for (qsizetype j = i; j < s.size() && muets < silence; ++j) {
            muets = s[j] == 0 ? muets + 1 : 0;
            if (s[j] != 0)
                fin = j;
        }
        // Crossings outside the 5 ms ramps, where rounding makes the near-silence flicker.
        const qsizetype rampe = taux / 200;
        double premier = -1, dernier = -1;
        int passages = 0;
        for (qsizetype j = i + rampe + 1; j <= fin - rampe; ++j) {
            if ((s[j - 1] < 0) != (s[j] < 0)) {
                const double t = (double(j - 1) + double(s[j - 1]) / (s[j - 1] - s[j])) / taux;
                premier = premier < 0 ? t : premier;
                dernier = t;
                ++passages;
            }
        }
        const double f = passages < 2 ? 0 : (passages - 1) / 2.0 / (dernier - premier);
        sons.append({ int(std::lround(f)), int(std::lround((fin + 1 - i) * 1000.0 / taux)) });
        i = fin + 1;
    }
    return sons;
}

class SortieEnregistree : public fantrel::platform::SortieSon
{
public:
    QVector<QVector<qint16>> flux; // every stream handed over, in order
    bool retenue = false; // the marks come only through joue_jusqua()

    SortieEnregistree()
    {
        connect(&m_pas, &QTimer::timeout, this, [this] {
            if (m_prochain < m_reperes.size())
                avance(m_reperes[m_prochain++]);
            if (!en_lecture())
                m_pas.stop();
        });
    }
    void joue(const QVector<qint16> &echantillons, int taux,
              const QVector<qint64> &reperes) override
    {
        flux.append(echantillons);
        commence(taux, reperes);
        m_reperes = reperes;
        m_prochain = 0;
        emit debut(Horloge::now(), 0.0);
        if (!retenue)
            m_pas.start(0);
    }
    void arrete() override
    {
        SortieSon::arrete();
        m_pas.stop();
    }
    // The output has played this many samples of the stream.
    void joue_jusqua(qint64 echantillons) { avance(echantillons); }

private:
    QTimer m_pas;
    QVector<qint64> m_reperes;
    qsizetype m_prochain = 0;
};
