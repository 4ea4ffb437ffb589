// A subject's key press as the X server sees it, from a thread and a connection of
// its own: it watches a strip of the screen until the answer controls' pixels are
// there, waits a fixed delay, and presses a key through the XTest extension, so the
// server stamps the event as it would a real keyboard's.
#pragma once
#include <QRect>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

struct _XDisplay; // Xlib's Display, kept out of this header (its macros clash with Qt's)

namespace fantrel::banc_flash {

struct Frappe
{
    std::chrono::steady_clock::time_point apparition{}; // the strip's pixels changed
    std::chrono::steady_clock::time_point frappe{}; // the key press handed to the server
    double sondage_ms = 0; // the mean interval between two looks at the strip
};

class FrappeX11
{
public:
    // fenetre: the X window that gets the input focus before each press.
    explicit FrappeX11(unsigned long fenetre);
    ~FrappeX11();
    FrappeX11(const FrappeX11 &) = delete;
    FrappeX11 &operator=(const FrappeX11 &) = delete;

    // False without a display or without XTest.
    bool pret() const { return m_pret; }
    // Takes the strip as it is now (root coordinates, one row), then watches it.
    void arme(const QRect &bande, std::chrono::milliseconds delai, unsigned long symbole);
    // The armed press once done (empty until then, or after 10 s without a change).
    std::optional<Frappe> resultat();
    bool echec();

private:
    void boucle();
    std::optional<Frappe> guette();

    _XDisplay *m_affichage = nullptr;
    unsigned long m_fenetre = 0;
    bool m_pret = false;
    std::mutex m_verrou;
    std::condition_variable m_reveil;
    bool m_arme = false, m_arret = false, m_echec = false;
    QRect m_bande;
    std::chrono::milliseconds m_delai{};
    unsigned long m_symbole = 0;
    std::optional<Frappe> m_resultat;
    std::thread m_fil;
};

} // namespace fantrel::banc_flash
