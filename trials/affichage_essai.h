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
    int en_avance = 0; // refreshes earlier than the one it was due on
    bool douteuse = false; // stamped by a swap that returned before its refresh
};

// How the next frame will be shown, planned right after a frame: with a refresh, in
// whole refreshes, its swap handed over half a period before the refresh it aims at;
// without one, the duration as asked, the swap ending at the due time.
struct PlanAffichage
{
    std::chrono::steady_clock::time_point reveil{}; // the timer's moment, a little before
    std::chrono::steady_clock::time_point remise{}; // the swap's handover
    int images = 0; // whole refreshes; 0: the display has no refresh
    std::chrono::steady_clock::duration duree{}; // what the screen will show
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
    // The frame after the last one presented, due `duree` later.
    virtual PlanAffichage planifie(std::chrono::steady_clock::duration duree) const = 0;
    // Presents the frame of `texte` (drawn ahead by prepare_affichage) as planned:
    // waits for its handover if called before it; on screen on return.
    virtual void presente(const QString &texte, const PlanAffichage &plan) = 0;
    // The last frame presented by affich_texte.
    virtual ImageMontree derniere_image() const = 0;
};

} // namespace fantrel::trials
