// The main window's side of the lab server: its menu entry, the status bar, the
// password asked once.
#include "app/deroulement_seance.h"
#include "app/dialogue_base_labo.h"
#include "app/fenetre_principale.h"
#include "app/liaison_labo.h"
#include <QLabel>
#include <QStatusBar>

namespace fantrel::app {

void TForm1::construit_barre_etat()
{
    Lab_base_labo = new QLabel(this);
    Lab_base_labo->setObjectName(QStringLiteral("Lab_base_labo"));
    Lab_base_labo->setAccessibleDescription(
            QStringLiteral("État de l'envoi des essais à la base du laboratoire"));
    statusBar()->addWidget(Lab_base_labo);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->hide();
}

void TForm1::montre_etat_labo(const QString &texte)
{
    Lab_base_labo->setText(texte);
    Lab_base_labo->setAccessibleName(texte);
    const bool visible = !texte.isEmpty();
    if (visible == statusBar()->isVisible())
        return;
    // The client area keeps its size: the bar adds to the window.
    statusBar()->setVisible(visible);
    setFixedSize(largeur_fenetre,
                 hauteur_fenetre + (visible ? statusBar()->sizeHint().height() : 0));
}

void TForm1::Basedulaboratoire1Click()
{
    deroulement->regle_base_labo();
}

void TForm1::demande_mot_de_passe_labo()
{
    if (!labo->adresse())
        return;
    if (const std::optional<QString> mot = demande_mot_de_passe(this, *labo->adresse()))
        labo->donne_mot_de_passe(*mot);
}

} // namespace fantrel::app
