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

namespace fantrel::moteur3d {

Vue3D::Vue3D(QWidget* parent) : QWidget(parent), m_fenetre(new FenetreGL) {
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    QWidget* conteneur = QWidget::createWindowContainer(m_fenetre, this);
    conteneur->setFocusPolicy(Qt::NoFocus);
    disposition->addWidget(conteneur);
    connect(m_fenetre, &FenetreGL::exposee, this, &Vue3D::rend);
    connect(m_fenetre, &FenetreGL::mise_a_jour_demandee, this, &Vue3D::sur_mise_a_jour);
    connect(m_fenetre, &FenetreGL::souris_appui, this, &Vue3D::souris_appui);
    connect(m_fenetre, &FenetreGL::souris_deplace, this, &Vue3D::souris_deplace);
    connect(m_fenetre, &FenetreGL::souris_relache, this, &Vue3D::souris_relache);
    m_scene.sur_modification([this] { demande_repeint(); });
}

// GL objects go with their context current; the window goes with its container.
Vue3D::~Vue3D() {
    m_scene.sur_modification(nullptr);
    if (m_contexte && m_contexte->makeCurrent(m_hors_ecran.get())) {
        m_image.reset();
        m_rendu.reset();
        m_contexte->doneCurrent();
    }
}

QWindow* Vue3D::fenetre_gl() const {
    return m_fenetre;
}

void Vue3D::definir_couleur_fond(std::int32_t valeur) {
    if (valeur == m_couleur_fond)
        return;
    m_couleur_fond = valeur;
    demande_repeint();
}

bool Vue3D::active_contexte() {
    if (!m_contexte) {
        auto contexte = std::make_unique<QOpenGLContext>();
        contexte->setFormat(m_fenetre->requestedFormat());
        if (!contexte->create()) {
            qWarning("moteur3d : pas de contexte OpenGL");
            return false;
        }
        m_hors_ecran = std::make_unique<QOffscreenSurface>();
        m_hors_ecran->setFormat(contexte->format());
        m_hors_ecran->create();
        m_contexte = std::move(contexte);
    }
    m_sur_fenetre = m_fenetre->isExposed();
    QSurface* surface = m_sur_fenetre ? static_cast<QSurface*>(m_fenetre)
                                      : static_cast<QSurface*>(m_hors_ecran.get());
    if (!m_contexte->makeCurrent(surface))
        return false;
    if (!m_rendu) {
        m_rendu = std::make_unique<RenduScene>();
        m_rendu->initialise();
    }
    return m_rendu->pret();
}

QSize Vue3D::taille_pixels() const {
    const QSize logique = m_fenetre->handle() ? m_fenetre->size() : size();
    const qreal ratio = m_fenetre->handle() ? m_fenetre->devicePixelRatio() : devicePixelRatioF();
    return {std::max(1, int(std::lround(logique.width() * ratio))),
            std::max(1, int(std::lround(logique.height() * ratio)))};
}

// On screen the frame goes straight to the back buffer: a copy through an image
// of our own costs more than the drawing itself with software GL.
void Vue3D::rend() {
    if (!active_contexte())
        return;
    m_repeint_en_attente = false;
    if (!m_sur_fenetre) {
        dessine_hors_ecran();
        ++m_nb_images;
        return;
    }
    m_contexte->functions()->glBindFramebuffer(GL_FRAMEBUFFER, m_contexte->defaultFramebufferObject());
    m_rendu->dessine(m_scene, taille_pixels(), couleur_depuis_valeur(m_couleur_fond));
    m_contexte->swapBuffers(m_fenetre);
    m_contexte->functions()->glFinish();
    ++m_nb_images;
}

void Vue3D::dessine_hors_ecran() {
    const QSize pixels = taille_pixels();
    if (!m_image || m_image->size() != pixels)
        m_image = std::make_unique<QOpenGLFramebufferObject>(
            pixels, QOpenGLFramebufferObject::CombinedDepthStencil);
    m_image->bind();
    m_rendu->dessine(m_scene, pixels, couleur_depuis_valeur(m_couleur_fond));
    m_contexte->functions()->glFinish();
    m_image->release();
}

void Vue3D::repeint_maintenant() {
    rend();
}

void Vue3D::demande_repeint() {
    if (m_repeint_en_attente)
        return;
    m_repeint_en_attente = true;
    if (m_fenetre->isExposed())
        m_fenetre->requestUpdate();
}

void Vue3D::sur_mise_a_jour() {
    if (m_repeint_en_attente)
        rend();
}

QImage Vue3D::capture() {
    if (!active_contexte())
        return {};
    dessine_hors_ecran();
    return m_image->toImage().convertToFormat(QImage::Format_RGB32);
}

Objet* Vue3D::pique(QPoint pixel_widget, int rayon) {
    if (!active_contexte())
        return nullptr;
    const QSize pixels = taille_pixels();
    const qreal ratio = m_fenetre->handle() ? m_fenetre->devicePixelRatio() : devicePixelRatioF();
    const QPoint pixel(int(std::floor(pixel_widget.x() * ratio)),
                       pixels.height() - 1 - int(std::floor(pixel_widget.y() * ratio)));
    const int id = m_rendu->identifiant_sous(m_scene, pixels, pixel,
                                             int(std::lround(std::max(rayon, 0) * ratio)));
    const auto& objets = m_scene.objets();
    return id > 0 && std::size_t(id) <= objets.size() ? objets[std::size_t(id) - 1].get() : nullptr;
}

void Vue3D::definir_curseur(Qt::CursorShape forme) {
    m_fenetre->setCursor(forme);
    setCursor(forme);
}

} // namespace fantrel::moteur3d
