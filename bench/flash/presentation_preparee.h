// A bare GL window of the main view's size drawing the main window's scene with the
// engine's renderer, flashing a word for E ms through a MinuteurHR as the trials do,
// three ways:
//  - Actuelle: the mask is drawn and swapped when the timer's event comes (as the
//    view does today); the draw and the swap are timed apart;
//  - Preparee: the mask is drawn into the back buffer while the word stands, and
//    the event only swaps;
//  - PrepareeAvancee: as Preparee, the timer set short by 1 ms plus the swap time
//    seen so far, then polling until the swap, started that much early, ends at E.
// It tells how much of a flash's error the drawing makes and what presenting a
// frame drawn ahead would leave.
#pragma once
#include "engine3d/minuteur_hr.h"
#include "engine3d/rendu_scene.h"
#include "engine3d/scene.h"
#include <QOpenGLContext>
#include <QWindow>
#include <chrono>
#include <deque>
#include <optional>

namespace fantrel::moteur3d {
class Texte3D;
}

namespace fantrel::banc_flash {

class PresentationPreparee {
public:
    enum class Mode { Actuelle, Preparee, PrepareeAvancee };

    // One flash, in ms.
    struct Mesure {
        double exposition = 0;   // word swapped -> mask swapped (glFinish after each)
        double retard = 0;       // timer event taken, past its due time
        double dessin = 0;       // drawing the mask (glFinish included)
        double echange = 0;      // swapBuffers + glFinish of the mask's frame
    };

    PresentationPreparee();
    ~PresentationPreparee();
    bool pret() const { return m_pret; }

    std::optional<Mesure> flash(Mode mode, int exposition_ms, const QString& mot, const QString& masque);

private:
    using Horloge = std::chrono::steady_clock;

    bool courant();
    double dessine(const QString& texte);
    double echange();
    void fin_exposition();
    double avance_ms() const;

    QWindow m_fenetre;
    QOpenGLContext m_contexte;
    moteur3d::Scene m_scene;
    moteur3d::Texte3D* m_texte = nullptr;
    moteur3d::RenduScene m_rendu;
    MinuteurHR m_minuteur;
    bool m_pret = false;

    // The flash in progress.
    Mode m_mode = Mode::Actuelle;
    int m_exposition_ms = 0;
    QString m_masque;
    Horloge::time_point m_t_mot{};
    Horloge::time_point m_t_echeance{};
    std::optional<Mesure> m_mesure;
    bool m_fini = false;
    std::deque<double> m_echanges_recents;
};

} // namespace fantrel::banc_flash
