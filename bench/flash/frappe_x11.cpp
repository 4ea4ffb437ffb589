#include "frappe_x11.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstring>
#include <vector>

namespace fantrel::banc_flash {

namespace {
using Horloge = std::chrono::steady_clock;

std::vector<char> ligne(Display *d, const QRect &bande)
{
    XImage *image = XGetImage(d, DefaultRootWindow(d), bande.x(), bande.y(),
                              unsigned(bande.width()), 1, AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::vector<char> octets(image->data, image->data + image->bytes_per_line);
    XDestroyImage(image);
    return octets;
}
} // namespace

FrappeX11::FrappeX11(unsigned long fenetre) : m_fenetre(fenetre)
{
    m_affichage = XOpenDisplay(nullptr);
    int evenement = 0, erreur = 0, majeure = 0, mineure = 0;
    m_pret = m_affichage
            && XTestQueryExtension(m_affichage, &evenement, &erreur, &majeure, &mineure);
    if (m_pret)
        m_fil = std::thread([this] { boucle(); });
}

FrappeX11::~FrappeX11()
{
    {
        std::lock_guard garde(m_verrou);
        m_arret = true;
    }
    m_reveil.notify_all();
    if (m_fil.joinable())
        m_fil.join();
    if (m_affichage)
        XCloseDisplay(m_affichage);
}

void FrappeX11::arme(const QRect &bande, std::chrono::milliseconds delai, unsigned long symbole)
{
    {
        std::lock_guard garde(m_verrou);
        m_bande = bande;
        m_delai = delai;
        m_symbole = symbole;
        m_resultat.reset();
        m_echec = false;
        m_arme = true;
    }
    m_reveil.notify_all();
}

std::optional<Frappe> FrappeX11::resultat()
{
    std::lock_guard garde(m_verrou);
    return m_resultat;
}

bool FrappeX11::echec()
{
    std::lock_guard garde(m_verrou);
    return m_echec;
}

void FrappeX11::boucle()
{
    for (;;) {
        {
            std::unique_lock verrou(m_verrou);
            m_reveil.wait(verrou, [this] { return m_arme || m_arret; });
            if (m_arret)
                return;
        }
        const std::optional<Frappe> f = guette();
        std::lock_guard garde(m_verrou);
        m_arme = false;
        m_resultat = f;
        m_echec = !f;
    }
}

// The change is placed between the look before it and the one that saw it; the key
// goes at that moment plus the delay (slept to 1 ms before, then spun).
std::optional<Frappe> FrappeX11::guette()
{
    XSetInputFocus(m_affichage, Window(m_fenetre), RevertToParent, CurrentTime);
    XSync(m_affichage, False);
    const std::vector<char> reference = ligne(m_affichage, m_bande);
    if (reference.empty())
        return std::nullopt;
    const Horloge::time_point debut = Horloge::now();
    Horloge::time_point precedent = debut;
    long regards = 0;
    Frappe f;
    for (;;) {
        if (m_arret || Horloge::now() - debut > std::chrono::seconds(10))
            return std::nullopt;
        const std::vector<char> vue = ligne(m_affichage, m_bande);
        const Horloge::time_point apres = Horloge::now();
        ++regards;
        if (vue != reference) {
            f.apparition = precedent + (apres - precedent) / 2;
            f.sondage_ms = std::chrono::duration<double, std::milli>(apres - debut).count()
                    / double(regards);
            break;
        }
        precedent = apres;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const Horloge::time_point echeance = f.apparition + m_delai;
    std::this_thread::sleep_until(echeance - std::chrono::milliseconds(1));
    while (Horloge::now() < echeance) {
    }
    const KeyCode code = XKeysymToKeycode(m_affichage, KeySym(m_symbole));
    f.frappe = Horloge::now();
    XTestFakeKeyEvent(m_affichage, code, True, CurrentTime);
    XTestFakeKeyEvent(m_affichage, code, False, CurrentTime);
    XFlush(m_affichage);
    return f;
}

} // namespace fantrel::banc_flash
