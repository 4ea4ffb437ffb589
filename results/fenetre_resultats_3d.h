// The 3D results window: one row of four bars per user (Essai1, Essai2, …) and the
// sum row "Somme" at the far end, turned and zoomed with the mouse. It draws the
// table of result rows (TableauResultats) as the table's signals tell it; a
// Ctrl+click on a bar asks for that user's answers, one on a name opens the
// rename box.
#pragma once
#include "results/geometrie_barres.h"
#include "results/objets_rangee.h"
#include "results/panneaux_test.h"
#include "results/scene_resultats_3d.h"
#include "results/tableau_resultats.h"
#include <QWidget>
#include <array>

class QLineEdit;
class QScrollBar;

namespace fantrel::engine3d {
class ControleCameraSouris;
class Vue3D;
} // namespace fantrel::engine3d

namespace fantrel::results {

class TForm_courbe2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm_courbe2(TableauResultats &tableau, QWidget *parent = nullptr);
    ~TForm_courbe2() override;

    TableauResultats &tableau() { return m_tableau; }

    // The scene objects of each row, 0 to nb_max_util (the counts are the table's).
    std::array<ObjetsRangee, nb_max_util + 1> tab_util;
    int util_choisi = -1; // tag of the object last picked with Ctrl+click

    // Redraws bar c of row n from its count (the sum row's category label rides on it);
    // when the largest count changes the unit, every row of its kind, and the view fits.
    void trace_cube(int n, int c);
    // The camera zoomed so that every bar, name and the grid stand inside the view.
    void cadre_vue();
    // Start-up: the hidden test scroll bars drive the current row's bars.
    void branche_barres_test();
    // Start-up: camera three times as far from its target, drawn at once.
    void recule_camera();

    // --- controls and scene, named as the window's layout names them ---
    engine3d::Vue3D *vue = nullptr;
    SceneResultats3D objets;
    engine3d::ControleCameraSouris *controle_camera = nullptr;
    QScrollBar *Scroll_coeff = nullptr;
    QLineEdit *Edit_nom = nullptr;
    PanneauxTest *panneaux = nullptr; // hidden test scroll bars ScrollBar1..4

public slots:
    void Courbe21Click(); // "Afficher": show or hide
    void Scroll_coeffChange();
    void ScrollBar_courbeChange(QScrollBar *barre);
    // Enter renames row util_choisi (in the table: its label and its header follow).
    // Returns whether the key was taken.
    bool Edit_nomKeyDown(int touche);
    // Ctrl+left picks a bar (listing) or a name label (rename box); left alone
    // closes the rename box.
    void vue_souris_appui(QPoint position, Qt::MouseButtons boutons, Qt::KeyboardModifiers touches);
    // Pointing hand while Ctrl alone is held.
    void vue_souris_deplace(QPoint position, Qt::MouseButtons boutons,
                            Qt::KeyboardModifiers touches);

signals:
    // Ctrl+click on a bar of row n: the main window lists that user's answers.
    void liste_demandee(int n);
    // Shown or hidden by the program (not by the window system): the "Afficher" mark.
    void affichage_change(bool visible);

protected:
    void showEvent(QShowEvent *evenement) override;
    void hideEvent(QHideEvent *evenement) override;
    void resizeEvent(QResizeEvent *evenement) override;
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void construit_commandes();
    void sur_utilisateur_cree(int n);
    void sur_rangees_retirees();
    void sur_rangee_renommee(int n, const QString &nom);

    // Height of one answer for the user rows (0) and the sum row (1), as last drawn.
    double unite(int n) const;
    void pose_rangee(int n, int c);
    // Every row at the pitch for nb_util rows.
    void espace_rangees(int nb_util);

    TableauResultats &m_tableau;
    bool m_barres_branchees = false;
    std::array<double, 2> m_unites{ pas_grille, pas_grille };
    double m_pas = 0.5; // the rows' pitch in depth (pas_rangees)
};

} // namespace fantrel::results
