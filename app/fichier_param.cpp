#include "app/fichier_param.h"
#include "app/affichage_mot.h"
#include "app/groupe_radio.h"
#include "app/panneau_reglages.h"
#include "app/param_lignes.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "platform/conversions.h"
#include "platform/fichier_texte.h"
#include "platform/minuteur_hr.h"
#include "trials/essai_korvane.h"
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <array>

namespace fantrel::app {

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

FichierParam::FichierParam(trials::EtatPartage &etat, PanneauReglages &panneau,
                           AffichageMot &affichage, trials::EssaiKorvane &korvane)
    : m_etat(etat), m_panneau(panneau), m_affichage(affichage), m_korvane(korvane)
{
}

QString FichierParam::chemin() const
{
    return m_etat.repertoire.isEmpty() ? m_etat.nom_param
                                       : m_etat.repertoire + u'/' + m_etat.nom_param;
}

void FichierParam::lire()
{
    const LignesParam lignes(lire_fichier_param(chemin()));
    PanneauReglages &p = m_panneau;

    p.Edit1->setText(lignes.texte(1));

    // Converted first: an unreadable line 2 leaves the label as it was, and OK never
    // saves it for the next start to stumble on.
    const QString l2 = lignes.texte(2);
    const quint16 intervalle = intervalle_de(entier_avant_blanc(l2));
    p.definir_texte_intervalle(l2);
    m_korvane.AsyncTimer2->definir_intervalle(intervalle);

    p.Edit_masque->setText(lignes.texte(3));
    place_barre(p.Scroll_hauteur, lignes.entier(4));
    place_barre(p.Scroll_largeur, lignes.entier(5));

    // The word's colour, one component a line, each in effect as soon as read.
    engine3d::Texte3D *mot = m_affichage.GLSpaceText1;
    constexpr std::array composantes{ &engine3d::CouleurRVBA::r, &engine3d::CouleurRVBA::g,
                                      &engine3d::CouleurRVBA::b };
    for (int k = 0; k < 3; ++k) {
        auto m = mot->materiau();
        m.emission.*composantes[std::size_t(k)] = float(lignes.reel(6 + k));
        mot->definir_materiau(m);
    }

    const std::int32_t fond = lignes.entier(9);
    m_affichage.vue_3d->definir_couleur_fond(fond);
    m_etat.couleur_fond = fond;

    // The masks' edits and the durations' bars tell the second paradigm themselves.
    if (lignes.nombre() > 9) {
        p.Edit_masque1->setText(lignes.texte(10));
        place_barre(p.Scroll_masque1, lignes.entier(11));
        place_barre(p.Scroll_mot, lignes.entier(12));
        place_barre(p.Scroll_blanc, lignes.entier(13));
        p.Edit_masque2->setText(lignes.texte(14));
        place_barre(p.Scroll_masque2, lignes.entier(15));
    }

    p.Radio_incongru->definir_index(lignes.entier(16));
    p.Edit_incongru->setText(lignes.texte(17));
    m_affichage.vue_3d->demande_repeint();
}

void FichierParam::sauve()
{
    platform::ecrire_lignes(chemin(), lignes());
    m_affichage.vue_3d->repeint_maintenant();
    m_panneau.window()->repaint();
    m_affichage.Timer_reaffich->start();
}

QStringList FichierParam::lignes() const
{
    const PanneauReglages &p = m_panneau;
    const auto m = m_affichage.GLSpaceText1->materiau();
    ValeursParam v;
    v.fichier = p.Edit1->text();
    v.intervalle = p.texte_intervalle();
    v.masque = p.Edit_masque->text();
    v.hauteur = p.Scroll_hauteur->value();
    v.largeur = p.Scroll_largeur->value();
    v.rouge = m.emission.r;
    v.vert = m.emission.g;
    v.bleu = m.emission.b;
    v.fond = m_affichage.vue_3d->couleur_fond();
    v.masque1 = p.Edit_masque1->text();
    v.duree_masque1 = p.Scroll_masque1->value();
    v.duree_mot = p.Scroll_mot->value();
    v.duree_blanc = p.Scroll_blanc->value();
    v.masque2 = p.Edit_masque2->text();
    v.duree_masque2 = p.Scroll_masque2->value();
    v.incongruite = p.Radio_incongru->index_choisi();
    v.decalage = p.Edit_incongru->text();
    return lignes_param(v, platform::separateur_regional());
}

} // namespace fantrel::app
