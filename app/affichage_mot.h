// The 3D word of the main window: the view and its scene (camera, two lights, the
// extruded text GLSpaceText1), the display operations the trials use (a frame
// presented at once, a frame drawn ahead), the word's size and colour, and the
// delayed redisplay Timer_reaffich.
#pragma once
#include "app/reglages_etendus.h"
#include "trials/affichage_essai.h"
#include "trials/etat_partage.h"
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QTimer;
class QWidget;

namespace fantrel::engine3d {
class Ancre;
class Camera;
class ControleCameraSouris;
class Lumiere;
class Texte3D;
class Vue3D;
} // namespace fantrel::engine3d

namespace fantrel::app {

class AffichageMot : public QObject, public trials::AffichageEssai
{
    Q_OBJECT
public:
    // The view is placed on `centre` (the main window's client area).
    AffichageMot(trials::EtatPartage &etat, QWidget *centre);

    // --- display of the word (trials::AffichageEssai) ---
    void affich_texte(const QString &texte) override; // on screen on return
    void prepare_affichage(const QString &texte) override;
    void pose_texte(const QString &texte) override; // shown at the next repaint
    void prepare_texte(const QString &texte) override;
    trials::PlanAffichage planifie(std::chrono::steady_clock::duration duree) const override;
    void presente(const QString &texte, const trials::PlanAffichage &plan) override;
    trials::ImageMontree derniere_image() const override { return m_derniere_image; }
    void texte_visible(bool visible);
    // The camera stays where it is: the mouse no longer moves it (settings read).
    void fige_camera();
    // The screen's refresh period in ms as the view measured it; none without a refresh
    // or before the first measurement ends.
    std::optional<double> periode_ecran_ms() const;
    // The same as a frequency, to the thousandth of a hertz (60, not 60.0000024 from a
    // period kept in nanoseconds).
    std::optional<double> frequence_ecran_hz() const;
    // Called as affich_texte returns, with the frame on screen (tests, timing benchmarks).
    std::function<void(const QString &)> observateur_affichage;

    // The controls standing over the view: native windows too (a native window covers
    // plain sibling widgets whatever their order), raised over it whenever the main
    // window is shown (native windows stack in creation order).
    void garde_au_dessus(const QList<QWidget *> &commandes);

    // The photodiode square as set (off, or its size and corner): white on every frame
    // where the word (or the test's number) stands, black on every other.
    void definir_photodiode(bool actif, int taille, CoinEcran coin);
    // The word the display check flashes (white too); empty once it ends.
    void definir_mot_verifie(const QString &mot) { m_mot_verifie = mot; }

    // The word's scale along its height and its width (the settings' bars / 100).
    void definir_hauteur(double echelle);
    void definir_largeur(double echelle);
    // The word's colour (emission) and the background, as colour values 0x00BBGGRR.
    void definir_couleur_texte(std::int32_t couleur);
    void definir_couleur_fond(std::int32_t couleur);

    // --- the view and its scene, named as the window's layout names them ---
    engine3d::Vue3D *vue_3d = nullptr;
    engine3d::Camera *GLCamera1 = nullptr;
    engine3d::Ancre *GLDummyCube1 = nullptr;
    engine3d::Lumiere *GLLightSource1 = nullptr;
    engine3d::Lumiere *GLLightSource2 = nullptr;
    engine3d::Texte3D *GLSpaceText1 = nullptr;
    engine3d::ControleCameraSouris *controle_camera = nullptr;
    QTimer *Timer_reaffich = nullptr; // 500 ms, one shot: the view drawn afresh

public slots:
    void Timer_reaffichTimer();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit_scene(QWidget *centre);
    // The frame just presented: its stamp for the trials, the observer told.
    void note_image(const QString &texte);
    // The square white when `texte` is the stimulus, before its frame is drawn.
    void marque(const QString &texte);

    QList<QWidget *> m_au_dessus;
    trials::ImageMontree m_derniere_image;
    trials::EtatPartage &m_etat;
    QString m_mot_verifie;
};

} // namespace fantrel::app
