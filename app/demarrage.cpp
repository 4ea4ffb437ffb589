// The one-shot start-up step, and the opening of exercise lists.
#include "app/fenetre_principale.h"
#include "engine3d/controle_camera.h"
#include "platform/minuteur_hr.h"
#include "engine3d/texte3d.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/capacite_memo.h"
#include "trials/liste_exercice.h"
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace fantrel::app {

// Runs once, about 100 ms after the event loop starts. A failure (missing settings
// file, bad settings line, missing list) is shown and ends the step where it
// happened; the timer is stopped first so it never runs again.
void TForm1::Timer_debutTimer()
{
    Timer_debut->stop();
    etat.hasard.graine_horloge();
    etat.repertoire = QDir::currentPath();
    etat.compte_test.fill(0);
    lire_param();
    branche_barres_test();
    controle_camera->detacher();
    // The mask is the mask field's text: when the settings hold the form's own mask
    // the field never changed, and the 3D text still shows the start-up word.
    etat.masque = Edit_masque->text();
    const int intervalle = AsyncTimer2->intervalle();
    Lab_intervalle_timer->setText(QString::number(intervalle) + QStringLiteral(" ms"));
    Lab_intervalle_timer->adjustSize();
    Scroll_timer->setValue(
            std::clamp(intervalle, Scroll_timer->minimum(), Scroll_timer->maximum()));
    OpenDialog1.nom_fichier = chemin_exercice(Edit1->text(), etat.repertoire);
    ouvrir();
    recule_camera_resultats();
    Nouvelutilisateur1Click(); // the sum row
    Nouvelutilisateur1Click(); // Essai1, the current row
}

// ".\" (or "./") in the settings' list name stands for the start-up folder.
QString chemin_exercice(const QString &nom, const QString &repertoire)
{
    QString chemin = nom;
    qsizetype pos = chemin.indexOf(QStringLiteral(".\\"));
    if (pos < 0)
        pos = chemin.indexOf(QStringLiteral("./"));
    if (pos >= 0) {
        chemin.remove(pos, 1);
        chemin.insert(pos, repertoire);
    }
    return QDir::fromNativeSeparators(chemin.replace(u'\\', u'/'));
}

void TForm1::Ouvrirunexercice1Click()
{
    OpenDialog1.index_filtre = 1;
    OpenDialog1.nom_fichier.clear();
    ouvrir();
}

void TForm1::ouvrir()
{
    QString nom = OpenDialog1.nom_fichier;
    if (nom.isEmpty()) {
        if (OpenDialog1.repertoire_initial.isEmpty())
            OpenDialog1.repertoire_initial = etat.repertoire;
        const platform::ResultatDialogue r = platform::interactions().ouvrir_fichier(OpenDialog1);
        if (!r.accepte || r.nom_fichier.isEmpty())
            return;
        nom = r.nom_fichier;
        OpenDialog1.nom_fichier = nom;
        OpenDialog1.index_filtre = r.index_filtre;
    }
    // Read first: a list that cannot be opened, or too long for Memo1, leaves the
    // loaded one in use.
    QStringList lignes = platform::lire_lignes_memo(nom);
    etat.compte_test.fill(0);
    for (trials::Couple &c : etat.liste_mots)
        c = trials::Couple{};
    trials::tri_liste(lignes, etat);
    Memo1->setPlainText(lignes.join(u'\n'));
    Memo1->repaint();
    Edit1->setText(trials::nom_sans_dossier(nom));
    BitBtn2->setEnabled(true);
    Edit_masque->setText(trials::masque_derive(lignes.value(1), etat.masque));
    pose_texte(Edit_masque->text());
    repaint();
    etat.fin_liste = false;
    BitBtn2->show();
}

} // namespace fantrel::app
