#include "engine3d/source_echange.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QWindow>

#if defined(QT_FEATURE_xcb) && QT_FEATURE_xcb == 1
#  include <QtGui/qguiapplication_platform.h>
#  define FANTREL_GLX 1
#endif

namespace fantrel::engine3d {

namespace {

#ifdef FANTREL_GLX
// glXGetSyncValuesOML: true where the drawable's screen really gives swap counts (the
// client library may list the extension for a server that has none).
using ValeursSync = int (*)(void *affichage, unsigned long fenetre, std::int64_t *ust,
                            std::int64_t *msc, std::int64_t *sbc);
#endif

// The UST of Mesa's GLX is CLOCK_MONOTONIC in microseconds, the steady clock's own.
Horloge::time_point depuis_ust(std::int64_t ust)
{
    return Horloge::time_point(std::chrono::duration_cast<Duree>(std::chrono::microseconds(ust)));
}

} // namespace

SourceEchange::SourceEchange([[maybe_unused]] QOpenGLContext &contexte,
                             [[maybe_unused]] QWindow &fenetre)
{
#ifdef FANTREL_GLX
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto valeurs =
            reinterpret_cast<ValeursSync>(contexte.getProcAddress("glXGetSyncValuesOML"));
    const auto attend = reinterpret_cast<AttendSbc>(contexte.getProcAddress("glXWaitForSbcOML"));
    m_affichage = x11->display();
    m_fenetre = static_cast<unsigned long>(fenetre.winId());
    std::int64_t ust = 0, msc = 0, sbc = 0;
    if (valeurs && attend && m_affichage && valeurs(m_affichage, m_fenetre, &ust, &msc, &sbc)
        && ust > 0)
        m_attend_sbc = attend;
#endif
}

// A stamp from another clock or from an older swap would be worse than none.
Horloge::time_point SourceEchange::horodate(Horloge::time_point remise, Horloge::time_point fin,
                                            int)
{
    m_au_retour = true;
    if (!m_attend_sbc)
        return fin;
    std::int64_t ust = 0, msc = 0, sbc = 0;
    if (!m_attend_sbc(m_affichage, m_fenetre, 0, &ust, &msc, &sbc))
        return fin;
    const Horloge::time_point moment = depuis_ust(ust);
    m_au_retour = !(moment >= remise && moment <= Horloge::now());
    return m_au_retour ? fin : moment;
}

QString SourceEchange::methode() const
{
    return m_attend_sbc ? QStringLiteral("oml") : QStringLiteral("retour_echange");
}

QString SourceEchange::description() const
{
    return m_attend_sbc ? QStringLiteral("fin de l'échange donnée par GLX_OML_sync_control")
                        : QStringLiteral("retour de l'échange et de glFinish");
}

} // namespace fantrel::engine3d
