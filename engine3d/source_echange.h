// The real refresh source: the swap itself. A frame's stamp is the swap-complete time
// the window system gives where it gives one (GLX_OML_sync_control: the UST of the
// swap, on the steady clock), else the end of the swap and of glFinish.
//
// NOTE: on Xvfb with Mesa's software GL, GLX lists OML_sync_control and INTEL_swap_event
// on the client side only: neither is usable, and frames are stamped at the swap's end.
#pragma once
#include "engine3d/source_rafraichissement.h"

#include <cstdint>

class QOpenGLContext;
class QWindow;

namespace fantrel::engine3d {

class SourceEchange : public SourceRafraichissement
{
public:
    // Looks for the window system's swap time stamps with the context current on the window.
    SourceEchange(QOpenGLContext &contexte, QWindow &fenetre);

    Horloge::time_point horodate(Horloge::time_point remise, Horloge::time_point fin,
                                 int voulues) override;
    QString description() const override;
    QString methode() const override;
    bool horodatage_au_retour() const override { return m_au_retour; }

    bool horodatage_du_systeme() const { return m_attend_sbc != nullptr; }

private:
    // glXWaitForSbcOML, the display taken as an opaque pointer.
    using AttendSbc = int (*)(void *affichage, unsigned long fenetre, std::int64_t sbc_vise,
                              std::int64_t *ust, std::int64_t *msc, std::int64_t *sbc);

    AttendSbc m_attend_sbc = nullptr;
    void *m_affichage = nullptr; // the X display (Display *)
    unsigned long m_fenetre = 0; // the GLX drawable: the native window
    bool m_au_retour = true; // the last stamp fell back on the swap's return
};

} // namespace fantrel::engine3d
