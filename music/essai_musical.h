// The musical incongruity test: the listen button starts a test, a melody line is
// drawn from Memo_music, made incongruous half of the time, parsed, and played note
// by note on the note clock Async_note; the two answer buttons judge it.
//
// What the main window does (each handler one line):
//   essai_musical = new EssaiMusical(etat, controles, this);   // controles below
//   BitBtn_ecoute clicked        → essai_musical->BitBtn_ecouteClick()
//   bit_rep1 clicked, mode_musical → essai_musical->bit_rep1Click()   ("C'était juste")
//   bit_rep2 clicked, mode_musical → essai_musical->bit_rep2Click()   ("C'était faux")
// The clock is connected inside. Errors (series size, rhythm or shift not an
// integer, "Rythme nul", "Mélodie vide") are thrown as ErreurExecution; the test is
// then undone (num_essai back, listen button enabled).
// NOTE: connect BitBtn_ecoute with relie() (platform/liaison.h) so the error reaches
// the error box without unwinding through Qt's widget code.
#pragma once
#include "music/melodie.h"
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace fantrel::trials {
struct EtatPartage;
}
namespace fantrel::platform {
class MinuteurHR;
}

namespace fantrel::music {

// The main window's controls and routines the test uses; all must be set.
struct ControlesMusique
{
    QAbstractButton *BitBtn_ecoute = nullptr; // disabled while a test runs
    QAbstractButton *bit_rep1 = nullptr; // shown when the melody has played
    QAbstractButton *bit_rep2 = nullptr;
    QLabel *lab_mot_aff = nullptr; // "Incongruité" or "Pas d'incongruité"
    QPlainTextEdit *Memo_music = nullptr; // the melody list (GroupeMusical::Memo_music)
    QLineEdit *Edit_incongru = nullptr; // the shift, "+1/2"
    QLineEdit *Edit3 = nullptr; // the series size, "10"
    std::function<int()>
            Radio_incongru; // checked item: 0 none, 1 random place, 2 at the end; −1 none
    std::function<void()> compte_reponse; // misajour_courbe in util_courant, then in row 0
    std::function<void(bool)> affich_bid; // the verdict label
};

class EssaiMusical : public QObject
{
    Q_OBJECT
public:
    EssaiMusical(trials::EtatPartage &etat, ControlesMusique controles, QObject *parent = nullptr);

    // The melody being played.
    QVector<Note> notes; // notes[k − 1] is entry k; rests have frequence 0
    int nb_notes = 0;
    int note_courante = 0; // clock ticks of the current playback
    int duree_base = duree_base_melodie;
    int incongru = 0; // 1: drawn as incongruous
    QString ligne_melodie; // the drawn line without its name field

    platform::MinuteurHR *Async_note =
            nullptr; // the note clock: 100 ms, disabled until a melody starts

    // One test: series check ("Plus de tests"), draw of a line, joue.
    void BitBtn_ecouteClick();
    // Parses "rhythm,notes", draws incongru, inserts the shift, starts the clock.
    void joue(const QString &s);
    // The answer in the musical test: judged, counted, verdict shown, listen button back.
    void bit_rep1Click();
    void bit_rep2Click();

public slots:
    // One tick: the next note (blocking tone) or rest (wait), or the end of the melody.
    void Async_noteTimer();

private:
    void reponse(bool repondu_faux);

    trials::EtatPartage &m_etat;
    ControlesMusique m_controles;
};

} // namespace fantrel::music
