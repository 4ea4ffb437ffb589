#include "app/fenetre_principale.h"
#include "platform/liaison.h"
#include "app/groupe_radio.h"
#include "platform/minuteur_hr.h"
#include "engine3d/vue3d.h"
#include "platform/boites_dialogue.h"
#include "trials/liste_exercice.h"
#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace fantrel::app {

namespace {
constexpr int largeur_fenetre = 1129;
constexpr int hauteur_fenetre = 734;

QPushButton *bouton(QWidget *parent, const char *nom, const QString &texte, QRect geometrie)
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(geometrie);
    return b;
}

QLabel *etiquette(QWidget *parent, const char *nom, const QString &texte, QPoint position)
{
    auto *l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->move(position);
    l->adjustSize();
    return l;
}
} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Fantrel"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(largeur_fenetre, hauteur_fenetre);
    m_centre = new QWidget(this);
    m_centre->setObjectName(QStringLiteral("zone_client"));
    setCentralWidget(m_centre);

    construit_menus();
    construit_scene();
    construit_commandes();
    construit_groupes_visibles();
    construit_panneau_reglages();
    construit_essai_musical();
    OpenDialog1.filtre =
            QStringLiteral("Fichiers textes|*.txt|Exercices subliminaux|*.liste_fantrel|Fichiers "
                           "résultats *.res|*.res");

    Timer_debut = new QTimer(this);
    Timer_debut->setObjectName(QStringLiteral("Timer_debut"));
    Timer_debut->setInterval(100);
    platform::relie(Timer_debut, &QTimer::timeout, this, &TForm1::Timer_debutTimer);
    Timer_debut->start();

    Timer_reaffich = new QTimer(this);
    Timer_reaffich->setObjectName(QStringLiteral("Timer_reaffich"));
    Timer_reaffich->setInterval(500);
    platform::relie(Timer_reaffich, &QTimer::timeout, this, &TForm1::Timer_reaffichTimer);

    Timer_reactive_coul = new QTimer(this);
    Timer_reactive_coul->setObjectName(QStringLiteral("Timer_reactive_coul"));
    Timer_reactive_coul->setInterval(1000);
    platform::relie(Timer_reactive_coul, &QTimer::timeout, this, &TForm1::Timer_reactive_coulTimer);

    auto minuteur = [this](const char *nom, quint16 intervalle, void (TForm1::*gestionnaire)()) {
        auto *m = new platform::MinuteurHR(this);
        m->setObjectName(QString::fromLatin1(nom));
        m->definir_intervalle(intervalle);
        relie(m, &platform::MinuteurHR::echeance, this, gestionnaire);
        return m;
    };
    AsyncTimer2 = minuteur("AsyncTimer2", 30, &TForm1::AsyncTimer2Timer);
    Async_masque1 = minuteur("Async_masque1", 67, &TForm1::Async_masque1Timer);
    Async_mot = minuteur("Async_mot", 33, &TForm1::Async_motTimer);
    Async_blanc = minuteur("Async_blanc", 33, &TForm1::Async_blancTimer);
    Async_masque2 = minuteur("Async_masque2", 67, &TForm1::Async_masque2Timer);

    // The 3D view is a native window, drawn above plain sibling widgets whatever
    // their order: the controls standing over it are native windows too, raised.
    vue_3d->setAttribute(Qt::WA_NativeWindow);
    for (QWidget *w : vue_3d->findChildren<QWidget *>())
        w->setAttribute(Qt::WA_NativeWindow);
    for (QWidget *w : controles_sur_la_vue())
        w->setAttribute(Qt::WA_NativeWindow);

    // The word's scale and the size labels follow the bars from the start.
    Scroll_hauteurChange();
    Scroll_largeurChange();

    // Centred; a window wider than the screen gets a negative left.
    if (const QScreen *ecran = screen()) {
        const QRect r = ecran->geometry();
        move((r.width() - width()) / 2, (r.height() - height()) / 2);
    }
    platform::definir_fenetre_parente(this);
}

TForm1::~TForm1() = default;

