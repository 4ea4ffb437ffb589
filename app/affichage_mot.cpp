#include "app/affichage_mot.h"
#include "engine3d/ancre.h"
#include "engine3d/camera.h"
#include "engine3d/controle_camera.h"
#include "engine3d/lumiere.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/liaison.h"
#include <QEvent>
#include <QTimer>
#include <cmath>
#include <QWidget>

namespace fantrel::app {

namespace {
// Gradient end of inactive title bars, a system colour, until the settings set one.
constexpr std::int32_t fond_initial = std::int32_t(0x80000000u + 28u);
} // namespace

AffichageMot::AffichageMot(trials::EtatPartage &etat, QWidget *centre)
    : QObject(centre), m_etat(etat)
{
    construit_scene(centre);
    Timer_reaffich = new QTimer(this);
    Timer_reaffich->setObjectName(QStringLiteral("Timer_reaffich"));
    Timer_reaffich->setInterval(500);
    platform::relie(Timer_reaffich, &QTimer::timeout, this, &AffichageMot::Timer_reaffichTimer);
}

void AffichageMot::construit_scene(QWidget *centre)
{
    using namespace engine3d;
    vue_3d = new Vue3D(centre);
    vue_3d->setObjectName(QStringLiteral("GLSceneViewer1"));
    vue_3d->setGeometry(56, 36, 983, 586);
    vue_3d->setAccessibleName(QStringLiteral("Vue du mot"));
    vue_3d->definir_couleur_fond(fond_initial);
    vue_3d->lower();

    Scene &scene = vue_3d->scene();
    scene.definir_lumiere_ambiante(CouleurRVBA{ 0.3f, 0.3f, 0.3f, 1.0f });

    GLDummyCube1 = scene.cree<Ancre>();
    GLDummyCube1->definir_position(QVector3D(0, 0, 0));

    GLCamera1 = &scene.camera();
    GLCamera1->definir_position(QVector3D(-20, 0, 10));
    GLCamera1->definir_focale(7);
    GLCamera1->definir_profondeur_vue(100);
    GLCamera1->definir_cible(GLDummyCube1);

    GLLightSource1 = scene.cree<Lumiere>();
    GLLightSource1->definir_position(QVector3D(10, 6, 0));
    GLLightSource1->definir_diffuse(CouleurRVBA{ 0, 1, 1, 1 });
    GLLightSource1->definir_speculaire(CouleurRVBA{ 0.576471f, 0.858824f, 0.439216f, 1 });
    GLLightSource1->definir_attenuation_constante(1);

    GLLightSource2 = scene.cree<Lumiere>();
    GLLightSource2->definir_position(QVector3D(-20, -20, -20));
    GLLightSource2->definir_diffuse(CouleurRVBA{ 0.89f, 0.47f, 0.2f, 1 });
    GLLightSource2->definir_attenuation_constante(1);

    GLSpaceText1 = scene.cree<Texte3D>();
    GLSpaceText1->definir_position(QVector3D(0, 1, 0));
    // Turned −62° about the vertical axis so its face looks at the camera.
    GLSpaceText1->definir_direction(QVector3D(-0.882948f, 0, 0.469472f));
    GLSpaceText1->definir_haut(QVector3D(0, 1, 0));
    GLSpaceText1->definir_echelle(QVector3D(0.8f, 0.8f, 0.8f));
    GLSpaceText1->definir_extrusion(1);
    GLSpaceText1->definir_police(QStringLiteral("Arial"));
    GLSpaceText1->definir_hauteur_police(19);
    GLSpaceText1->definir_ancrage(Texte3D::Ancrage::Centre);
    GLSpaceText1->definir_texte(QStringLiteral("cacaéaé"));

    controle_camera = new ControleCameraSouris(this);
    controle_camera->attacher(*vue_3d, *GLCamera1);
}

void AffichageMot::garde_au_dessus(const QList<QWidget *> &commandes)
{
    m_au_dessus = commandes;
    vue_3d->setAttribute(Qt::WA_NativeWindow);
    for (QWidget *w : vue_3d->findChildren<QWidget *>())
        w->setAttribute(Qt::WA_NativeWindow);
    for (QWidget *w : commandes)
        w->setAttribute(Qt::WA_NativeWindow);
    vue_3d->window()->installEventFilter(this);
}

bool AffichageMot::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == vue_3d->window() && evenement->type() == QEvent::Show) {
        vue_3d->lower();
        for (QWidget *w : std::as_const(m_au_dessus))
            w->raise();
    }
    return QObject::eventFilter(objet, evenement);
}

void AffichageMot::definir_photodiode(bool actif, int taille, CoinEcran coin)
{
    if (!actif) {
        vue_3d->definir_carre(std::nullopt);
        return;
    }
    engine3d::CarreCoin carre;
    carre.taille = taille;
    carre.haut = coin == CoinEcran::haut_gauche || coin == CoinEcran::haut_droite;
    carre.droite = coin == CoinEcran::haut_droite || coin == CoinEcran::bas_droite;
    vue_3d->definir_carre(carre);
    marque(GLSpaceText1->texte());
}

