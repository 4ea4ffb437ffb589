// The sound card's output of the melodies: one stream, opened by ouvre() and kept
// running until ferme(), fed by a thread of its own (raised like the timers' threads)
// a few ms at a time, silence between melodies. A melody's samples follow the silence
// already queued, so no note waits for a stream to open or for the server to end an
// underrun, and each sounds at the sample the rendering gave it. Its marks are reported
// by the sink's processed position. Without a device, or once the device fails, the
// stream goes on silently on the clock (SortieSon's).
#pragma once
#include "platform/sortie_son.h"
#include <QAudioDevice>
#include <QThread>

namespace fantrel::music {

// Sound queued ahead of what plays: enough for the feeding thread to be late a little
// without an underrun, little enough for a short start.
inline constexpr int tampon_sortie_ms = 150;

// The program's output: a SortieAudio on the default device (the seams' sortie_son).
std::unique_ptr<platform::SortieSon> sortie_audio();

class SortieAudio : public platform::SortieSon
{
    Q_OBJECT
public:
    // A null device: no sound at all, the clock alone.
    explicit SortieAudio(const QAudioDevice &peripherique, QObject *parent = nullptr);
    // Closes the stream and joins the feeding thread.
    ~SortieAudio() override;

    void ouvre() override;
    void ferme() override;
    void joue(const QVector<qint16> &echantillons, int taux,
              const QVector<qint64> &reperes) override;
    void arrete() override;

    // What the feeding thread's scheduling is ("SCHED_FIFO 99 (direct)"…); empty until
    // it has asked, at the first ouvre().
    QString priorite() const { return m_priorite; }

private:
    class Alimentation;

    // Posted by the feeding thread; those of a stream no longer current are dropped.
    void recoit_debut(quint64 numero, Horloge::time_point remis, double latence_ms);
    void recoit_position(quint64 numero, qint64 joues);
    void recoit_panne(quint64 numero, bool remis, qint64 joues);

    QAudioDevice m_peripherique;
    QThread m_fil;
    Alimentation *m_alimentation = nullptr; // lives in m_fil
    bool m_ouverte = false;
    bool m_en_panne = false; // the device failed: the clock alone from then on
    quint64 m_numero = 0; // the current stream's number
    QString m_priorite;
};

} // namespace fantrel::music