QList<QWidget *> TForm1::controles_sur_la_vue() const
{
    return { BitBtn2,       bit_rep1,  bit_rep2,     Bit_rep3,      Edit_saisie_libre,
             BitBtn_ecoute, GroupBox3, Group_result, Group_musical, GroupBox1 };
}

void TForm1::showEvent(QShowEvent *evenement)
{
    QMainWindow::showEvent(evenement);
    // Native windows stack in creation order: put the controls back above the view.
    vue_3d->lower();
    for (QWidget *w : controles_sur_la_vue())
        w->raise();
}

void TForm1::construit_commandes()
{
    BitBtn2 = bouton(m_centre, "BitBtn2",
                     QStringLiteral("Concentrez vous sur le leurre et cliquez ici"),
                     QRect(438, 485, 217, 22));
    BitBtn2->setEnabled(false);
    // The caption must fit the button's 217 pixels whatever the substitute font's widths.
    QFont police_depart = font();
    police_depart.setPixelSize(10);
    BitBtn2->setFont(police_depart);
    platform::relie(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);

    QFont police_reponse(QStringLiteral("Courier New"));
    police_reponse.setPixelSize(19);
    police_reponse.setBold(true);
    bit_rep1 = bouton(m_centre, "bit_rep1", QString(), QRect(389, 485, 148, 25));
    bit_rep2 = bouton(m_centre, "bit_rep2", QString(), QRect(555, 485, 148, 25));
    Bit_rep3 = bouton(m_centre, "Bit_rep3", QStringLiteral("?"), QRect(709, 485, 27, 25));
    for (QPushButton *b : { bit_rep1, bit_rep2, Bit_rep3 }) {
        b->setFont(police_reponse);
        b->hide();
    }
    bit_rep1->setAccessibleName(QStringLiteral("Réponse gauche"));
    bit_rep2->setAccessibleName(QStringLiteral("Réponse droite"));
    Bit_rep3->setAccessibleName(QStringLiteral("Je ne sais pas"));
    platform::relie(bit_rep1, &QPushButton::clicked, this, &TForm1::bit_rep1Click);
    platform::relie(bit_rep2, &QPushButton::clicked, this, &TForm1::bit_rep2Click);
    platform::relie(Bit_rep3, &QPushButton::clicked, this, &TForm1::Bit_rep3Click);

    Edit_saisie_libre = new QLineEdit(m_centre);
    Edit_saisie_libre->setObjectName(QStringLiteral("Edit_saisie_libre"));
    Edit_saisie_libre->setGeometry(475, 495, 144, 32);
    QFont police_saisie(QStringLiteral("MS Sans Serif"));
    police_saisie.setPixelSize(19);
    Edit_saisie_libre->setFont(police_saisie);
    Edit_saisie_libre->setAccessibleName(QStringLiteral("Mot vu"));
    Edit_saisie_libre->hide();
    platform::relie(Edit_saisie_libre, &QLineEdit::returnPressed, this,
                    &TForm1::Edit_saisie_libreEntree);

    BitBtn5 = bouton(m_centre, "BitBtn5", QStringLiteral("BitBtn_morbelle"),
                     QRect(368, 552, 337, 41));
    BitBtn5->hide();

    BitBtn_ecoute =
            bouton(m_centre, "BitBtn_ecoute", QStringLiteral("Cliquez ici pour écouter la mélodie"),
                   QRect(392, 304, 304, 145));
    QFont police_ecoute = font();
    police_ecoute.setPointSize(12);
    police_ecoute.setBold(true);
    BitBtn_ecoute->setFont(police_ecoute);
    BitBtn_ecoute->hide();

    lab_mot_aff =
            etiquette(m_centre, "lab_mot_aff", QStringLiteral("Mot affiché"), QPoint(32, 636));
    Lab_bid = etiquette(m_centre, "Lab_bid", QStringLiteral("Réponse"), QPoint(109, 636));
    lab_mot_aff->hide();
    Lab_bid->hide();
}