// The word of the trial under way, a test's number (flashed between masks too), or the
// display check's word.
void AffichageMot::marque(const QString &texte)
{
    if (!vue_3d->carre())
        return;
    engine3d::CarreCoin carre = *vue_3d->carre();
    carre.blanc = !texte.isEmpty()
            && (texte == m_etat.mots[std::size_t(m_etat.rang_mot)] || texte == m_mot_verifie
                || (m_etat.essai_mire && texte != m_etat.masque));
    vue_3d->definir_carre(carre);
}

void AffichageMot::affich_texte(const QString &texte)
{
    marque(texte);
    GLSpaceText1->definir_texte(texte);
    vue_3d->repeint_maintenant();
    note_image(texte);
}

void AffichageMot::prepare_affichage(const QString &texte)
{
    marque(texte);
    GLSpaceText1->definir_texte(texte);
    vue_3d->prepare_image();
}

void AffichageMot::pose_texte(const QString &texte)
{
    marque(texte);
    GLSpaceText1->definir_texte(texte);
    vue_3d->demande_repeint();
}

void AffichageMot::prepare_texte(const QString &texte)
{
    GLSpaceText1->prepare_texte(texte);
}

trials::PlanAffichage AffichageMot::planifie(std::chrono::steady_clock::duration duree) const
{
    const engine3d::PlanPresentation p = vue_3d->planifie(duree);
    return { p.reveil, p.remise, p.images, p.duree };
}

void AffichageMot::presente(const QString &texte, const trials::PlanAffichage &plan)
{
    marque(texte);
    GLSpaceText1->definir_texte(texte); // the prepared frame stays when it is this text
    vue_3d->presente({ plan.images, plan.duree, plan.remise, plan.reveil });
    note_image(texte);
}

void AffichageMot::note_image(const QString &texte)
{
    const engine3d::ImagePresentee &image = vue_3d->derniere_image();
    if (vue_3d->derniere_image_sur_ecran() && image.horodatage != m_derniere_image.horodatage)
        m_derniere_image = { image.horodatage, image.images, image.manquees, image.en_avance,
                             image.douteuse };
    else // a window not shown draws off screen: its frames are timed when drawn
        m_derniere_image = { std::chrono::steady_clock::now(), 0, 0 };
    if (observateur_affichage)
        observateur_affichage(texte);
}

std::optional<double> AffichageMot::periode_ecran_ms() const
{
    const engine3d::Rafraichissement &r = vue_3d->rafraichissement();
    if (!r.mesure || !r.periode)
        return std::nullopt;
    return std::chrono::duration<double, std::milli>(*r.periode).count();
}

std::optional<double> AffichageMot::frequence_ecran_hz() const
{
    const std::optional<double> periode = periode_ecran_ms();
    if (!periode)
        return std::nullopt;
    return std::round(1e6 / *periode) / 1000.0;
}

void AffichageMot::fige_camera()
{
    controle_camera->detacher();
}

void AffichageMot::texte_visible(bool visible)
{
    GLSpaceText1->definir_visible(visible);
    vue_3d->demande_repeint();
}

void AffichageMot::definir_hauteur(double echelle)
{
    QVector3D e = GLSpaceText1->echelle();
    e.setY(float(echelle));
    GLSpaceText1->definir_echelle(e);
    vue_3d->demande_repeint();
}

void AffichageMot::definir_largeur(double echelle)
{
    QVector3D e = GLSpaceText1->echelle();
    e.setX(float(echelle));
    GLSpaceText1->definir_echelle(e);
    vue_3d->demande_repeint();
}

void AffichageMot::definir_couleur_texte(std::int32_t c)
{
    auto m = GLSpaceText1->materiau();
    m.emission = engine3d::CouleurRVBA{ float((c & 0xFF) / 255.0), float(((c >> 8) & 0xFF) / 255.0),
                                        float(((c >> 16) & 0xFF) / 255.0), m.emission.a };
    GLSpaceText1->definir_materiau(m);
    vue_3d->repeint_maintenant();
}

void AffichageMot::definir_couleur_fond(std::int32_t couleur)
{
    vue_3d->definir_couleur_fond(couleur);
    vue_3d->repeint_maintenant();
}

void AffichageMot::Timer_reaffichTimer()
{
    Timer_reaffich->stop();
    // A changed value forces a fresh frame; the view ends on the stored colour.
    vue_3d->definir_couleur_fond(std::int32_t(std::uint32_t(m_etat.couleur_fond) + 1u));
    vue_3d->repeint_maintenant();
    vue_3d->definir_couleur_fond(m_etat.couleur_fond);
    vue_3d->repeint_maintenant();
}

} // namespace fantrel::app
