// The 3D view control: a native GL window embedded in a widget, so the program
// decides when a frame is drawn and swapped.
//
// NOTE: a native window covers sibling widgets placed over it; a control shown
// over the view must be native too (setAttribute(Qt::WA_NativeWindow)) and raised.
#pragma once
#include "engine3d/scene.h"

#include <QImage>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace fantrel::engine3d {

class FenetreGL;
class RenduScene;

class Vue3D : public QWidget
{
    Q_OBJECT
public:
    explicit Vue3D(QWidget *parent = nullptr);
    ~Vue3D() override;

    // Changes of the scene or its objects schedule a repaint by themselves.
    Scene &scene() { return m_scene; }
    const Scene &scene() const { return m_scene; }

    // Background as a colour value (0x00BBGGRR or a system colour); the value
    // is kept as given, the colour it stands for is resolved when drawing.
    void definir_couleur_fond(std::int32_t valeur);
    std::int32_t couleur_fond() const { return m_couleur_fond; }

    // Draws, swaps and waits for the GPU: the frame is on the screen on return.
    // Before the window is exposed the frame is drawn off screen only.
    void repeint_maintenant();
    // Schedules one repaint for the event loop; requests merge until it runs,
    // and a repeint_maintenant() in between satisfies them.
    void demande_repeint();

    // Draws the scene as it stands into the back buffer without showing it: the
    // next repeint_maintenant() only swaps, so a change of stimulus due at a set
    // time costs the swap, not the drawing. Until then the screen keeps the
    // previous frame and repaint requests wait for that presentation; a change of
    // the scene drops the prepared frame (it is drawn again as usual).
    // NOTE: a prepared frame is meant to be presented soon; nothing else presents it.
    void prepare_image();
    bool image_preparee() const { return m_image_preparee; }
    // Median time the last presentations on screen took (swap until the frame is
    // out), 0 before the first: how early a due frame must be presented.
    std::chrono::microseconds duree_presentation() const;

    // Pixels of the scene as the last frame shows it, when nothing changed
    // since. NOTE: drawn again off screen for the purpose (reading the screen
    // back on every frame would slow every flash down).
    QImage capture();

    // Nearest drawn object within the square of side 2 * rayon + 1 around a
    // point in widget pixels, or nullptr (background, anchors, cameras, lights).
    Objet *pique(QPoint pixel_widget, int rayon = 1);

    void definir_curseur(Qt::CursorShape forme);

    // The embedded native window (tests send it mouse events).
    QWindow *fenetre_gl() const;
    // Frames drawn since creation.
    int nb_images() const { return m_nb_images; }

signals:
    // Pointer position in widget pixels, with the buttons and keys held.
    void souris_appui(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void souris_deplace(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    void souris_relache(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);

private:
    bool active_contexte();
    QSize taille_pixels() const;
    void rend();
    void dessine_hors_ecran();
    void sur_mise_a_jour();
    void sur_exposition();
    void sur_modification_scene();
    void dessine_sur_fenetre();

    Scene m_scene;
    FenetreGL *m_fenetre = nullptr; // owned by its container
    std::unique_ptr<QOpenGLContext> m_contexte;
    std::unique_ptr<QOffscreenSurface> m_hors_ecran;
    std::unique_ptr<RenduScene> m_rendu;
    std::unique_ptr<QOpenGLFramebufferObject> m_image; // off-screen frames and captures
    std::int32_t m_couleur_fond = 0x00FFFFFF;
    bool m_sur_fenetre = false;
    bool m_repeint_en_attente = false;
    bool m_image_preparee = false;
    std::deque<std::chrono::microseconds> m_presentations; // the latest, oldest first
    int m_nb_images = 0;
};

} // namespace fantrel::engine3d
