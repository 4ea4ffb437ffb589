// The settings panel "Réglages": its groups and controls, and the handlers of its
// own controls (text size, colour picker, OK, Cancel, close).
#include "app/fenetre_principale.h"
#include "platform/liaison.h"
#include "app/groupe_radio.h"
#include "app/nuancier.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

namespace fantrel::app {

namespace {

QGroupBox *groupe(QWidget *parent, const char *nom, const QString &titre, QRect geometrie)
{
    auto *g = new QGroupBox(titre, parent);
    g->setObjectName(QString::fromLatin1(nom));
    g->setGeometry(geometrie);
    return g;
}

QLabel *etiquette(QWidget *parent, const QString &texte, QPoint position, const char *nom = nullptr)
{
    auto *l = new QLabel(texte, parent);
    if (nom)
        l->setObjectName(QString::fromLatin1(nom));
    l->move(position);
    l->adjustSize();
    return l;
}

QLineEdit *champ(QWidget *parent, const char *nom, const QString &texte, QRect geometrie,
                 const QString &nom_accessible)
{
    auto *e = new QLineEdit(texte, parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setGeometry(geometrie);
    e->setAccessibleName(nom_accessible);
    return e;
}

QScrollBar *barre(QWidget *parent, const char *nom, int maximum, int position, QRect geometrie,
                  const QString &nom_accessible)
{
    auto *b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setRange(0, maximum);
    b->setSingleStep(1);
    b->setPageStep(1);
    b->setValue(position);
    b->setGeometry(geometrie);
    b->setAccessibleName(nom_accessible);
    return b;
}

QString duree_ms(int ms)
{
    return QString::number(ms) + QStringLiteral(" ms");
}

} // namespace

void TForm1::construit_panneau_reglages()
{
    GroupBox1 = groupe(m_centre, "GroupBox1", QStringLiteral("Réglages"), QRect(68, 14, 400, 395));
    QPalette gris = GroupBox1->palette();
    gris.setColor(QPalette::Window, QColor(201, 201, 201));
    GroupBox1->setPalette(gris);
    GroupBox1->hide();
    rend_flottant(GroupBox1);

    etiquette(GroupBox1, QStringLiteral("Fichier de mots"), QPoint(8, 20));
    Edit1 = champ(GroupBox1, "Edit1", QStringLiteral(".\\machin.liste_fantrel"),
                  QRect(8, 36, 330, 21), QStringLiteral("Fichier de mots"));
    SpeedButton1 = new QToolButton(GroupBox1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton1->setGeometry(344, 34, 25, 25);
    SpeedButton1->setAccessibleName(QStringLiteral("Ouvrir un exercice"));
    platform::relie(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    SpeedButton3 = new QToolButton(GroupBox1);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setText(QStringLiteral("X"));
    SpeedButton3->setGeometry(376, 4, 18, 18);
    SpeedButton3->setAccessibleName(QStringLiteral("Fermer les réglages"));
    platform::relie(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);

    // "Test de Korvane"
    QGroupBox *korvane = groupe(GroupBox1, "GroupBox2", QStringLiteral("Test de Korvane"),
                                QRect(8, 62, 188, 96));
    etiquette(korvane, QStringLiteral("Timer"), QPoint(8, 20));
    Scroll_timer =
            barre(korvane, "Scroll_timer", 100, 0, QRect(44, 20, 136, 16), QStringLiteral("Timer"));
    etiquette(korvane, QStringLiteral("Intervalle:"), QPoint(8, 42));
    Lab_intervalle_timer = etiquette(korvane, QStringLiteral("Lab_intervalle_timer"),
                                     QPoint(70, 42), "Lab_intervalle_timer");
    Lab_intervalle_timer->setMinimumWidth(100);
    etiquette(korvane, QStringLiteral("Mire"), QPoint(8, 66));
    Edit_masque = champ(korvane, "Edit_masque", QStringLiteral("*****"), QRect(44, 62, 92, 21),
                        QStringLiteral("Mire"));
    SpeedButton2 = new QToolButton(korvane);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("test"));
    SpeedButton2->setGeometry(140, 62, 40, 21);
    platform::relie(Scroll_timer, &QScrollBar::valueChanged, this, &TForm1::Scroll_timerChange);
    platform::relie(Edit_masque, &QLineEdit::textChanged, this, &TForm1::Edit_masqueChange);
    platform::relie(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);

    // "Taille du texte"
    QGroupBox *taille = groupe(GroupBox1, "GroupBox4", QStringLiteral("Taille du texte"),
                               QRect(204, 62, 188, 96));
    etiquette(taille, QStringLiteral("Hauteur"), QPoint(8, 22));
    Scroll_hauteur = barre(taille, "Scroll_hauteur", 400, 64, QRect(8, 38, 120, 16),
                           QStringLiteral("Hauteur"));
    Lab_hauteur = etiquette(taille, QStringLiteral("Lab_hauteur"), QPoint(134, 38), "Lab_hauteur");
    etiquette(taille, QStringLiteral("Largeur"), QPoint(8, 56));
    Scroll_largeur = barre(taille, "Scroll_largeur", 400, 64, QRect(8, 72, 120, 16),
                           QStringLiteral("Largeur"));
    Lab_largeur = etiquette(taille, QStringLiteral("Lab_largeur"), QPoint(134, 72), "Lab_largeur");
    Lab_hauteur->setMinimumWidth(50);
    Lab_largeur->setMinimumWidth(50);
    platform::relie(Scroll_hauteur, &QScrollBar::valueChanged, this, &TForm1::Scroll_hauteurChange);
    platform::relie(Scroll_largeur, &QScrollBar::valueChanged, this, &TForm1::Scroll_largeurChange);

    // "Couleur du texte"
    QGroupBox *couleur = groupe(GroupBox1, "GroupBox5", QStringLiteral("Couleur du texte"),
                                QRect(8, 162, 188, 76));
    Ima_hg = new Nuancier(couleur);
    Ima_hg->setObjectName(QStringLiteral("Ima_hg"));
    Ima_hg->move(8, 20);
    Ima_hg->setAccessibleName(QStringLiteral("Couleur du texte"));
    Radio_texte = new QRadioButton(QStringLiteral("Texte"), couleur);
    Radio_texte->setObjectName(QStringLiteral("Radio_texte"));
    Radio_texte->setGeometry(110, 16, 74, 18);
    Radio_fond = new QRadioButton(QStringLiteral("Fond"), couleur);
    Radio_fond->setObjectName(QStringLiteral("Radio_fond"));
    Radio_fond->setGeometry(110, 34, 74, 18);
    RadioButton1 = new QRadioButton(QStringLiteral("Rien"), couleur);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(110, 52, 74, 18);
    RadioButton1->setChecked(true);
    platform::relie(Ima_hg, &Nuancier::deplace, this, &TForm1::Ima_hgMouseMove);
    platform::relie(Ima_hg, &Nuancier::appui, this, &TForm1::Ima_hgMouseDown);

    // "Test de Morbelle"
    QGroupBox *morbelle = groupe(GroupBox1, "GroupBox6", QStringLiteral("Test de Morbelle"),
                                 QRect(204, 162, 188, 190));
    auto ligne_duree = [&](int y, const char *texte, const char *nom_barre, const char *nom_lab,
                           int position, QScrollBar *&b, QLabel *&l) {
        const QString t = QString::fromUtf8(texte);
        etiquette(morbelle, t, QPoint(8, y + 1));
        b = barre(morbelle, nom_barre, 100, position, QRect(62, y, 70, 16), t);
        l = etiquette(morbelle, duree_ms(position), QPoint(136, y + 1), nom_lab);
        l->setMinimumWidth(46);
    };
    etiquette(morbelle, QStringLiteral("Masque1"), QPoint(8, 22));
    Edit_masque1 = champ(morbelle, "Edit_masque1", QStringLiteral("&&&&&&&&&&&"),
                         QRect(62, 18, 118, 21), QStringLiteral("Masque1"));
    ligne_duree(44, "Durée", "Scroll_masque1", "Lab_interv_masque1", 67, Scroll_masque1,
                Lab_interv_masque1);
    ligne_duree(68, "Figure", "Scroll_mot", "Lab_interv_figure", 33, Scroll_mot, Lab_interv_figure);
    ligne_duree(92, "Blanc", "Scroll_blanc", "Lab_interv_blanc", 33, Scroll_blanc,
                Lab_interv_blanc);
    etiquette(morbelle, QStringLiteral("Masque2"), QPoint(8, 124));
    Edit_masque2 = champ(morbelle, "Edit_masque2", QStringLiteral("############"),
                         QRect(62, 120, 118, 21), QStringLiteral("Masque2"));
    ligne_duree(148, "Durée", "Scroll_masque2", "Lab_interv_masque2", 67, Scroll_masque2,
                Lab_interv_masque2);
    Scroll_masque1->setAccessibleName(QStringLiteral("Durée du masque 1"));
    Scroll_masque2->setAccessibleName(QStringLiteral("Durée du masque 2"));
    platform::relie(Scroll_masque1, &QScrollBar::valueChanged, this, &TForm1::Scroll_masque1Change);
    platform::relie(Scroll_mot, &QScrollBar::valueChanged, this, &TForm1::Scroll_motChange);
    platform::relie(Scroll_blanc, &QScrollBar::valueChanged, this, &TForm1::Scroll_blancChange);
    platform::relie(Scroll_masque2, &QScrollBar::valueChanged, this, &TForm1::Scroll_masque2Change);
    connect(Edit_masque1, &QLineEdit::textChanged, this,
            [this](const QString &t) { etat.masque1 = t; });
    connect(Edit_masque2, &QLineEdit::textChanged, this,
            [this](const QString &t) { etat.masque2 = t; });

    // "Incongruité musicale"
    QGroupBox *musique = groupe(GroupBox1, "GroupBox7", QStringLiteral("Incongruité musicale"),
                                QRect(8, 242, 188, 146));
    Radio_incongru = new GroupeRadio(QString(),
                                     { QStringLiteral("Pas d'incongruité"),
                                       QStringLiteral("Position aléatoire"),
                                       QStringLiteral("A la fin du morceau") },
                                     musique);
    Radio_incongru->setObjectName(QStringLiteral("Radio_incongru"));
    Radio_incongru->setGeometry(6, 14, 176, 62);
    Radio_incongru->setAccessibleName(QStringLiteral("Incongruité musicale"));
    Radio_incongru->definir_index(2);
    etiquette(musique, QStringLiteral("de                ton"), QPoint(8, 82));
    Edit_incongru = champ(musique, "Edit_incongru", QStringLiteral("+1/2"), QRect(26, 79, 48, 19),
                          QStringLiteral("Décalage en ton"));
    etiquette(musique, QStringLiteral("Série de                tests"), QPoint(8, 104));
    Edit3 = champ(musique, "Edit3", QStringLiteral("10"), QRect(56, 101, 46, 19),
                  QStringLiteral("Série de tests"));
    etiquette(musique, QStringLiteral("Rythme"), QPoint(8, 126));
    barre(musique, "ScrollBar_rythme", 100, 0, QRect(50, 126, 38, 14), QStringLiteral("Rythme"));
    etiquette(musique, QStringLiteral("Intervalle:"), QPoint(92, 126));
    etiquette(musique, QStringLiteral("Lab_intervalle_timer"), QPoint(104, 112),
              "Lab_intervalle_rythme")
            ->hide();
    auto *test_rythme = new QToolButton(musique);
    test_rythme->setObjectName(QStringLiteral("SpeedButton_rythme"));
    test_rythme->setText(QStringLiteral("test"));
    test_rythme->setGeometry(152, 123, 30, 19);

    BitBtn4 = new QPushButton(QStringLiteral("OK"), GroupBox1);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(216, 362, 80, 25);
    BitBtn3 = new QPushButton(QStringLiteral("Annuler"), GroupBox1);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(304, 362, 80, 25);
    platform::relie(BitBtn4, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    platform::relie(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
}

void TForm1::BitBtn4Click()
{
    GroupBox1->hide();
    sauve_param();
}

void TForm1::BitBtn3Click()
{
    lire_param();
    GroupBox1->hide();
}

void TForm1::SpeedButton3Click()
{
    GroupBox1->hide();
    lire_param();
    GroupBox1->hide();
}

void TForm1::SpeedButton1Click()
{
    Ouvrirunexercice1Click();
}

namespace {
// Three decimals and a "." whatever the regional settings.
QString echelle_texte(double v)
{
    return QString::asprintf("%5.3f", v).trimmed();
}
} // namespace

void TForm1::Scroll_hauteurChange()
{
    const double v = Scroll_hauteur->value() / 100.0;
    QVector3D e = GLSpaceText1->echelle();
    e.setY(float(v));
    GLSpaceText1->definir_echelle(e);
    Lab_hauteur->setText(echelle_texte(v));
    vue_3d->demande_repeint();
}

void TForm1::Scroll_largeurChange()
{
    const double v = Scroll_largeur->value() / 100.0;
    QVector3D e = GLSpaceText1->echelle();
    e.setX(float(v));
    GLSpaceText1->definir_echelle(e);
    Lab_largeur->setText(echelle_texte(v));
    vue_3d->demande_repeint();
}

void TForm1::Ima_hgMouseMove(QPoint pixel)
{
    if (etat.couleur_gelee)
        return;
    const std::int32_t c = Ima_hg->couleur_pixel(pixel);
    if (Radio_texte->isChecked()) {
        auto m = GLSpaceText1->materiau();
        m.emission =
                engine3d::CouleurRVBA{ float((c & 0xFF) / 255.0), float(((c >> 8) & 0xFF) / 255.0),
                                       float(((c >> 16) & 0xFF) / 255.0), m.emission.a };
        GLSpaceText1->definir_materiau(m);
        vue_3d->repeint_maintenant();
    } else if (Radio_fond->isChecked()) {
        vue_3d->definir_couleur_fond(c);
        vue_3d->repeint_maintenant();
    }
}

void TForm1::Ima_hgMouseDown()
{
    etat.couleur_gelee = true;
    Timer_reactive_coul->start();
}

void TForm1::Timer_reactive_coulTimer()
{
    Timer_reactive_coul->stop();
    etat.couleur_gelee = false;
}

} // namespace fantrel::app
