// The 3D results window: one row of four bars per user (Essai1, Essai2, …) and the
// sum row "Somme" at the far end, turned and zoomed with the mouse. It owns the
// table of result rows: the main window counts answers through misajour_courbe /
// compte_reponse, creates users with creation_util, and reads files back through
// GroupeResultats, which hands the lines to charge_resultats.
#pragma once
#include "results/lien_principal.h"
#include "results/panneaux_test.h"
#include "results/rangee_resultat.h"
#include "results/scene_courbe2.h"
#include <QWidget>
#include <array>

class QLineEdit;
class QScrollBar;

namespace fantrel::trials {
struct EtatPartage;
}
namespace fantrel::engine3d {
class ControleCameraSouris;
class Vue3D;
} // namespace fantrel::engine3d

namespace fantrel::results {

class TForm_courbe2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm_courbe2(trials::EtatPartage &etat, QWidget *parent = nullptr);
    ~TForm_courbe2() override;

    // Called by the main window once its controls exist.
    void relier(const LienPrincipal &lien);

    // --- the table of result rows ---
    std::array<RangeeResultat, nb_max_util + 1> tab_util;
    int nb_util = -1; // last created row; −1 before start-up, then 0 (sum only) and up
    int util_courant = 0; // row receiving the tallies; may pass 20, then only the sum counts
    int util_choisi = -1; // tag of the object last picked with Ctrl+click

    // "Nouvel utilisateur": restarts the exercise and creates row nb_util + 1 (none
    // past 20), writing its header "Essai" + n into the record unless lecture_res.
    void creation_util();
    // Redraws bar c of row util_courant from its count.
    void trace_cube(int c);
    // Counts the answer of rang_mot / bonne_reponse in row util_courant.
    void misajour_courbe();
    // misajour_courbe for the current row, then, when aussi_somme, for the sum row.
    void compte_reponse(bool aussi_somme);
    // "Tout effacer": sum row to zero, user rows destroyed, a new Essai1 (the
    // record keeps its lines).
    void tout_effacer();
    // Lists row n's answers in the main window's exercise box.
    void affich_liste(int n);
    // Rebuilds the rows from a results file's lines and takes them as the record.
    // Cannot fail: the file was read whole before.
    void charge_resultats(const QStringList &lignes);

    // Start-up step 7: the hidden test scroll bars drive the current row's bars.
    void branche_barres_test();
    // Start-up step 13: camera three times as far from its target, drawn at once.
    void recule_camera();

    // --- controls and scene, named as the program's documentation names them ---
    engine3d::Vue3D *vue = nullptr;
    SceneCourbe2 objets;
    engine3d::ControleCameraSouris *controle_camera = nullptr;
    QScrollBar *Scroll_coeff = nullptr;
    QLineEdit *Edit_nom = nullptr;
    PanneauxTest *panneaux = nullptr; // hidden test scroll bars ScrollBar1..4

public slots:
    void Courbe21Click(); // "Afficher": show or hide
    void Scroll_coeffChange();
    void ScrollBar_courbeChange(QScrollBar *barre);
    // Enter renames row util_choisi (its label and its header in the record).
    // Returns whether the key was taken.
    bool Edit_nomKeyDown(int touche);
    // Ctrl+left picks a bar (listing) or a name label (rename box); left alone
    // closes the rename box.
    void vue_souris_appui(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    // Pointing hand while Ctrl alone is held.
    void vue_souris_deplace(QPoint position, Qt::MouseButtons boutons,
                            Qt::KeyboardModifiers touches);

protected:
    void showEvent(QShowEvent *evenement) override;
    void hideEvent(QHideEvent *evenement) override;
    void resizeEvent(QResizeEvent *evenement) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit_commandes();
    bool rangee_existe(int n) const;
    void detruit_rangees_utilisateurs();
    void trace_somme();
    void coche_afficher(bool coche);

    trials::EtatPartage &m_etat;
    LienPrincipal m_lien;
    bool m_barres_branchees = false;
};

} // namespace fantrel::results
