#include "engine3d/vue3d.h"

#include "engine3d/fenetre_gl.h"
#include "engine3d/rendu_scene.h"
#include "engine3d/source_echange.h"
#include "engine3d/source_simulee.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace fantrel::engine3d {

namespace {
// How often a measurement asked during a flash looks whether the flash has ended.
constexpr int attente_fin_flash_ms = 50;
// Buffers a swap chain may rotate through (double or triple buffering).
constexpr int tampons_echange = 3;
} // namespace

Vue3D::Vue3D(QWidget *parent) : QWidget(parent), m_fenetre(new FenetreGL)
{
    if (const auto reglage = reglage_simulation_environnement())
        m_source = std::make_unique<SourceSimulee>(*reglage);
    m_pas_mesure = new QTimer(this);
    m_pas_mesure->setSingleShot(true);
    connect(m_pas_mesure, &QTimer::timeout, this, &Vue3D::pas_de_mesure);
    connect(m_fenetre, &QWindow::screenChanged, this, &Vue3D::mesure_rafraichissement);
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

void Vue3D::definir_carre(const std::optional<CarreCoin> &carre)
{
    if (carre == m_carre)
        return;
    m_carre = carre;
    sur_modification_scene();
}

// A scissored clear: no shader, no state left behind but the clear colour.
void Vue3D::dessine_carre(QSize pixels)
{
    if (!m_carre)
        return;
    QOpenGLFunctions *gl = m_contexte->functions();
    const int t = std::clamp(m_carre->taille, 1, std::min(pixels.width(), pixels.height()));
    const int x = m_carre->droite ? pixels.width() - t : 0;
    const int y = m_carre->haut ? pixels.height() - t : 0; // GL counts from the bottom
    const float v = m_carre->blanc ? 1.0f : 0.0f;
    gl->glEnable(GL_SCISSOR_TEST);
    gl->glScissor(x, y, t, t);
    gl->glClearColor(v, v, v, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    gl->glDisable(GL_SCISSOR_TEST);
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
void Vue3D::rend(int images_voulues)
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
    echange(images_voulues, true);
    m_mesure_a_dessiner = tampons_echange; // the other buffers hold older frames
    // The measurement's frames must follow one another: it starts over.
    if (m_mesure) {
        m_mesure.emplace();
        m_pas_mesure->start(0);
    }
}

// With the context current on the window and the frame in the back buffer.
const ImagePresentee &Vue3D::echange(int images_voulues, bool compte)
{
    if (!m_source)
        m_source = std::make_unique<SourceEchange>(*m_contexte, *m_fenetre);
    const Horloge::time_point remise = Horloge::now();
    m_contexte->swapBuffers(m_fenetre);
    m_contexte->functions()->glFinish();
    const Horloge::time_point fin = Horloge::now();
    ++m_nb_images;
    const Horloge::time_point horodatage = m_source->horodate(remise, fin, images_voulues);
    return m_horloge.note_image(remise, fin, horodatage, images_voulues, compte,
                                m_source->horodatage_au_retour());
}

std::chrono::microseconds Vue3D::duree_presentation() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(m_horloge.duree_echange());
}

PlanPresentation Vue3D::planifie(Duree duree) const
{
    return m_horloge.planifie(duree);
}

PlanPresentation Vue3D::planifie_images(int images) const
{
    return m_horloge.planifie_images(images);
}

void Vue3D::presente(const PlanPresentation &plan)
{
    attend_jusqu_a(plan.remise);
    rend(plan.images);
}

void Vue3D::definir_source_rafraichissement(std::unique_ptr<SourceRafraichissement> source)
{
    m_source = std::move(source);
    m_horloge.definir_rafraichissement({});
    mesure_rafraichissement();
}

QString Vue3D::description_horodatage() const
{
    return m_source ? m_source->description() : QString();
}

void Vue3D::commence_serie_flashs()
{
    if (auto *simulee = dynamic_cast<SourceSimulee *>(m_source.get()))
        simulee->compte_remises_prevues();
}

QString Vue3D::methode_horodatage() const
{
    const Rafraichissement &r = m_horloge.rafraichissement();
    if (!m_source || !r.mesure)
        return QString();
    return r.periode ? m_source->methode() : QStringLiteral("chronometre");
}

void Vue3D::mesure_rafraichissement()
{
    m_mesure.emplace();
    m_mesure_a_dessiner = tampons_echange;
    m_pas_mesure->start(0);
}

// One frame of the measurement per call. A window not exposed resumes on its exposure.
// Once every buffer of the swap chain holds the scene, a frame is a swap alone: a frame
// slower than a period would land every other refresh and halve the rate found (drawing
// takes half a period at 144 Hz with software GL).
void Vue3D::pas_de_mesure()
{
    if (!m_mesure || !m_fenetre->isExposed())
        return;
    if (m_image_preparee) {
        m_pas_mesure->start(attente_fin_flash_ms);
        return;
    }
    const Horloge::time_point debut = Horloge::now();
    if (!active_contexte() || !m_sur_fenetre)
        return;
    const Duree pause = m_mesure->pause_avant_image();
    if (pause > Duree::zero() && m_horloge.a_une_image())
        attend_jusqu_a(m_horloge.derniere_image().horodatage + pause);
    if (m_mesure_a_dessiner > 0) {
        dessine_sur_fenetre();
        --m_mesure_a_dessiner;
    }
    m_mesure->ajoute(echange(0, false).horodatage, debut);
    if (!m_mesure->terminee()) {
        m_pas_mesure->start(0);
        return;
    }
    m_horloge.definir_rafraichissement(m_mesure->resultat());
    m_mesure.reset();
    emit rafraichissement_mesure();
}

void Vue3D::dessine_sur_fenetre()
{
    m_contexte->functions()->glBindFramebuffer(GL_FRAMEBUFFER,
                                               m_contexte->defaultFramebufferObject());
    m_rendu->dessine(m_scene, taille_pixels(), couleur_depuis_valeur(m_couleur_fond));
    dessine_carre(taille_pixels());
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
    m_mesure_a_dessiner = tampons_echange;
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
    dessine_carre(pixels);
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

// The first exposure measures the refresh; one during a measurement resumes it.
void Vue3D::sur_exposition()
{
    m_repeint_en_attente = true;
    sur_mise_a_jour();
    if (!m_horloge.rafraichissement().mesure && !m_mesure)
        mesure_rafraichissement();
    else if (m_mesure && !m_pas_mesure->isActive())
        m_pas_mesure->start(0);
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
