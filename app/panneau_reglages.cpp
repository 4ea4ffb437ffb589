#include "app/panneau_reglages.h"
#include "app/groupe_clavier.h"
#include "app/fabrique_controles.h"
#include "app/groupe_photodiode.h"
#include "app/groupe_radio.h"
#include "app/nuancier.h"
#include "app/texte_duree.h"
#include "platform/liaison.h"
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <array>

namespace fantrel::app {

namespace {

QString duree_ms(int ms)
{
    return QString::number(ms) + QStringLiteral(" ms");
}

// Three decimals and a "." whatever the regional settings.
QString echelle_texte(double v)
{
    return QString::asprintf("%5.3f", v).trimmed();
}

} // namespace

PanneauReglages::PanneauReglages(QWidget *parent) : QGroupBox(QStringLiteral("Réglages"), parent)
{
    setObjectName(QStringLiteral("GroupBox1"));
    setGeometry(68, 14, 592, 512);
    QPalette gris = palette();
    gris.setColor(QPalette::Window, QColor(201, 201, 201));
    setPalette(gris);
    hide();

    construit_fichier();
    construit_korvane();
    construit_taille();
    construit_couleur();
    construit_morbelle();
    construit_musique();

    BitBtn4 = bouton(this, "BitBtn4", QStringLiteral("OK"), QRect(404, 362, 80, 25));
    BitBtn3 = bouton(this, "BitBtn3", QStringLiteral("Annuler"), QRect(492, 362, 80, 25));
    photodiode = new GroupePhotodiode(this);
    photodiode->setGeometry(8, 392, 576, 26);
    Lab_ecran = etiquette(this, texte_ecran(std::nullopt), QPoint(8, 426), "Lab_ecran");
    Lab_ecran->setAccessibleDescription(QStringLiteral("Rafraîchissement de l'écran"));
    Group_clavier = new GroupeClavier(this);
    Group_clavier->setGeometry(8, 446, 576, 62);

    Timer_reactive_coul = new QTimer(this);
    Timer_reactive_coul->setObjectName(QStringLiteral("Timer_reactive_coul"));
    Timer_reactive_coul->setInterval(1000);
    platform::relie(Timer_reactive_coul, &QTimer::timeout, this,
                    &PanneauReglages::Timer_reactive_coulTimer);
}

void PanneauReglages::construit_fichier()
{
    etiquette(this, QStringLiteral("Fichier de mots"), QPoint(8, 20));
    Edit1 = champ(this, "Edit1", QStringLiteral(".\\machin.liste_fantrel"), QRect(8, 36, 330, 21),
                  QStringLiteral("Fichier de mots"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton1->setGeometry(344, 34, 25, 25);
    SpeedButton1->setAccessibleName(QStringLiteral("Ouvrir un exercice"));
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setText(QStringLiteral("X"));
    SpeedButton3->setGeometry(568, 4, 18, 18);
    SpeedButton3->setAccessibleDescription(QStringLiteral("Fermer les réglages"));
}

void PanneauReglages::construit_korvane()
{
    QGroupBox *korvane =
            groupe(this, "GroupBox2", QStringLiteral("Test de Korvane"), QRect(8, 62, 268, 96));
    etiquette(korvane, QStringLiteral("Timer"), QPoint(8, 20));
    Scroll_timer =
            barre(korvane, "Scroll_timer", 100, 0, QRect(44, 20, 136, 16), QStringLiteral("Timer"));
    etiquette(korvane, QStringLiteral("Intervalle:"), QPoint(8, 42));
    Lab_intervalle_timer = etiquette(korvane, QStringLiteral("Lab_intervalle_timer"),
                                     QPoint(70, 42), "Lab_intervalle_timer");
    Lab_intervalle_timer->setMinimumWidth(100);
    m_texte_intervalle = Lab_intervalle_timer->text();
    etiquette(korvane, QStringLiteral("Mire"), QPoint(8, 66));
    Edit_masque = champ(korvane, "Edit_masque", QStringLiteral("*****"), QRect(44, 62, 92, 21),
                        QStringLiteral("Mire"));
    SpeedButton2 = new QToolButton(korvane);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("test"));
    SpeedButton2->setGeometry(140, 62, 40, 21);
    platform::relie(Scroll_timer, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_timerChange);
}

void PanneauReglages::construit_taille()
{
    QGroupBox *taille =
            groupe(this, "GroupBox4", QStringLiteral("Taille du texte"), QRect(284, 62, 300, 96));
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
    platform::relie(Scroll_hauteur, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_hauteurChange);
    platform::relie(Scroll_largeur, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_largeurChange);
}

void PanneauReglages::construit_couleur()
{
    QGroupBox *couleur =
            groupe(this, "GroupBox5", QStringLiteral("Couleur du texte"), QRect(8, 162, 268, 76));
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
    platform::relie(Ima_hg, &Nuancier::deplace, this, &PanneauReglages::Ima_hgMouseMove);
    platform::relie(Ima_hg, &Nuancier::appui, this, &PanneauReglages::Ima_hgMouseDown);
}

void PanneauReglages::construit_morbelle()
{
    QGroupBox *morbelle = groupe(this, "GroupBox6", QStringLiteral("Test de Morbelle"),
                                 QRect(284, 162, 300, 190));
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
    platform::relie(Scroll_masque1, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_masque1Change);
    platform::relie(Scroll_mot, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_motChange);
    platform::relie(Scroll_blanc, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_blancChange);
    platform::relie(Scroll_masque2, &QScrollBar::valueChanged, this,
                    &PanneauReglages::Scroll_masque2Change);
    auto masques = [this] {
        emit masques_morbelle_changes(Edit_masque1->text(), Edit_masque2->text());
    };
    connect(Edit_masque1, &QLineEdit::textChanged, this, masques);
    connect(Edit_masque2, &QLineEdit::textChanged, this, masques);
}

void PanneauReglages::construit_musique()
{
    QGroupBox *musique = groupe(this, "GroupBox7", QStringLiteral("Incongruité musicale"),
                                QRect(8, 242, 268, 146));
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
}

music::ReglagesMusique PanneauReglages::reglages_musique(const QStringList &melodies) const
{
    return { Edit3->text(), melodies, Edit_incongru->text(), Radio_incongru->index_choisi() };
}

QString PanneauReglages::fichier_exercice() const
{
    return Edit1->text();
}

void PanneauReglages::definir_fichier_exercice(const QString &nom)
{
    Edit1->setText(nom);
}

QString PanneauReglages::masque() const
{
    return Edit_masque->text();
}

void PanneauReglages::definir_masque(const QString &masque)
{
    Edit_masque->setText(masque);
}

void PanneauReglages::montre_exposition(int ms)
{
    definir_texte_intervalle(QString::number(ms) + QStringLiteral(" ms"));
    Scroll_timer->setValue(std::clamp(ms, Scroll_timer->minimum(), Scroll_timer->maximum()));
}

void PanneauReglages::Scroll_timerChange()
{
    definir_texte_intervalle(duree_ms(Scroll_timer->value()));
    emit intervalle_change(Scroll_timer->value());
}

void PanneauReglages::definir_texte_intervalle(const QString &texte)
{
    m_texte_intervalle = texte;
    Lab_intervalle_timer->setText(texte_duree(texte, m_periode_ms, false));
    Lab_intervalle_timer->adjustSize();
}

void PanneauReglages::definir_ecran(std::optional<double> periode_ms)
{
    m_periode_ms = periode_ms;
    Lab_ecran->setText(texte_ecran(periode_ms));
    Lab_ecran->adjustSize();
    affiche_durees();
}

void PanneauReglages::affiche_durees()
{
    definir_texte_intervalle(m_texte_intervalle);
    const std::array phases{ std::pair{ Scroll_masque1, Lab_interv_masque1 },
                             std::pair{ Scroll_mot, Lab_interv_figure },
                             std::pair{ Scroll_blanc, Lab_interv_blanc },
                             std::pair{ Scroll_masque2, Lab_interv_masque2 } };
    for (const auto &[barre, etiquette] : phases) {
        etiquette->setText(texte_duree(duree_ms(barre->value()), m_periode_ms, true));
        etiquette->adjustSize();
    }
}

void PanneauReglages::Scroll_hauteurChange()
{
    const double v = Scroll_hauteur->value() / 100.0;
    Lab_hauteur->setText(echelle_texte(v));
    emit hauteur_change(v);
}

void PanneauReglages::Scroll_largeurChange()
{
    const double v = Scroll_largeur->value() / 100.0;
    Lab_largeur->setText(echelle_texte(v));
    emit largeur_change(v);
}

void PanneauReglages::duree_phase(int phase, QScrollBar *barre, QLabel *etiquette)
{
    etiquette->setText(texte_duree(duree_ms(barre->value()), m_periode_ms, true));
    etiquette->adjustSize();
    emit duree_phase_change(phase, barre->value());
}

void PanneauReglages::Scroll_masque1Change()
{
    duree_phase(0, Scroll_masque1, Lab_interv_masque1);
}

void PanneauReglages::Scroll_motChange()
{
    duree_phase(1, Scroll_mot, Lab_interv_figure);
}

void PanneauReglages::Scroll_blancChange()
{
    duree_phase(2, Scroll_blanc, Lab_interv_blanc);
}

void PanneauReglages::Scroll_masque2Change()
{
    duree_phase(3, Scroll_masque2, Lab_interv_masque2);
}

void PanneauReglages::Ima_hgMouseMove(QPoint pixel)
{
    if (m_couleur_gelee)
        return;
    const std::int32_t c = Ima_hg->couleur_pixel(pixel);
    if (Radio_texte->isChecked())
        emit couleur_texte_choisie(c);
    else if (Radio_fond->isChecked())
        emit couleur_fond_choisie(c);
}

void PanneauReglages::Ima_hgMouseDown()
{
    m_couleur_gelee = true;
    Timer_reactive_coul->start();
}

void PanneauReglages::Timer_reactive_coulTimer()
{
    Timer_reactive_coul->stop();
    m_couleur_gelee = false;
}

} // namespace fantrel::app
