#include "results/fenetre_participants.h"
#include "chart/export_graphique.h"
#include "chart/graphique.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/liaison.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace fantrel::results {

namespace {

const QColor bleu_mots(70, 110, 190);
const QColor vert_musique(90, 170, 90);

} // namespace

FenetreParticipants::FenetreParticipants(QWidget *parent)
    : QWidget(parent, Qt::Window),
      Chart_participants(new chart::Graphique(this)),
      Bouton_image(new QPushButton(QStringLiteral("Exporter l'image…"), this))
{
    setObjectName(QStringLiteral("Form_participants"));
    setWindowTitle(QStringLiteral("Graphique des participants"));
    Chart_participants->setObjectName(QStringLiteral("Chart_participants"));
    Chart_participants->setAccessibleName(QStringLiteral("Graphique des participants"));
    Chart_participants->setAccessibleDescription(QStringLiteral(
            "Pourcentage de réponses justes aux boutons par participant, avec l'intervalle de "
            "confiance à 95 % de Wilson, et la ligne du hasard à 50 %"));
    Chart_participants->definir_titre(
            QStringLiteral("Réponses justes par participant (IC 95 % de Wilson)"));
    Chart_participants->definir_plage_y(0, 100, 10);
    Chart_participants->definir_titre_axe_y(QStringLiteral("% juste"));
    Chart_participants->definir_ligne_reference(50, QStringLiteral("hasard (50 %)"));
    Chart_participants->definir_legende_visible(true);
    Chart_participants->setAutoFillBackground(true);
    QPalette blanc = Chart_participants->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    Chart_participants->setPalette(blanc);
    Bouton_image->setObjectName(QStringLiteral("Bouton_image"));
    Bouton_image->setAccessibleDescription(
            QStringLiteral("Enregistre le graphique en PNG ou en SVG"));
    platform::relie(Bouton_image, &QPushButton::clicked, this,
                    &FenetreParticipants::Bouton_imageClick);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Chart_participants, 1);
    auto *bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Bouton_image);
    disposition->addLayout(bas);
    resize(900, 560);
}

void FenetreParticipants::affiche(const QVector<LigneStatistiques> &lignes)
{
    chart::Graphique *g = Chart_participants;
    if (g->nombre_series() == 0) {
        g->ajoute_serie(bleu_mots, false, 0, QStringLiteral("Mots"));
        g->ajoute_serie(vert_musique, false, 0, QStringLiteral("Musique"));
    }
    for (int s = 0; s < g->nombre_series(); ++s)
        g->efface_points(s);
    QStringList codes;
    for (int rang = 0; rang < lignes.size(); ++rang) {
        const LigneStatistiques &l = lignes[rang];
        codes << l.nom;
        const Comptes par_test[] = { l.boutons(), l.musique };
        for (int s = 0; s < 2; ++s) {
            const StatistiquesSujet st = statistiques(par_test[s]);
            if (!st.pourcentage)
                continue;
            const int i = g->ajoute_point(s, rang, *st.pourcentage);
            g->definir_intervalle(s, i, 100 * st.intervalle->bas, 100 * st.intervalle->haut);
        }
    }
    g->definir_etiquettes(codes);
}

void FenetreParticipants::Bouton_imageClick()
{
    platform::OptionsDialogue dialogue;
    dialogue.filtre = QStringLiteral("Image PNG|*.png|Image vectorielle SVG|*.svg");
    dialogue.extension_defaut = QStringLiteral("png");
    dialogue.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(dialogue);
    if (!choix.accepte)
        return;
    const bool svg = choix.nom_fichier.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)
            || (choix.index_filtre == 2
                && !choix.nom_fichier.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive));
    platform::verifie_cible_ecriture(choix.nom_fichier);
    QString raison;
    const bool ecrit = svg ? chart::exporte_svg(*Chart_participants, choix.nom_fichier, &raison)
                           : chart::exporte_png(*Chart_participants, choix.nom_fichier, &raison);
    if (!ecrit)
        platform::echec_creation(choix.nom_fichier, raison);
}

} // namespace fantrel::results
