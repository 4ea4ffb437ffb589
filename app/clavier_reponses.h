// The subject's answer keys ("[clavier]" of fantrel.ini): left, right, "Je ne sais
// pas" and start, caught for the main window before any control takes them (a
// focused button would take Space), each with its event's own time stamp. Keys
// typed into a text field stay the field's.
#pragma once
#include "app/reglages_etendus.h"
#include "trials/compte_rendu_essai.h"
#include "trials/essai_mots.h"
#include <QKeySequence>
#include <QObject>

namespace fantrel::app {

// An input event's time stamp (ms of the monotonic clock, 32 bits, as the window
// system stamps it) as an instant of steady_clock, at the middle of its millisecond;
// a stamp of 0 or older than a minute (a synthetic event) gives now.
std::chrono::steady_clock::time_point instant_evenement(quint64 horodatage_ms);
// The reverse, for scripted events: the stamp the window system would give.
quint64 horodatage_evenement(std::chrono::steady_clock::time_point instant);

class ClavierReponses : public QObject
{
    Q_OBJECT
public:
    // Keys are taken only when they reach `fenetre` (its focused control, itself, or
    // the 3D view's native window).
    explicit ClavierReponses(QWidget *fenetre);

    void definir_touches(const ReglagesEtendus &reglages);

signals:
    void reponse(fantrel::trials::Cote cote, const fantrel::trials::ActeReponse &acte);
    void je_ne_sais_pas(const fantrel::trials::ActeReponse &acte);
    void depart();

protected:
    bool eventFilter(QObject *cible, QEvent *evenement) override;

private:
    QWidget *m_fenetre = nullptr;
    QKeySequence m_gauche, m_droite, m_ne_sait_pas, m_depart;
    const QEvent *m_transmis = nullptr; // the last key seen at a control, never dereferenced
};

} // namespace fantrel::app
