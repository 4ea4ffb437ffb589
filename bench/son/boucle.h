// The loopback around the program's output, through the PulseAudio server the
// environment names (PULSE_SERVER or the user's own): a null sink made the default
// output and its monitor recorded by parec, or, on a lab machine, a real output and the
// capture its loopback cable feeds.
#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QVector>

namespace fantrel::banc_son {

// pactl's output, or an empty string and `ok` false when it fails.
QString pactl(const QStringList &arguments, bool *ok = nullptr);

// The default output for as long as the object lives: a null sink loaded for it
// (44.1 kHz, mono, 16-bit: what the program plays, so nothing is resampled), with or
// without rewinds, or an existing sink. The previous default comes back at the end.
class Sortie
{
public:
    // sink empty: a null sink; else that sink, made the default.
    Sortie(const QString &sink, bool rembobinage);
    ~Sortie();
    bool prete() const { return m_prete; }
    QString nom() const { return m_nom; }
    QString description() const { return m_description; }
    // Where to record it: its monitor, unless a capture source is named.
    QString source_par_defaut() const { return m_nom + QStringLiteral(".monitor"); }

private:
    QString m_nom, m_description, m_module, m_ancienne;
    bool m_prete = false;
};

// parec on a source, raw 16-bit mono at 44.1 kHz, into a temporary file.
class Enregistrement
{
public:
    explicit Enregistrement(const QString &source);
    ~Enregistrement();
    bool lance() const { return m_lance; }
    // Stops parec and reads what it recorded.
    QVector<qint16> termine();

private:
    QProcess m_parec;
    QTemporaryFile m_fichier;
    bool m_lance = false;
};

} // namespace fantrel::banc_son
