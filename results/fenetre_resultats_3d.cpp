#include "results/fenetre_resultats_3d.h"
#include "engine3d/ancre.h"
#include "engine3d/boite.h"
#include "engine3d/camera.h"
#include "engine3d/controle_camera.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include "results/cadrage_resultats_3d.h"
#include <QKeyEvent>
#include <QScreen>
#include <QLineEdit>
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

TForm_courbe2::TForm_courbe2(TableauResultats &tableau, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_tableau(tableau)
{
    setObjectName(QStringLiteral("Form_courbe2"));
    setWindowTitle(QStringLiteral("Form_courbe2"));
    setGeometry(643, 246, 441, 333);

    vue = new Vue3D(this);
    vue->setObjectName(QStringLiteral("GLSceneViewer1"));
    vue->setGeometry(rect());
    vue->setAccessibleName(QStringLiteral("Résultats par utilisateur"));
    vue->definir_couleur_fond(0x00FFFFFF);
    objets = construit_scene_resultats_3d(vue->scene());

    controle_camera = new ControleCameraSouris(this);
    controle_camera->attacher(*vue, vue->scene().camera());
    connect(vue, &Vue3D::souris_appui, this, &TForm_courbe2::vue_souris_appui);
    connect(vue, &Vue3D::souris_deplace, this, &TForm_courbe2::vue_souris_deplace);

    construit_commandes();
    panneaux = new PanneauxTest(tableau, this);

    connect(&tableau, &TableauResultats::utilisateur_cree, this,
            &TForm_courbe2::sur_utilisateur_cree);
    connect(&tableau, &TableauResultats::compte_change, this, &TForm_courbe2::trace_cube);
    connect(&tableau, &TableauResultats::rangees_utilisateurs_retirees, this,
            &TForm_courbe2::sur_rangees_retirees);
    connect(&tableau, &TableauResultats::rangee_renommee, this,
            &TForm_courbe2::sur_rangee_renommee);
    connect(&tableau, &TableauResultats::lecture_terminee, this, [this] {
        show();
        raise();
    });
}

TForm_courbe2::~TForm_courbe2() = default;

void TForm_courbe2::construit_commandes()
{
    Scroll_coeff = new QScrollBar(Qt::Vertical, this);
    Scroll_coeff->setObjectName(QStringLiteral("Scroll_coeff"));
    Scroll_coeff->setGeometry(6, 37, 10, 145);
    Scroll_coeff->setRange(0, 100);
    Scroll_coeff->setValue(30);
    Scroll_coeff->setAccessibleName(QStringLiteral("Échelle de la somme"));
    au_dessus_de_la_vue(Scroll_coeff);
    connect(Scroll_coeff, &QScrollBar::valueChanged, this, &TForm_courbe2::Scroll_coeffChange);

    Edit_nom = new QLineEdit(this);
    Edit_nom->setObjectName(QStringLiteral("Edit_nom"));
    Edit_nom->resize(65, 21);
    Edit_nom->setAccessibleName(QStringLiteral("Nom de l'utilisateur"));
    Edit_nom->hide();
    au_dessus_de_la_vue(Edit_nom);
    Edit_nom->installEventFilter(this);
}

void TForm_courbe2::sur_utilisateur_cree(int n)
{
    if (!m_tableau.rangee_existe(n))
        return;
    espace_rangees(n);
    cree_objets_rangee(
            vue->scene(), tab_util[n], n, m_tableau.rangee(n).nom,
            { objets.GLSpaceText1->materiau().diffuse, objets.GLSpaceText4->materiau().diffuse },
            m_pas);
    // The camera moves with its target: the rows keep the angle they are seen at.
    const float dz = float(z_ancre(n)) - objets.GLDummyCube1->position().z();
    objets.GLDummyCube1->definir_z(float(z_ancre(n)));
    Camera &camera = vue->scene().camera();
    camera.definir_position(camera.position() + QVector3D(0, 0, dz));
    if (const QSize taille = taille_fenetre_resultats(n); taille.height() > height()) {
        const int h = taille.height();
        resize(taille);
        // Taller, it stays on its screen.
        if (const QScreen *ecran = screen(); ecran && geometry().bottom() > ecran->availableGeometry().bottom())
            move(x(), std::max(ecran->availableGeometry().top(),
                               ecran->availableGeometry().bottom() - h));
    }
    // The new row's bars flat, their labels "0", as the hidden test bars at 100 say.
    for (int c = 1; c <= 4; ++c) {
        panneaux->ScrollBar[c]->setValue(100);
        ScrollBar_courbeChange(panneaux->ScrollBar[c]);
    }
    cadre_vue();
}

void TForm_courbe2::espace_rangees(int nb_util)
{
    const double pas = pas_rangees(nb_util);
    if (pas == m_pas)
        return;
    m_pas = pas;
    for (int r = 0; r <= nb_max_util; ++r)
        if (tab_util[r].creee())
            place_rangee(tab_util[r], float(z_rangee(r, m_pas)));
}

double TForm_courbe2::unite(int n) const
{
    std::int32_t plus_grand = 0;
    for (int r = n == 0 ? 0 : 1; r <= (n == 0 ? 0 : nb_max_util); ++r)
        if (m_tableau.rangee_existe(r))
            for (int c = 1; c <= 4; ++c)
                plus_grand = std::max(plus_grand, m_tableau.rangee(r).comptes()[c]);
    return unite_barre(plus_grand);
}

void TForm_courbe2::pose_rangee(int n, int c)
{
    ObjetsRangee &rangee = tab_util[n];
    const std::int32_t compte = m_tableau.rangee(n).comptes()[c];
    const double h = hauteur_barre(compte, n, Scroll_coeff->value(), m_unites[n == 0 ? 1 : 0]);
    pose_barre(rangee, c, h, QString::number(compte));
    if (n == 0) {
        if (Texte3D *etiquette = objets.etiquette_categorie(c))
            etiquette->definir_y(rangee.textes_valeur[c]->position().y());
    }
}

void TForm_courbe2::trace_cube(int n, int c)
{
    if (c < 1 || c > 4 || !m_tableau.rangee_existe(n) || !tab_util[n].creee())
        return;
    const int genre = n == 0 ? 1 : 0;
    const double u = unite(n);
    if (u != m_unites[genre]) {
        m_unites[genre] = u;
        for (int r = genre == 1 ? 0 : 1; r <= (genre == 1 ? 0 : nb_max_util); ++r)
            if (m_tableau.rangee_existe(r) && tab_util[r].creee())
                for (int k = 1; k <= 4; ++k)
                    pose_rangee(r, k);
    }
    pose_rangee(n, c);
    cadre_vue();
}

void TForm_courbe2::cadre_vue()
{
    Camera &camera = vue->scene().camera();
    const std::vector<QVector3D> coins = coins_a_montrer(vue->scene());
    if (const float recul = recul_necessaire(camera, coins); recul > 0)
        camera.definir_position(camera.position()
                                + (camera.position() - camera.point_vise()).normalized() * recul);
    camera.definir_focale(focale_cadrant(camera, coins, vue->size()));
    vue->demande_repeint();
}

void TForm_courbe2::ScrollBar_courbeChange(QScrollBar *barre)
{
    const int c = panneaux->categorie_de_barre(barre);
    const int n = m_tableau.util_courant();
    if (c == 0 || !m_tableau.rangee_existe(n) || !tab_util[n].creee())
        return;
    const int p = barre->value();
    pose_barre(tab_util[n], c, hauteur_niveau(p), texte_niveau(p));
}

void TForm_courbe2::sur_rangees_retirees()
{
    // A rename box left open would name whichever row takes the index next.
    Edit_nom->hide();
    util_choisi = -1;
    for (int n = 1; n <= nb_max_util; ++n)
        if (tab_util[n].creee())
            detruit_objets_rangee(vue->scene(), tab_util[n]);
    espace_rangees(0);
    cadre_vue();
}

void TForm_courbe2::sur_rangee_renommee(int n, const QString &nom)
{
    if (n >= 0 && n <= nb_max_util && tab_util[n].texte_nom)
        tab_util[n].texte_nom->definir_texte(nom);
}

bool TForm_courbe2::Edit_nomKeyDown(int touche)
{
    if (touche != Qt::Key_Return && touche != Qt::Key_Enter)
        return false;
    QString nom = Edit_nom->text();
    // A header is one line of the record.
    nom.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_tableau.renomme(util_choisi, nom);
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
        emit liste_demandee(util_choisi);
    } else if (objet->genre() == Genre::Texte3D) {
        util_choisi = objet->tag();
        if (util_choisi == -1 || !m_tableau.rangee_existe(util_choisi))
            return;
        Edit_nom->move(vue->mapTo(this, position));
        Edit_nom->setText(m_tableau.rangee(util_choisi).nom);
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
    for (int c = 1; c <= 4; ++c)
        trace_cube(0, c);
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
    cadre_vue();
    vue->repeint_maintenant();
}

void TForm_courbe2::Courbe21Click()
{
    setVisible(!isVisible());
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
        emit affichage_change(true);
}

void TForm_courbe2::hideEvent(QHideEvent *evenement)
{
    QWidget::hideEvent(evenement);
    if (!evenement->spontaneous())
        emit affichage_change(false);
}

void TForm_courbe2::resizeEvent(QResizeEvent *evenement)
{
    QWidget::resizeEvent(evenement);
    vue->setGeometry(rect());
    cadre_vue();
}

bool TForm_courbe2::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == Edit_nom && evenement->type() == QEvent::KeyPress)
        return Edit_nomKeyDown(static_cast<QKeyEvent *>(evenement)->key());
    return QWidget::eventFilter(objet, evenement);
}

} // namespace fantrel::results
