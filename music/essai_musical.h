// The musical incongruity test: the listen button starts a test, a melody line is
// drawn from the melody list (blank lines aside), made incongruous half of the time,
// parsed, rendered into one stream of samples and played through the audio output,
// whose reports of the notes played drive the note counter; the answer buttons come
// when the stream's last sample has been played, and judge it.
// Widget-free: the main window passes the settings of the moment and shows what the
// signals say. Errors (series size, rhythm or shift not an integer, "Rythme nul",
// "Mélodie vide") are thrown as ErreurExecution; the test is then undone (num_essai
// back, listen button enabled).
// NOTE: call BitBtn_ecouteClick from a handler connected with platform::relie() so
// the error reaches the error box without unwinding through Qt's widget code.
#pragma once
#include "music/flux_melodie.h"
#include "music/melodie.h"
#include "trials/compte_rendu_essai.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <chrono>
#include <optional>

namespace fantrel::trials {
struct EtatPartage;
}
namespace fantrel::platform {
class SortieSon;
}

namespace fantrel::music {

// The settings a test reads as it starts.
struct ReglagesMusique
{
    QString taille_serie = QStringLiteral("10"); // Edit3
    QStringList melodies; // the lines of the melody list
    QString decalage = QStringLiteral("+1/2"); // Edit_incongru
    int mode_incongruite = 2; // Radio_incongru: 0 none, 1 random place, 2 at the end; −1 none
};

class EssaiMusical : public QObject
{
    Q_OBJECT
public:
    // Takes its audio output from the seams (platform::nouvelle_sortie_son).
    explicit EssaiMusical(trials::EtatPartage &etat, QObject *parent = nullptr);

    // The melody being played.
    QVector<Note> notes; // notes[k − 1] is entry k; rests have frequence 0
    int nb_notes = 0;
    int note_courante = 0; // entries begun, then nb_notes + 1 once the stream has ended
    int duree_base = duree_base_melodie;
    int incongru = 0; // 1: drawn as incongruous
    QString ligne_melodie; // the drawn line without its name field
    FluxMelodie flux; // its stream: flux.debuts[k − 1] is where entry k starts

    // Listen click to the stream's first sample handed to the output, and the sound
    // queued ahead of that sample then; none until the output has taken it.
    std::optional<double> debut_son_ms, latence_sortie_ms;

    platform::SortieSon &sortie() { return *m_sortie; }

    // The musical test is chosen: the output opens ahead of the first melody.
    void ouvre_sortie();

    // One test: series check ("Plus de tests"), draw of a line, joue.
    void BitBtn_ecouteClick(const ReglagesMusique &reglages);
    // Parses "rhythm,notes", draws incongru, inserts the shift, renders the stream and
    // hands it to the output.
    void joue(const QString &s, const QString &decalage, int mode_incongruite);
    // The answers: "C'était juste" and "C'était faux", judged, counted, shown; only
    // while a melody awaits its answer. A key before the buttons is counted, ignored.
    void bit_rep1Click(const trials::ActeReponse &acte = {});
    void bit_rep2Click(const trials::ActeReponse &acte = {});
    // Another test is chosen: a melody playing stops, one awaiting its answer is
    // dropped (neither is counted), the listen button is free again, the output closes.
    void abandonne();

public slots:
    // The output has played up to the next entry's first sample, or to the stream's end:
    // the answer buttons.
    void Async_noteTimer();

signals:
    void ecoute_permise(bool permise); // the listen button
    void melodie_tiree(const QString &etiquette); // "Incongruité" or "Pas d'incongruité"
    void reponses_montrees(); // the melody is over: the two answer buttons
    void reponses_cachees();
    void reponse_comptee(int categorie); // in the current row, then the sum row
    void verdict(bool bonne_reponse);
    // The melody answered, with what was played and how fast the answer came.
    void essai_termine(const fantrel::trials::CompteRenduEssai &rendu);

private:
    void reponse(bool repondu_faux, const trials::ActeReponse &acte);
    void debut_du_son(std::chrono::steady_clock::time_point remis, double latence_ms);

    trials::CompteRenduEssai m_rendu; // the test under way
    std::chrono::steady_clock::time_point m_clic{}, m_reponses_montrees{};
    platform::SortieSon *m_sortie = nullptr; // a child

    trials::EtatPartage &m_etat;
    bool m_en_cours = false; // from the clock's start to the answer
    bool m_reponses_visibles = false; // the answer buttons shown and painted
};

} // namespace fantrel::music
