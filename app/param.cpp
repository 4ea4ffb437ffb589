// The settings file param.ini: 17 lines, read into the controls and written from
// them. The controls hold the settings in effect; the file only stores them.
#include "app/fenetre_principale.h"
#include "app/groupe_radio.h"
#include "app/param_lignes.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

namespace fantrel::app {

QString TForm1::chemin_param() const
{
    return etat.repertoire.isEmpty() ? etat.nom_param : etat.repertoire + u'/' + etat.nom_param;
}

namespace {

// A scroll bar takes the position clamped to its range; its change handler runs
// only when the position really changes.
void place_barre(QScrollBar *barre, int position)
{
    barre->setValue(std::clamp(position, barre->minimum(), barre->maximum()));
}

quint16 intervalle_de(int ms)
{
    return quint16(std::clamp(ms, 0, 65535));
}

} // namespace

void TForm1::lire_param()
{
    const LignesParam lignes(lire_fichier_param(chemin_param()));

    Edit1->setText(lignes.texte(1));

    const QString l2 = lignes.texte(2);
    Lab_intervalle_timer->setText(l2);
    AsyncTimer2->definir_intervalle(intervalle_de(entier_avant_blanc(l2)));

    Edit_masque->setText(lignes.texte(3));
    place_barre(Scroll_hauteur, lignes.entier(4));
    place_barre(Scroll_largeur, lignes.entier(5));

    auto m = GLSpaceText1->materiau();
    m.emission.r = float(lignes.reel(6));
    m.emission.g = float(lignes.reel(7));
    m.emission.b = float(lignes.reel(8));
    GLSpaceText1->definir_materiau(m);

    const std::int32_t fond = lignes.entier(9);
    vue_3d->definir_couleur_fond(fond);
    etat.couleur_fond = fond;

    if (lignes.nombre() > 9) {
        Edit_masque1->setText(lignes.texte(10));
        etat.masque1 = Edit_masque1->text();
        place_barre(Scroll_masque1, lignes.entier(11));
        Async_masque1->definir_intervalle(intervalle_de(Scroll_masque1->value()));
        place_barre(Scroll_mot, lignes.entier(12));
        Async_mot->definir_intervalle(intervalle_de(Scroll_mot->value()));
        place_barre(Scroll_blanc, lignes.entier(13));
        Async_blanc->definir_intervalle(intervalle_de(Scroll_blanc->value()));
        Edit_masque2->setText(lignes.texte(14));
        etat.masque2 = Edit_masque2->text();
        place_barre(Scroll_masque2, lignes.entier(15));
        Async_masque2->definir_intervalle(intervalle_de(Scroll_masque2->value()));
    }

    Radio_incongru->definir_index(lignes.entier(16));
    Edit_incongru->setText(lignes.texte(17));
    vue_3d->demande_repeint();
}

void TForm1::sauve_param()
{
    const auto m = GLSpaceText1->materiau();
    ValeursParam v;
    v.fichier = Edit1->text();
    v.intervalle = Lab_intervalle_timer->text();
    v.masque = Edit_masque->text();
    v.hauteur = Scroll_hauteur->value();
    v.largeur = Scroll_largeur->value();
    v.rouge = m.emission.r;
    v.vert = m.emission.g;
    v.bleu = m.emission.b;
    v.fond = vue_3d->couleur_fond();
    v.masque1 = Edit_masque1->text();
    v.duree_masque1 = Scroll_masque1->value();
    v.duree_mot = Scroll_mot->value();
    v.duree_blanc = Scroll_blanc->value();
    v.masque2 = Edit_masque2->text();
    v.duree_masque2 = Scroll_masque2->value();
    v.incongruite = Radio_incongru->index_choisi();
    v.decalage = Edit_incongru->text();
    platform::ecrire_lignes(chemin_param(), lignes_param(v, platform::separateur_regional()));

    vue_3d->repeint_maintenant();
    repaint();
    Timer_reaffich->start();
}

void TForm1::Sauverlesparamtres1Click()
{
    sauve_param();
}

} // namespace fantrel::app
