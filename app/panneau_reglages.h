// The settings panel "Réglages" (GroupBox1), a floating box of the main window: the
// exercise list's name, the first paradigm's exposure and mask, the word's size and
// colour, the second paradigm's masks and four durations, the musical options, OK
// and Annuler. The controls hold the settings in effect (the settings file only
// stores them); the panel keeps its labels in step with its bars and tells the
// rest of the program by its signals.
#pragma once
#include "music/essai_musical.h"
#include <QGroupBox>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace fantrel::app {

class GroupePhotodiode;
class GroupeClavier;
class GroupeRadio;
class Nuancier;

class PanneauReglages : public QGroupBox
{
    Q_OBJECT
public:
    explicit PanneauReglages(QWidget *parent = nullptr);

    // --- controls, named as the panel's layout names them ---
    QLineEdit *Edit1 = nullptr; // "Fichier de mots"
    QToolButton *SpeedButton1 = nullptr; // open an exercise list
    QToolButton *SpeedButton3 = nullptr; // "X"
    QPushButton *BitBtn4 = nullptr; // "OK"
    QPushButton *BitBtn3 = nullptr; // "Annuler"
    QScrollBar *Scroll_timer = nullptr; // first paradigm's exposure, 0..100 ms
    QLabel *Lab_intervalle_timer = nullptr;
    QLineEdit *Edit_masque = nullptr; // "Mire"
    QToolButton *SpeedButton2 = nullptr; // "test"
    QScrollBar *Scroll_hauteur = nullptr; // word's height × 100
    QScrollBar *Scroll_largeur = nullptr;
    QLabel *Lab_hauteur = nullptr;
    QLabel *Lab_largeur = nullptr;
    Nuancier *Ima_hg = nullptr; // colour chart
    QRadioButton *Radio_texte = nullptr;
    QRadioButton *Radio_fond = nullptr;
    QRadioButton *RadioButton1 = nullptr; // "Rien"
    QLineEdit *Edit_masque1 = nullptr;
    QScrollBar *Scroll_masque1 = nullptr;
    QLabel *Lab_interv_masque1 = nullptr;
    QScrollBar *Scroll_mot = nullptr;
    QLabel *Lab_interv_figure = nullptr;
    QScrollBar *Scroll_blanc = nullptr;
    QLabel *Lab_interv_blanc = nullptr;
    QLineEdit *Edit_masque2 = nullptr;
    QScrollBar *Scroll_masque2 = nullptr;
    QLabel *Lab_interv_masque2 = nullptr;
    GroupeRadio *Radio_incongru = nullptr; // none, random place, at the end
    QLineEdit *Edit_incongru = nullptr; // the shift, "+1/2"
    QLineEdit *Edit3 = nullptr; // the series size, "10"
    QTimer *Timer_reactive_coul = nullptr; // the chart frozen 1 s after a click
    QLabel *Lab_ecran = nullptr; // the screen's refresh, as measured
    GroupePhotodiode *photodiode = nullptr; // "Carré photodiode", its size and corner
    GroupeClavier *Group_clavier = nullptr; // the answer keys

    // --- what the session asks of the panel ---
    QString fichier_exercice() const; // "Fichier de mots" as typed
    void definir_fichier_exercice(const QString &nom);
    QString masque() const; // "Mire"
    void definir_masque(const QString &masque);
    // The exposure in effect (the timer's, in ms): its text and its bar (clamped) follow.
    void montre_exposition(int ms);

    // The exposure's text as set ("30 ms", or line 2 of the settings as read); the
    // label adds the frames the screen will really show.
    QString texte_intervalle() const { return m_texte_intervalle; }
    void definir_texte_intervalle(const QString &texte);
    // The screen's refresh period in ms, or none for a display with no refresh: every
    // duration label then says what the screen will really show.
    void definir_ecran(std::optional<double> periode_ms);

    // The colour picker stays put for a second after a click.
    bool couleur_gelee() const { return m_couleur_gelee; }
    // The musical test's settings of the moment, with the melody list's lines.
    music::ReglagesMusique reglages_musique(const QStringList &melodies) const;

public slots:
    void Scroll_timerChange();
    void Scroll_hauteurChange();
    void Scroll_largeurChange();
    void Scroll_masque1Change();
    void Scroll_motChange();
    void Scroll_blancChange();
    void Scroll_masque2Change();
    void Ima_hgMouseMove(QPoint pixel);
    void Ima_hgMouseDown();
    void Timer_reactive_coulTimer();

signals:
    void intervalle_change(int ms); // the first paradigm's exposure
    void hauteur_change(double echelle); // the word's scale along its height
    void largeur_change(double echelle);
    void duree_phase_change(int phase, int ms); // second paradigm: 0 mask 1 … 3 mask 2
    void masques_morbelle_changes(const QString &masque1, const QString &masque2);
    void couleur_texte_choisie(std::int32_t couleur); // 0x00BBGGRR, under the pointer
    void couleur_fond_choisie(std::int32_t couleur);

private:
    void construit_fichier();
    void construit_korvane();
    void construit_taille();
    void construit_couleur();
    void construit_morbelle();
    void construit_musique();
    void duree_phase(int phase, QScrollBar *barre, QLabel *etiquette);

    void affiche_durees();

    bool m_couleur_gelee = false;
    QString m_texte_intervalle;
    std::optional<double> m_periode_ms;
};

} // namespace fantrel::app
