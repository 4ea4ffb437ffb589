#include "clic_reel.h"
#include <QGuiApplication>
#include <dlfcn.h>

namespace {

struct FonctionsX11
{
    using Ouvre = void *(*)(const char *);
    using Mouvement = int (*)(void *, int, int, int, unsigned long);
    using Bouton = int (*)(void *, unsigned int, int, unsigned long);
    using Vide = int (*)(void *);
    Ouvre ouvre = nullptr;
    Mouvement mouvement = nullptr;
    Bouton bouton = nullptr;
    Vide synchronise = nullptr;
    void *affichage = nullptr;
};

const FonctionsX11 &fonctions()
{
    static const FonctionsX11 f = [] {
        FonctionsX11 r;
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return r;
        void *x11 = dlopen("libX11.so.6", RTLD_NOW);
        void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return r;
        r.ouvre = reinterpret_cast<FonctionsX11::Ouvre>(dlsym(x11, "XOpenDisplay"));
        r.synchronise = reinterpret_cast<FonctionsX11::Vide>(dlsym(x11, "XFlush"));
        r.mouvement =
                reinterpret_cast<FonctionsX11::Mouvement>(dlsym(xtst, "XTestFakeMotionEvent"));
        r.bouton = reinterpret_cast<FonctionsX11::Bouton>(dlsym(xtst, "XTestFakeButtonEvent"));
        if (r.ouvre && r.synchronise && r.mouvement && r.bouton)
            r.affichage = r.ouvre(nullptr);
        return r;
    }();
    return f;
}

} // namespace

bool clic_reel_disponible()
{
    return fonctions().affichage != nullptr;
}

bool clic_reel(QPoint global)
{
    const FonctionsX11 &f = fonctions();
    if (!f.affichage)
        return false;
    f.mouvement(f.affichage, -1, global.x(), global.y(), 0);
    f.bouton(f.affichage, 1, 1, 0);
    f.bouton(f.affichage, 1, 0, 0);
    f.synchronise(f.affichage);
    return true;
}