void TForm1::construit_menus()
{
    auto action = [this](QMenu *menu, const char *nom, const QString &texte,
                         void (TForm1::*gestionnaire)()) {
        QAction *a = menu->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        if (gestionnaire)
            platform::relie(a, &QAction::triggered, this, gestionnaire);
        return a;
    };
    QMenu *fichier = menuBar()->addMenu(QStringLiteral("Fichier"));
    fichier->setObjectName(QStringLiteral("Fichier1"));
    Ouvrirunexercice1 = action(fichier, "Ouvrirunexercice1", QStringLiteral("Ouvrir un exercice"),
                               &TForm1::Ouvrirunexercice1Click);
    ouvrirunrsultat1 = action(fichier, "ouvrirunrsultat1", QStringLiteral("Ouvrir un résultat"),
                              &TForm1::ouvrirunrsultat1Click);
    rierdesmots1 = action(fichier, "rierdesmots1", QStringLiteral("Trier des  mots"),
                          &TForm1::rierdesmots1Click);
    Sauverlesparamtres1 =
            action(fichier, "Sauverlesparamtres1", QStringLiteral("Enregistrer les paramètres"),
                   &TForm1::Sauverlesparamtres1Click);
    Enregistrerlesrsultats1 =
            action(fichier, "Enregistrerlesrsultats1", QStringLiteral("Enregistrer les résultats"),
                   &TForm1::Enregistrerlesrsultats1Click);
    Nouvelutilisateur1 = action(fichier, "Nouvelutilisateur1", QStringLiteral("Nouvel utilisateur"),
                                &TForm1::Nouvelutilisateur1Click);
    QMenu *type_exercice = fichier->addMenu(QStringLiteral("Type d'exercice"));
    ypedexercice1 = type_exercice->menuAction();
    ypedexercice1->setObjectName(QStringLiteral("ypedexercice1"));
    Comparaisondemots1 =
            action(type_exercice, "Comparaisondemots1", QStringLiteral("Comparaison de mots"),
                   &TForm1::Comparaisondemots1Click);
    Saisielibre1 = action(type_exercice, "Saisielibre1", QStringLiteral("Saisie libre"),
                          &TForm1::Saisielibre1Click);
    Quitter1 = action(fichier, "Quitter1", QStringLiteral("Quitter"), &TForm1::Quitter1Click);

    QMenu *courbes = menuBar()->addMenu(QStringLiteral("Courbes"));
    courbes->setObjectName(QStringLiteral("Courbes1"));
    Courbe11 = action(courbes, "Courbe11", QStringLiteral("Courbe1"), &TForm1::Courbe1Click);
    Courbe11->setVisible(false);
    Courbe22 = action(courbes, "Courbe22", QStringLiteral("Afficher"), &TForm1::Courbe21Click);
    outeffacer1 = action(courbes, "outeffacer1", QStringLiteral("Tout effacer"),
                         &TForm1::outeffacer1Click);

    QMenu *type_test = menuBar()->addMenu(QStringLiteral("Type de test"));
    type_test->setObjectName(QStringLiteral("Typedetest1"));
    Korvane1 = action(type_test, "Korvane1", QStringLiteral("Korvane"), &TForm1::Korvane1Click);
    Morbelle1 = action(type_test, "Morbelle1", QStringLiteral("Morbelle"), &TForm1::Morbelle1Click);
    Incongruitmusicale1 =
            action(type_test, "Incongruitmusicale1", QStringLiteral("Incongruité musicale"),
                   &TForm1::Incongruitmusicale1Click);

    QMenu *options = menuBar()->addMenu(QStringLiteral("Options"));
    options->setObjectName(QStringLiteral("Options1"));
    Rglages1 = action(options, "Rglages1", QStringLiteral("Réglages"), &TForm1::Rglages1Click);
    Modevisible1 = action(options, "Modevisible1", QStringLiteral("Mode visible"), nullptr);
    platform::relie(Modevisible1, &QAction::triggered, this, &TForm1::Modevisible1Click);

    // A click toggles a checkable item before its handler runs; every handler sets
    // its marks itself, so a handler called from code behaves as a click does.
    for (QAction *a : { Comparaisondemots1, Saisielibre1, Courbe22, Korvane1, Morbelle1,
                        Incongruitmusicale1, Modevisible1 })
        a->setCheckable(true);
    Comparaisondemots1->setChecked(true);
    Korvane1->setChecked(true);
}

