// The melodies' audio output: plays one stream of 16-bit mono samples at a time and
// reports, on its owner's thread, each mark of the stream (a note's first sample, the
// stream's end) once it has been played. This one is silent and keeps the schedule on
// the steady clock (no audio device, tests, programs without sound); the sound card's
// output (music/sortie_audio.h) derives from it and falls back on its clock.
#pragma once
#include <QObject>
#include <QTimer>
#include <QVector>
#include <chrono>

namespace fantrel::platform {

class SortieSon : public QObject
{
    Q_OBJECT
public:
    using Horloge = std::chrono::steady_clock;

    explicit SortieSon(QObject *parent = nullptr);

    // Gets the device ready ahead of the first stream, so that no stream waits for it to
    // open; calling it again changes nothing.
    virtual void ouvre() { }
    // Releases the device; a stream playing stops. The next stream opens it again.
    virtual void ferme() { arrete(); }
    // Plays the stream (taux samples a second) from its first sample as soon as the output
    // takes it; `reperes` are increasing sample indices, each reported once played. A
    // stream already playing is dropped. NOTE: may report debut() before it returns.
    virtual void joue(const QVector<qint16> &echantillons, int taux,
                      const QVector<qint64> &reperes);
    // Drops the stream playing: no mark of it is reported any more.
    virtual void arrete();
    // True from joue() until the last mark has been reported or arrete().
    bool en_lecture() const { return m_suivant < m_reperes.size(); }

signals:
    // The stream's first sample was handed to the output at `remis`, with `latence_ms` of
    // sound queued in the output ahead of it (0 on the clock).
    void debut(std::chrono::steady_clock::time_point remis, double latence_ms);
    // Mark `indice` of the current stream has been played.
    void repere_atteint(int indice);

protected:
    // A new stream: its marks are reported from the first; the previous one's never again.
    void commence(int taux, const QVector<qint64> &reperes);
    // `joues` samples of the current stream have been played: reports the marks passed.
    // NOTE: a slot may call joue() or arrete() meanwhile; the reporting stops there.
    void avance(qint64 joues);
    // The rest of the current stream runs on the steady clock, from sample `depuis` now.
    void sur_horloge(qint64 depuis);

private:
    void tic();

    QVector<qint64> m_reperes;
    qsizetype m_suivant = 0; // the next mark to report
    int m_taux = 1;
    quint64 m_generation = 0; // bumped at each new stream or stop
    QTimer m_minuterie; // the clock's next mark
    bool m_horloge = false;
    Horloge::time_point m_origine{}; // on the clock: when sample 0 was (or would have been) played
};

} // namespace fantrel::platform
