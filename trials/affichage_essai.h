// What a word trial needs of the view that shows the word (the main window's 3D
// word implements it): frames presented at once, frames drawn ahead of their time.
#pragma once
#include <QString>
#include <chrono>

namespace fantrel::trials {

// A frame as it reached the screen.
struct ImageMontree
{
    std::chrono::steady_clock::time_point horodatage{}; // when it was on screen
    int images = 0; // refreshes since the frame before it (0: the display has no refresh)
    int manquees = 0; // refreshes later than the one it was due on
};

class AffichageEssai
{
public:
    virtual ~AffichageEssai() = default;

    // Sets the text and presents its frame: on screen on return.
    virtual void affich_texte(const QString &texte) = 0;
    // Draws the text's frame ahead; the next affich_texte(texte) only presents it.
    virtual void prepare_affichage(const QString &texte) = 0;
    // Sets the text, shown at the next repaint.
    virtual void pose_texte(const QString &texte) = 0;
    // Builds the text's glyphs now, not between a timer's event and its frame.
    virtual void prepare_texte(const QString &texte) = 0;
    // How early a due frame must be handed over: the view's measured presentation time.
    virtual std::chrono::microseconds duree_presentation() const = 0;
    // The last frame presented by affich_texte.
    virtual ImageMontree derniere_image() const = 0;
};

} // namespace fantrel::trials
