// The main window: the subject's 3D view with the answer controls under it, the
// experimenter's menus, the settings panel and the floating "Mode visible" groups.
// Handlers carry the names the program's documentation uses; the logic they bind
// lives in trials/, results/ and music/.
#pragma once
#include "platform/interactions.h"
#include "trials/etat_partage.h"
#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;

namespace fantrel::platform {
class MinuteurHR;
}
namespace fantrel::engine3d {
class Vue3D;
class Camera;
class Ancre;
class Lumiere;
class Texte3D;
class ControleCameraSouris;
} // namespace fantrel::engine3d
namespace fantrel::results {
class TForm_courbe;
class TForm_courbe2;
class GroupeResultats;
} // namespace fantrel::results
namespace fantrel::music {
class GroupeMusical;
class EssaiMusical;
} // namespace fantrel::music
namespace fantrel::wordpairs {
class TForm_choix_mots;
}
namespace fantrel::app {
class GroupeRadio;
class Nuancier;
} // namespace fantrel::app

namespace fantrel::app {

// The exercise list named in the settings: ".\" (or "./") stands for repertoire.
QString chemin_exercice(const QString &nom, const QString &repertoire);

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The other windows, created after this one (see main.cpp).
    void relie_fenetres(wordpairs::TForm_choix_mots *choix, results::TForm_courbe *courbe,
                        results::TForm_courbe2 *courbe2);

    trials::EtatPartage etat;

    // Display of the 3D word.
    void affich_texte(const QString &texte); // returns once the frame is on screen
    // Called as affich_texte returns, with the frame on screen (timing benchmarks).
    std::function<void(const QString &)> observateur_affichage;
    void pose_texte(const QString &texte); // shown at the next repaint
    // Draws the text's frame ahead, kept off screen until the next affich_texte(texte):
    // what is due at a set time then costs a swap only.
    void prepare_affichage(const QString &texte);
    void texte_visible(bool visible);
    void affich_bid(bool verdict);
    void cache_boutons();

    // Settings file.
    void lire_param();
    void sauve_param();
    QString chemin_param() const;

    // Exercise lists.
    void ouvrir();

    // Answers.
    void demande_reponse();
    void misajour_courbe();
    void compte_reponse(); // current row, then the sum row

    // --- controls, named as the program's documentation names them ---
    engine3d::Vue3D *vue_3d = nullptr;
    engine3d::Camera *GLCamera1 = nullptr;
    engine3d::Ancre *GLDummyCube1 = nullptr;
    engine3d::Lumiere *GLLightSource1 = nullptr;
    engine3d::Lumiere *GLLightSource2 = nullptr;
    engine3d::Texte3D *GLSpaceText1 = nullptr;
    engine3d::ControleCameraSouris *controle_camera = nullptr;

    QPushButton *BitBtn2 = nullptr;
    QPushButton *bit_rep1 = nullptr;
    QPushButton *bit_rep2 = nullptr;
    QPushButton *Bit_rep3 = nullptr;
    QLineEdit *Edit_saisie_libre = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QPushButton *BitBtn_ecoute = nullptr;
    QLabel *lab_mot_aff = nullptr;
    QLabel *Lab_bid = nullptr;

    QGroupBox *GroupBox3 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QGroupBox *Group_result = nullptr;
    QPlainTextEdit *Memo_enreg_test = nullptr;
    QGroupBox *Group_musical = nullptr;
    music::EssaiMusical *essai_musical = nullptr;
    results::GroupeResultats *groupe_resultats = nullptr;
    music::GroupeMusical *groupe_musical = nullptr;

    // Settings panel.
    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QPushButton *BitBtn4 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    QScrollBar *Scroll_timer = nullptr;
    QLabel *Lab_intervalle_timer = nullptr;
    QLineEdit *Edit_masque = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QScrollBar *Scroll_hauteur = nullptr;
    QScrollBar *Scroll_largeur = nullptr;
    QLabel *Lab_hauteur = nullptr;
    QLabel *Lab_largeur = nullptr;
    Nuancier *Ima_hg = nullptr;
    QRadioButton *Radio_texte = nullptr;
    QRadioButton *Radio_fond = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QLineEdit *Edit_masque1 = nullptr;
    QScrollBar *Scroll_masque1 = nullptr;
    QLabel *Lab_interv_masque1 = nullptr;
    QScrollBar *Scroll_mot = nullptr;
    QLabel *Lab_interv_figure = nullptr;
    QScrollBar *Scroll_blanc = nullptr;
    QLabel *Lab_interv_blanc = nullptr;
    QLineEdit *Edit_masque2 = nullptr;
    QScrollBar *Scroll_masque2 = nullptr;
    QLabel *Lab_interv_masque2 = nullptr;
    GroupeRadio *Radio_incongru = nullptr;
    QLineEdit *Edit_incongru = nullptr;
    QLineEdit *Edit3 = nullptr;

