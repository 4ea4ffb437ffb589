// The 3D view control: a native GL window embedded in a widget, so the program
// decides when a frame is drawn and swapped, and its display clock.
//
// Timed stimuli (a trial, from the handler of a MinuteurHR):
//   vue.repeint_maintenant();                         // the word, on screen and stamped
//   const PlanPresentation plan = vue.planifie(30ms); // whole frames, or 30 ms without a refresh
//   minuteur.definir_echeance(plan.reveil);           // the timer's event just before the handover
//   ... change the scene to the mask; vue.prepare_image();
//   // in the timer's handler:
//   vue.presente(plan);                               // waits for plan.remise, swaps: on the
//                                                     // refresh plan.images after the word
//   vue.derniere_image().manquees / .images / .horodatage   // for the trial's record
//
// NOTE: a native window covers sibling widgets placed over it; a control shown
// over the view must be native too (setAttribute(Qt::WA_NativeWindow)) and raised.
#pragma once
#include "engine3d/horloge_affichage.h"
#include "engine3d/scene.h"

#include <QImage>
#include <QWidget>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class QTimer;

namespace fantrel::engine3d {

class FenetreGL;
class RenduScene;
class SourceRafraichissement;

// A square in a corner of the view, plain white or black, drawn over the scene on every
// frame: a light sensor on it sees when a stimulus stands.
struct CarreCoin
{
    int taille = 50; // device pixels
    bool haut = false; // top corner, else bottom
    bool droite = false; // right corner, else left
    bool blanc = false;
    bool operator==(const CarreCoin &) const = default;
};

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
    // The corner square, or none; a change drops the prepared frame, as a scene's does.
    void definir_carre(const std::optional<CarreCoin> &carre);
    const std::optional<CarreCoin> &carre() const { return m_carre; }

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

    // The refresh measured on this view's screen: a period, or none (virtual display);
    // not measured (mesure == false) until the first measurement ends.
    const Rafraichissement &rafraichissement() const { return m_horloge.rafraichissement(); }
    // Measures again (the view does it when first exposed and on a change of screen):
    // unchanged frames swapped one per turn of the event loop, each holding it for at
    // most a refresh and a half. NOTE: never while a frame is prepared (a flash is on),
    // and a frame presented meanwhile starts it over; until it ends, the last result holds.
    void mesure_rafraichissement();
    bool mesure_en_cours() const { return m_mesure.has_value(); }

    // The last frame that reached the screen: its stamp, refreshes since the one before
    // and refreshes missed. NOTE: meaningful once a frame was presented on screen.
    const ImagePresentee &derniere_image() const { return m_horloge.derniere_image(); }
    int images_manquees_total() const { return m_horloge.manquees_total(); }
    // Whether the last frame went to the screen (not while the window is not exposed:
    // frames are then drawn off screen, and get no stamp).
    bool derniere_image_sur_ecran() const { return m_sur_fenetre; }
    // How a duration will be shown after the last frame: whole refreshes, the time to
    // hand the next swap over, and the timer's due time a little before it (plan.reveil);
    // without a refresh, the duration as asked, handed over early by the swap's median time.
    PlanPresentation planifie(Duree duree) const;
    // Exactly n refreshes after the last frame (without a refresh: at once).
    PlanPresentation planifie_images(int images) const;
    // Presents the prepared frame (drawn now if there is none) as planned: waits for the
    // handover time if called before it, then as repeint_maintenant(). A frame landing
    // later than plan.images refreshes after the last one counts as missed.
    void presente(const PlanPresentation &plan);

    // The seam of the display clock: where frames get their stamps. By default the swap
    // itself, or the monitor FANTREL_RAFRAICHISSEMENT_SIMULE describes; nullptr: the swap
    // again. A new source forgets the refresh measured and measures again.
    void definir_source_rafraichissement(std::unique_ptr<SourceRafraichissement> source);
    // A series of timed flashes begins (the display check): a simulated monitor counts
    // the flips it was told to spoil from here (SourceSimulee::compte_remises_prevues).
    void commence_serie_flashs();
    // What the stamps are, in French; empty until the first frame on screen.
    QString description_horodatage() const;
    // The same as stored: "oml", "retour_echange", "simule", or "chronometre" without a
    // refresh (durations then rest on the steady clock); empty until the refresh is measured.
    QString methode_horodatage() const;

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
    // A measurement of the refresh has ended.
    void rafraichissement_mesure();

private:
    bool active_contexte();
    QSize taille_pixels() const;
    void rend(int images_voulues = 0);
    const ImagePresentee &echange(int images_voulues, bool compte);
    void pas_de_mesure();
    void dessine_hors_ecran();
    void sur_mise_a_jour();
    void sur_exposition();
    void sur_modification_scene();
    void dessine_sur_fenetre();
    void dessine_carre(QSize pixels);

    Scene m_scene;
    FenetreGL *m_fenetre = nullptr; // owned by its container
    std::unique_ptr<QOpenGLContext> m_contexte;
    std::unique_ptr<QOffscreenSurface> m_hors_ecran;
    std::unique_ptr<RenduScene> m_rendu;
    std::unique_ptr<QOpenGLFramebufferObject> m_image; // off-screen frames and captures
    std::int32_t m_couleur_fond = 0x00FFFFFF;
    std::optional<CarreCoin> m_carre;
    bool m_sur_fenetre = false;
    bool m_repeint_en_attente = false;
    bool m_image_preparee = false;
    std::unique_ptr<SourceRafraichissement> m_source; // made with the context unless chosen
    HorlogeAffichage m_horloge;
    std::optional<MesureRafraichissement> m_mesure; // in progress
    int m_mesure_a_dessiner = 0; // frames of the measurement to draw before swaps alone
    QTimer *m_pas_mesure = nullptr; // the measurement's next frame, from the event loop
    int m_nb_images = 0;
};

} // namespace fantrel::engine3d