void TForm1::construit_groupes_visibles()
{
    GroupBox3 = new QGroupBox(QStringLiteral("Fichier exercice"), m_centre);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(888, 288, 205, 209);
    Memo1 = new QPlainTextEdit(GroupBox3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 18, 189, 183);
    Memo1->setAccessibleName(QStringLiteral("Fichier exercice"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    GroupBox3->hide();
    rend_flottant(GroupBox3);
    construit_groupes_resultats_musique();
}

void TForm1::rend_flottant(QGroupBox *groupe)
{
    groupe->installEventFilter(this);
    groupe->setAutoFillBackground(true);
}

// MouseDownDrag: a press on a floating box's own surface (not on a child control)
// moves the box with the pointer until the button is released.
bool TForm1::eventFilter(QObject *objet, QEvent *evenement)
{
    auto *groupe = qobject_cast<QGroupBox *>(objet);
    if (!groupe)
        return QMainWindow::eventFilter(objet, evenement);
    switch (evenement->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(evenement);
        m_groupe_glisse = groupe;
        m_origine_glisse = e->globalPosition().toPoint() - groupe->pos();
        groupe->raise();
        return true;
    }
    case QEvent::MouseMove:
        if (m_groupe_glisse == groupe) {
            auto *e = static_cast<QMouseEvent *>(evenement);
            groupe->move(e->globalPosition().toPoint() - m_origine_glisse);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_groupe_glisse == groupe) {
            m_groupe_glisse = nullptr;
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(objet, evenement);
}

void TForm1::coche_type_test(QAction *coche)
{
    for (QAction *a : { Korvane1, Morbelle1, Incongruitmusicale1 })
        a->setChecked(a == coche);
}

void TForm1::Korvane1Click()
{
    etat.mode_morbelle = false;
    coche_type_test(Korvane1);
    pose_texte(etat.masque);
    texte_visible(true);
    BitBtn_ecoute->hide();
    BitBtn2->show();
    etat.mode_musical = false;
}

void TForm1::Morbelle1Click()
{
    pose_texte(QString());
    etat.mode_morbelle = true;
    coche_type_test(Morbelle1);
    texte_visible(true);
    BitBtn_ecoute->hide();
    etat.mode_musical = false;
    BitBtn2->show();
    repaint();
}

void TForm1::Comparaisondemots1Click()
{
    Saisielibre1->setChecked(false);
    Comparaisondemots1->setChecked(true);
    cache_boutons();
    Timer_reaffich->start();
}

void TForm1::Saisielibre1Click()
{
    Saisielibre1->setChecked(true);
    Comparaisondemots1->setChecked(false);
    cache_boutons();
    Timer_reaffich->start();
}

void TForm1::cache_boutons()
{
    bit_rep1->setText(QString());
    bit_rep2->setText(QString());
    bit_rep1->hide();
    bit_rep2->hide();
    Bit_rep3->hide();
    BitBtn2->show();
    Edit_saisie_libre->hide();
    repaint();
    if (etat.num_essai < etat.nb_couples)
        return;
    etat.fin_liste = true;
    BitBtn2->setEnabled(false);
    BitBtn2->repaint();
    platform::information(QStringLiteral("Plus de mots"));
}

void TForm1::Modevisible1Click()
{
    m_mode_visible = !m_mode_visible;
    const bool visible = m_mode_visible;
    Modevisible1->setChecked(visible);
    for (QWidget *w : std::initializer_list<QWidget *>{ GroupBox3, lab_mot_aff, Lab_bid,
                                                        Group_result, Group_musical })
        if (w)
            w->setVisible(visible);
}

void TForm1::Rglages1Click()
{
    GroupBox1->setVisible(!GroupBox1->isVisible());
    if (GroupBox1->isVisible())
        GroupBox1->raise();
}

void TForm1::Quitter1Click()
{
    close();
}

} // namespace fantrel::app
