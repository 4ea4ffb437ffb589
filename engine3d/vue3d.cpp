#include "engine3d/vue3d.h"

#include "engine3d/fenetre_gl.h"
#include "engine3d/rendu_scene.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace fantrel::engine3d {

Vue3D::Vue3D(QWidget *parent) : QWidget(parent), m_fenetre(new FenetreGL)
{
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    QWidget *conteneur = QWidget::createWindowContainer(m_fenetre, this);
    conteneur->setFocusPolicy(Qt::NoFocus);
    disposition->addWidget(conteneur);
    connect(m_fenetre, &FenetreGL::exposee, this, &Vue3D::sur_exposition);
    connect(m_fenetre, &FenetreGL::mise_a_jour_demandee, this, &Vue3D::sur_mise_a_jour);
    connect(m_fenetre, &FenetreGL::souris_appui, this, &Vue3D::souris_appui);
    connect(m_fenetre, &FenetreGL::souris_deplace, this, &Vue3D::souris_deplace);
    connect(m_fenetre, &FenetreGL::souris_relache, this, &Vue3D::souris_relache);
    m_scene.sur_modification([this] { sur_modification_scene(); });
}

// GL objects go with their context current; the window goes with its container.
Vue3D::~Vue3D()
{
    m_scene.sur_modification(nullptr);
    if (m_contexte && m_contexte->makeCurrent(m_hors_ecran.get())) {
        m_image.reset();
        m_rendu.reset();
        m_contexte->doneCurrent();
    }
}

QWindow *Vue3D::fenetre_gl() const
{
    return m_fenetre;
}

void Vue3D::definir_couleur_fond(std::int32_t valeur)
{
    if (valeur == m_couleur_fond)
        return;
    m_couleur_fond = valeur;
    sur_modification_scene();
}

bool Vue3D::active_contexte()
{
    if (!m_contexte) {
        auto contexte = std::make_unique<QOpenGLContext>();
        contexte->setFormat(m_fenetre->requestedFormat());
        if (!contexte->create()) {
            qWarning("engine3d : pas de contexte OpenGL");
            return false;
        }
        m_hors_ecran = std::make_unique<QOffscreenSurface>();
        m_hors_ecran->setFormat(contexte->format());
        m_hors_ecran->create();
        m_contexte = std::move(contexte);
    }
    m_sur_fenetre = m_fenetre->isExposed();
    QSurface *surface = m_sur_fenetre ? static_cast<QSurface *>(m_fenetre)
                                      : static_cast<QSurface *>(m_hors_ecran.get());
    if (!m_contexte->makeCurrent(surface))
        return false;
    if (!m_rendu) {
        m_rendu = std::make_unique<RenduScene>();
        m_rendu->initialise();
    }
    return m_rendu->pret();
}

QSize Vue3D::taille_pixels() const
{
    const QSize logique = m_fenetre->handle() ? m_fenetre->size() : size();
    const qreal ratio = m_fenetre->handle() ? m_fenetre->devicePixelRatio() : devicePixelRatioF();
    return { std::max(1, int(std::lround(logique.width() * ratio))),
             std::max(1, int(std::lround(logique.height() * ratio))) };
}

// On screen the frame goes straight to the back buffer: a copy through an image
// of our own costs more than the drawing itself with software GL.
void Vue3D::rend()
{
    if (!active_contexte())
        return;
    m_repeint_en_attente = false;
    if (!m_sur_fenetre) {
        m_image_preparee = false;
        dessine_hors_ecran();
        ++m_nb_images;
        return;
    }
    if (!m_image_preparee)
        dessine_sur_fenetre();
    m_image_preparee = false;
    const auto debut = std::chrono::steady_clock::now();
    m_contexte->swapBuffers(m_fenetre);
    m_contexte->functions()->glFinish();
    ++m_nb_images;
    constexpr std::size_t retenues = 15;
    m_presentations.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - debut));
    if (m_presentations.size() > retenues)
        m_presentations.pop_front();
}

std::chrono::microseconds Vue3D::duree_presentation() const
{
    if (m_presentations.empty())
        return std::chrono::microseconds(0);
    std::vector<std::chrono::microseconds> triees(m_presentations.begin(), m_presentations.end());
    const auto milieu = triees.begin() + std::ptrdiff_t(triees.size() / 2);
    std::nth_element(triees.begin(), milieu, triees.end());
    return *milieu;
}

void Vue3D::dessine_sur_fenetre()
{
    m_contexte->functions()->glBindFramebuffer(GL_FRAMEBUFFER,
                                               m_contexte->defaultFramebufferObject());
    m_rendu->dessine(m_scene, taille_pixels(), couleur_depuis_valeur(m_couleur_fond));
    // Finished now, so that presenting costs the swap alone.
    m_contexte->functions()->glFinish();
}

// Off screen there is nothing to swap: the frame is drawn when presented.
void Vue3D::prepare_image()
{
    if (!m_fenetre->isExposed() || !active_contexte() || !m_sur_fenetre)
        return;
    dessine_sur_fenetre();
    m_image_preparee = true;
}

void Vue3D::sur_modification_scene()
{
    m_image_preparee = false;
    demande_repeint();
}

void Vue3D::dessine_hors_ecran()
{
    const QSize pixels = taille_pixels();
    if (!m_image || m_image->size() != pixels)
        m_image = std::make_unique<QOpenGLFramebufferObject>(
                pixels, QOpenGLFramebufferObject::CombinedDepthStencil);
    m_image->bind();
    m_rendu->dessine(m_scene, pixels, couleur_depuis_valeur(m_couleur_fond));
    m_contexte->functions()->glFinish();
    m_image->release();
}

void Vue3D::repeint_maintenant()
{
    rend();
}

// The window merges update requests itself until the event is delivered.
void Vue3D::demande_repeint()
{
    m_repeint_en_attente = true;
    if (m_fenetre->isExposed())
        m_fenetre->requestUpdate();
}

// Exposures and update requests wait while a prepared frame is due: drawing now
// would show it early.
void Vue3D::sur_mise_a_jour()
{
    if (m_repeint_en_attente && !m_image_preparee)
        rend();
}

void Vue3D::sur_exposition()
{
    m_repeint_en_attente = true;
    sur_mise_a_jour();
}

QImage Vue3D::capture()
{
    if (!active_contexte())
        return {};
    dessine_hors_ecran();
    return m_image->toImage().convertToFormat(QImage::Format_RGB32);
}

Objet *Vue3D::pique(QPoint pixel_widget, int rayon)
{
    if (!active_contexte())
        return nullptr;
    const QSize pixels = taille_pixels();
    const qreal ratio = m_fenetre->handle() ? m_fenetre->devicePixelRatio() : devicePixelRatioF();
    const QPoint pixel(int(std::floor(pixel_widget.x() * ratio)),
                       pixels.height() - 1 - int(std::floor(pixel_widget.y() * ratio)));
    const int id = m_rendu->identifiant_sous(m_scene, pixels, pixel,
                                             int(std::lround(std::max(rayon, 0) * ratio)));
    const auto &objets = m_scene.objets();
    return id > 0 && std::size_t(id) <= objets.size() ? objets[std::size_t(id) - 1].get() : nullptr;
}

void Vue3D::definir_curseur(Qt::CursorShape forme)
{
    m_fenetre->setCursor(forme);
    setCursor(forme);
}

} // namespace fantrel::engine3d
