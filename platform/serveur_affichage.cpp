#include "platform/serveur_affichage.h"
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <xcb/xcb.h>

namespace fantrel::platform {

void attend_serveur_affichage()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connexion = x11 ? x11->connection() : nullptr;
    if (!connexion)
        return;
    // Any request with a reply: the server answers it after all those before it.
    std::free(xcb_get_input_focus_reply(connexion, xcb_get_input_focus(connexion), nullptr));
}

} // namespace fantrel::platform
