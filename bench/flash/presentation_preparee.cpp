#include "bench/flash/presentation_preparee.h"
#include "engine3d/ancre.h"
#include "engine3d/lumiere.h"
#include "engine3d/texte3d.h"
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLFunctions>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

namespace fantrel::banc_flash {

namespace {
constexpr QSize taille_vue(983, 586);
constexpr std::size_t echanges_retenus = 21;

double en_ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}
} // namespace

PresentationPreparee::PresentationPreparee()
{
    using namespace moteur3d;
    // The view's own format: depth, double buffer, swap interval 1.
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    m_fenetre.setSurfaceType(QSurface::OpenGLSurface);
    m_fenetre.setFormat(format);
    m_fenetre.resize(taille_vue);
    m_fenetre.show();
    m_contexte.setFormat(format);
    if (!QTest::qWaitForWindowExposed(&m_fenetre, 5000) || !m_contexte.create() || !courant())
        return;
    m_pret = m_rendu.initialise();

    // The main window's scene.
    m_scene.definir_lumiere_ambiante({0.3f, 0.3f, 0.3f, 1});
    Ancre* cible = m_scene.cree<Ancre>();
    m_scene.camera().definir_cible(cible);
    m_scene.camera().definir_position({-20, 0, 10});
    m_scene.camera().definir_focale(7);
    Lumiere* l1 = m_scene.cree<Lumiere>();
    l1->definir_position({10, 6, 0});
    l1->definir_diffuse({0, 1, 1, 1});
    l1->definir_speculaire({0.576471f, 0.858824f, 0.439216f, 1});
    Lumiere* l2 = m_scene.cree<Lumiere>();
    l2->definir_position({-20, -20, -20});
    l2->definir_diffuse({0.89f, 0.47f, 0.2f, 1});
    m_texte = m_scene.cree<Texte3D>();
    m_texte->definir_position({0, 1, 0});
    m_texte->tourne_y(-62);
    m_texte->definir_echelle(0.8f);
    m_texte->definir_police(QStringLiteral("Arial"));
    m_texte->definir_hauteur_police(19);
    m_texte->definir_extrusion(1);

    QObject::connect(&m_minuteur, &MinuteurHR::echeance, [this] { fin_exposition(); });
}

PresentationPreparee::~PresentationPreparee()
{
    if (courant())
        m_rendu.libere();
}

bool PresentationPreparee::courant()
{
    return m_contexte.makeCurrent(&m_fenetre);
}

// Draws into the back buffer and waits for the rasteriser; ms.
double PresentationPreparee::dessine(const QString& texte)
{
    const auto t0 = Horloge::now();
    m_texte->definir_texte(texte);
    m_contexte.functions()->glBindFramebuffer(GL_FRAMEBUFFER, m_contexte.defaultFramebufferObject());
    m_rendu.dessine(m_scene, taille_vue * m_fenetre.devicePixelRatio(), moteur3d::couleur_octets(236, 233, 216));
    m_contexte.functions()->glFinish();
    return en_ms(Horloge::now() - t0);
}

// Presents the back buffer; ms.
double PresentationPreparee::echange()
{
    const auto t0 = Horloge::now();
    m_contexte.swapBuffers(&m_fenetre);
    m_contexte.functions()->glFinish();
    return en_ms(Horloge::now() - t0);
}

// Median of the recent swaps: how early the swap must start to end on time.
double PresentationPreparee::avance_ms() const
{
    if (m_echanges_recents.empty())
        return 0;
    std::vector<double> v(m_echanges_recents.begin(), m_echanges_recents.end());
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

std::optional<PresentationPreparee::Mesure> PresentationPreparee::flash(Mode mode, int exposition_ms,
                                                                        const QString& mot, const QString& masque)
{
    if (!m_pret || !courant())
        return std::nullopt;
    m_mode = mode;
    m_exposition_ms = exposition_ms;
    m_masque = masque;
    m_mesure.reset();
    m_fini = false;
    Mesure m;
    dessine(mot);
    echange();
    m_t_mot = Horloge::now();
    // Early enough for the wake-up and the swap; the rest is waited out by polling.
    const int marge = mode == Mode::PrepareeAvancee ? 1 + int(std::ceil(avance_ms())) : 0;
    const int intervalle = std::max(1, exposition_ms - marge);
    m_minuteur.definir_intervalle(quint16(intervalle));
    m_t_echeance = Horloge::now() + std::chrono::milliseconds(intervalle);
    m_minuteur.definir_actif(true);
    // The timer runs from the word's presentation; the mask is drawn meanwhile.
    if (mode != Mode::Actuelle)
        m.dessin = dessine(masque);
    m_mesure = m;

    QEventLoop boucle;
    QTimer garde;
    garde.setSingleShot(true);
    QObject::connect(&garde, &QTimer::timeout, &boucle, &QEventLoop::quit);
    garde.start(5000);
    while (!m_fini && garde.isActive())
        boucle.processEvents(QEventLoop::WaitForMoreEvents);
    m_minuteur.definir_actif(false);
    return m_fini ? m_mesure : std::nullopt;
}

void PresentationPreparee::fin_exposition()
{
    const auto livraison = Horloge::now();
    m_minuteur.definir_actif(false);
    if (!courant())
        return;
    Mesure& m = *m_mesure;
    m.retard = en_ms(livraison - m_t_echeance);
    if (m_mode == Mode::Actuelle)
        m.dessin = dessine(m_masque);
    if (m_mode == Mode::PrepareeAvancee) {
        const auto depart = m_t_mot + std::chrono::milliseconds(m_exposition_ms) -
                            std::chrono::microseconds(qint64(avance_ms() * 1000));
        while (Horloge::now() < depart) {
        }
    }
    m.echange = echange();
    m.exposition = en_ms(Horloge::now() - m_t_mot);
    m_echanges_recents.push_back(m.echange);
    if (m_echanges_recents.size() > echanges_retenus)
        m_echanges_recents.pop_front();
    m_fini = true;
}

} // namespace fantrel::banc_flash