    QTimer *Timer_debut = nullptr;
    QTimer *Timer_reaffich = nullptr;
    QTimer *Timer_reactive_coul = nullptr;
    platform::MinuteurHR *AsyncTimer2 = nullptr;
    platform::MinuteurHR *Async_masque1 = nullptr;
    platform::MinuteurHR *Async_mot = nullptr;
    platform::MinuteurHR *Async_blanc = nullptr;
    platform::MinuteurHR *Async_masque2 = nullptr;

    // Menu items.
    QAction *Ouvrirunexercice1 = nullptr;
    QAction *ouvrirunrsultat1 = nullptr;
    QAction *rierdesmots1 = nullptr;
    QAction *Sauverlesparamtres1 = nullptr;
    QAction *Enregistrerlesrsultats1 = nullptr;
    QAction *Nouvelutilisateur1 = nullptr;
    QAction *ypedexercice1 = nullptr;
    QAction *Comparaisondemots1 = nullptr;
    QAction *Saisielibre1 = nullptr;
    QAction *Quitter1 = nullptr;
    QAction *Courbe11 = nullptr;
    QAction *Courbe22 = nullptr;
    QAction *outeffacer1 = nullptr;
    QAction *Korvane1 = nullptr;
    QAction *Morbelle1 = nullptr;
    QAction *Incongruitmusicale1 = nullptr;
    QAction *Rglages1 = nullptr;
    QAction *Modevisible1 = nullptr;

    platform::OptionsDialogue OpenDialog1; // shared by exercise lists and results files
    wordpairs::TForm_choix_mots *Form_choix_mots = nullptr;
    results::TForm_courbe *Form_courbe = nullptr;
    results::TForm_courbe2 *Form_courbe2 = nullptr;

public slots:
    void Timer_debutTimer();
    void Timer_reaffichTimer();
    void Timer_reactive_coulTimer();

    void Ouvrirunexercice1Click();
    void ouvrirunrsultat1Click();
    void rierdesmots1Click();
    void Sauverlesparamtres1Click();
    void Enregistrerlesrsultats1Click();
    void Nouvelutilisateur1Click();
    void Comparaisondemots1Click();
    void Saisielibre1Click();
    void Quitter1Click();
    void Courbe1Click();
    void Courbe21Click();
    void outeffacer1Click();
    void Korvane1Click();
    void Morbelle1Click();
    void Incongruitmusicale1Click();
    void Rglages1Click();
    void Modevisible1Click();

    void BitBtn4Click();
    void BitBtn3Click();
    void SpeedButton3Click();
    void SpeedButton1Click();
    void Scroll_hauteurChange();
    void Scroll_largeurChange();
    void Ima_hgMouseMove(QPoint pixel);
    void Ima_hgMouseDown();

    void BitBtn2Click();
    void AsyncTimer2Timer();
    void Scroll_timerChange();
    void Edit_masqueChange();
    void SpeedButton2Click();
    void bit_rep1Click();
    void bit_rep2Click();
    void Bit_rep3Click();
    void Edit_saisie_libreEntree();

    void BitBtn5Click();
    void Async_masque1Timer();
    void Async_motTimer();
    void Async_blancTimer();
    void Async_masque2Timer();
    void Scroll_masque1Change();
    void Scroll_motChange();
    void Scroll_blancChange();
    void Scroll_masque2Change();

protected:
    void closeEvent(QCloseEvent *evenement) override;
    void showEvent(QShowEvent *evenement) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QList<QWidget *> controles_sur_la_vue() const;
    void construit_scene();
    void construit_commandes();
    void construit_menus();
    void construit_panneau_reglages();
    void construit_groupes_visibles();
    void construit_groupes_resultats_musique();
    void construit_essai_musical();
    void relance_exercice();
    void rend_flottant(QGroupBox *groupe);
    void coche_type_test(QAction *coche);
    void reponse_mot(QPushButton *bouton);
    void phase_chaine(platform::MinuteurHR *fin, int suivante);
    void lance_exposition();
    void branche_barres_test();
    void recule_camera_resultats();

    QWidget *m_centre = nullptr;
    QPoint m_origine_glisse;
    QGroupBox *m_groupe_glisse = nullptr;
    bool m_mode_visible = false;
};

} // namespace fantrel::app
