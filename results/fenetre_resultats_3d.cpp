#include "results/fenetre_resultats_3d.h"
#include "engine3d/ancre.h"
#include "engine3d/boite.h"
#include "engine3d/controle_camera.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "results/geometrie_barres.h"
#include "results/ligne_reponse.h"
#include "trials/reponses.h"
#include "results/texte_memo.h"
#include "trials/etat_partage.h"
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

namespace fantrel::results {

using namespace engine3d;

namespace {

constexpr Qt::KeyboardModifiers touches_comptees =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// A control over the native GL view must be native too, or the view covers it.
void au_dessus_de_la_vue(QWidget *commande)
{
    commande->setAttribute(Qt::WA_NativeWindow);
    commande->raise();
}

} // namespace

TForm_courbe2::TForm_courbe2(trials::EtatPartage &etat, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_etat(etat)
{
    setObjectName(QStringLiteral("Form_courbe2"));
    setWindowTitle(QStringLiteral("Form_courbe2"));
    setGeometry(643, 246, 441, 333);

    vue = new Vue3D(this);
    vue->setObjectName(QStringLiteral("GLSceneViewer1"));
    vue->setGeometry(rect());
    vue->definir_couleur_fond(0x00FFFFFF);
    objets = construit_scene_courbe2(vue->scene());

    controle_camera = new ControleCameraSouris(this);
    controle_camera->attacher(*vue, vue->scene().camera());
    connect(vue, &Vue3D::souris_appui, this, &TForm_courbe2::vue_souris_appui);
    connect(vue, &Vue3D::souris_deplace, this, &TForm_courbe2::vue_souris_deplace);

    construit_commandes();
    panneaux = new PanneauxTest(etat, this);
}

TForm_courbe2::~TForm_courbe2() = default;

void TForm_courbe2::construit_commandes()
{
    Scroll_coeff = new QScrollBar(Qt::Vertical, this);
    Scroll_coeff->setObjectName(QStringLiteral("Scroll_coeff"));
    Scroll_coeff->setGeometry(6, 37, 10, 145);
    Scroll_coeff->setRange(0, 100);
    Scroll_coeff->setValue(30);
    au_dessus_de_la_vue(Scroll_coeff);
    connect(Scroll_coeff, &QScrollBar::valueChanged, this, &TForm_courbe2::Scroll_coeffChange);

    Edit_nom = new QLineEdit(this);
    Edit_nom->setObjectName(QStringLiteral("Edit_nom"));
    Edit_nom->resize(65, 21);
    Edit_nom->hide();
    au_dessus_de_la_vue(Edit_nom);
    Edit_nom->installEventFilter(this);
}

void TForm_courbe2::relier(const LienPrincipal &lien)
{
    m_lien = lien;
    coche_afficher(isVisible());
}

bool TForm_courbe2::rangee_existe(int n) const
{
    return n >= 0 && n <= nb_max_util && n <= nb_util && tab_util[n].creee();
}

void TForm_courbe2::creation_util()
{
    const int n = ++nb_util;
    util_courant = n;
    if (m_lien.relance_exercice)
        m_lien.relance_exercice();
    if (n > nb_max_util)
        return;

    RangeeResultat &rangee = tab_util[n];
    cree_objets_rangee(
            vue->scene(), rangee, n,
            { objets.GLSpaceText1->materiau().diffuse, objets.GLSpaceText4->materiau().diffuse });
    if (n > 0 && !m_etat.lecture_res && m_lien.Memo_enreg_test)
        ajoute_entete(m_lien.Memo_enreg_test, rangee.nom());
    objets.GLDummyCube1->definir_z(float(z_ancre(n)));
    for (int c = 1; c <= 4; ++c) {
        panneaux->ScrollBar[c]->setValue(100);
        ScrollBar_courbeChange(panneaux->ScrollBar[c]);
    }
    for (int c = 1; c <= 4; ++c)
        m_etat.compte_test[c] = 0;
    vue->demande_repeint();
}

void TForm_courbe2::trace_cube(int c)
{
    const int r = util_courant;
    if (c < 1 || c > 4 || !rangee_existe(r))
        return;
    RangeeResultat &rangee = tab_util[r];
    const double h = hauteur_barre(rangee.comptes[c], r, Scroll_coeff->value());
    pose_barre(rangee, c, h, QString::number(rangee.comptes[c]));
    if (r == 0) {
        if (Texte3D *etiquette = objets.etiquette_categorie(c))
            etiquette->definir_y(rangee.textes_valeur[c]->position().y());
    }
}

void TForm_courbe2::ScrollBar_courbeChange(QScrollBar *barre)
{
    const int c = panneaux->categorie_de_barre(barre);
    if (c == 0 || !rangee_existe(util_courant))
        return;
    const int p = barre->value();
    pose_barre(tab_util[util_courant], c, hauteur_niveau(p), texte_niveau(p));
}

void TForm_courbe2::misajour_courbe()
{
    const int c = trials::categorie_essai(m_etat.rang_mot, m_etat.bonne_reponse);
    if (c == 0)
        return;
    // Past the 20th row there is no row to count in: only the sum row counts then.
    if (rangee_existe(util_courant)) {
        ++tab_util[util_courant].comptes[c];
        trace_cube(c);
    }
    ++m_etat.compte_test[c];
}

void TForm_courbe2::compte_reponse(bool aussi_somme)
{
    misajour_courbe();
    if (!aussi_somme || util_courant == 0)
        return;
    const int courant = util_courant;
    util_courant = 0;
    misajour_courbe();
    util_courant = courant;
}

void TForm_courbe2::trace_somme()
{
    const int courant = util_courant;
    util_courant = 0;
    for (int c = 1; c <= 4; ++c)
        trace_cube(c);
    util_courant = courant;
}

void TForm_courbe2::detruit_rangees_utilisateurs()
{
    // A rename box left open would name whichever row takes the index next.
    Edit_nom->hide();
    util_choisi = -1;
    for (int n = 1; n <= std::min(nb_util, nb_max_util); ++n)
        detruit_objets_rangee(vue->scene(), tab_util[n]);
}

void TForm_courbe2::tout_effacer()
{
    if (nb_util < 0)
        creation_util(); // no sum row yet (start-up stopped early): make it first
    util_courant = 0;
    for (int c = 1; c <= 4; ++c) {
        tab_util[0].comptes[c] = 0;
        trace_cube(c);
    }
    detruit_rangees_utilisateurs();
    nb_util = 0;
    creation_util();
}

void TForm_courbe2::charge_resultats(const QStringList &lignes)
{
    const PlanLecture plan = plan_lecture(lignes);
    if (nb_util < 0)
        creation_util(); // the file's answers are added to the sum row: it must exist

    m_etat.lecture_res = true;
    detruit_rangees_utilisateurs();
    if (m_lien.Memo_enreg_test)
        remplace_lignes(m_lien.Memo_enreg_test, lignes);
    nb_util = 0;
    for (int k = 1; k <= plan.nb_entetes; ++k) {
        creation_util();
        if (k > plan.rangees.size())
            continue;
        const RangeeLue &lue = plan.rangees[k - 1];
        tab_util[k].texte_nom->definir_texte(lue.nom);
        tab_util[k].comptes = lue.comptes;
        for (int c = 1; c <= 4; ++c)
            trace_cube(c);
    }
    for (int c = 1; c <= 4; ++c)
        tab_util[0].comptes[c] += plan.somme[c];
    trace_somme();
    m_etat.lecture_res = false;

    // Answers given next need a row of their own, with its header in the record.
    if (plan.nb_entetes == 0)
        creation_util();
    show();
    raise();
}

void TForm_courbe2::affich_liste(int n)
{
    if (!m_lien.Memo1)
        return;
    m_lien.Memo1->clear();
    if (n == 0 || !rangee_existe(n))
        return;
    const QString nom = tab_util[n].nom();
    if (m_lien.GroupBox3)
        m_lien.GroupBox3->setTitle(QStringLiteral("Utilisateur ") + nom);
    if (m_lien.Memo_enreg_test)
        m_lien.Memo1->setPlainText(
                lignes_listees(lignes_memo(m_lien.Memo_enreg_test), nom).join(QLatin1Char('\n')));
}

bool TForm_courbe2::Edit_nomKeyDown(int touche)
{
    if (touche != Qt::Key_Return && touche != Qt::Key_Enter)
        return false;
    const int n = util_choisi;
    QString nom = Edit_nom->text();
    // A header is one line of the record.
    nom.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (rangee_existe(n)) {
        if (n > 0 && m_lien.Memo_enreg_test) {
            const qsizetype i = index_entete(lignes_memo(m_lien.Memo_enreg_test), n);
            if (i >= 0)
                remplace_ligne(m_lien.Memo_enreg_test, i, nom);
        }
        tab_util[n].texte_nom->definir_texte(nom);
    }
    Edit_nom->hide();
    return true;
}

void TForm_courbe2::vue_souris_appui(QPoint position, Qt::MouseButtons boutons,
                                     Qt::KeyboardModifiers touches)
{
    touches &= touches_comptees;
    if (boutons == Qt::LeftButton && touches == Qt::NoModifier) {
        Edit_nom->hide();
        return;
    }
    if (boutons != Qt::LeftButton || touches != Qt::ControlModifier)
        return;
    util_choisi = -1;
    const Objet *objet = vue->pique(position, 1);
    if (!objet)
        return;
    if (objet->genre() == Genre::Boite) {
        util_choisi = objet->tag();
        affich_liste(util_choisi);
    } else if (objet->genre() == Genre::Texte3D) {
        util_choisi = objet->tag();
        if (util_choisi == -1 || !rangee_existe(util_choisi))
            return;
        Edit_nom->move(vue->mapTo(this, position));
        Edit_nom->setText(tab_util[util_choisi].nom());
        Edit_nom->show();
        Edit_nom->raise();
        activateWindow();
        Edit_nom->setFocus();
    }
}

void TForm_courbe2::vue_souris_deplace(QPoint, Qt::MouseButtons boutons,
                                       Qt::KeyboardModifiers touches)
{
    const bool main =
            boutons == Qt::NoButton && (touches & touches_comptees) == Qt::ControlModifier;
    vue->definir_curseur(main ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TForm_courbe2::Scroll_coeffChange()
{
    trace_somme();
}

void TForm_courbe2::branche_barres_test()
{
    if (!m_barres_branchees) {
        for (int c = 1; c <= 4; ++c) {
            QScrollBar *barre = panneaux->ScrollBar[c];
            connect(barre, &QScrollBar::valueChanged, this,
                    [this, barre] { ScrollBar_courbeChange(barre); });
        }
        m_barres_branchees = true;
    }
    for (int c = 1; c <= 4; ++c)
        panneaux->ScrollBar[c]->setValue(100);
}

void TForm_courbe2::recule_camera()
{
    vue->scene().camera().ajuste_distance(3.0f);
    vue->repeint_maintenant();
}

void TForm_courbe2::Courbe21Click()
{
    setVisible(!isVisible());
}

void TForm_courbe2::coche_afficher(bool coche)
{
    if (m_lien.Courbe22)
        m_lien.Courbe22->setChecked(coche);
}

void TForm_courbe2::showEvent(QShowEvent *evenement)
{
    QWidget::showEvent(evenement);
    // The view's GL window is mapped over its siblings once shown: lift the controls
    // over it when the showing is done.
    QTimer::singleShot(0, this, [this] {
        Scroll_coeff->raise();
        Edit_nom->raise();
    });
    if (!evenement->spontaneous())
        coche_afficher(true);
}

void TForm_courbe2::hideEvent(QHideEvent *evenement)
{
    QWidget::hideEvent(evenement);
    if (!evenement->spontaneous())
        coche_afficher(false);
}

void TForm_courbe2::resizeEvent(QResizeEvent *evenement)
{
    QWidget::resizeEvent(evenement);
    vue->setGeometry(rect());
}

bool TForm_courbe2::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == Edit_nom && evenement->type() == QEvent::KeyPress)
        return Edit_nomKeyDown(static_cast<QKeyEvent *>(evenement)->key());
    return QWidget::eventFilter(objet, evenement);
}

} // namespace fantrel::results
