// The layout of the word-pair window: the search controls on the left, then the
// software's list, the two "Sélection" buttons, the user's list and the base.
#include "wordpairs/fenetre_couples.h"
#include "wordpairs/liste_memo.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <QToolButton>

namespace fantrel::wordpairs {

namespace {

template<class T>
T *nomme(T *controle, const char *nom)
{
    controle->setObjectName(QLatin1String(nom));
    return controle;
}

QLabel *etiquette_gras(const QString &texte, QWidget *parent, bool rouge = false)
{
    auto *label = new QLabel(texte, parent);
    QFont police = label->font();
    police.setBold(true);
    label->setFont(police);
    if (rouge) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(palette);
    }
    return label;
}

QToolButton *bouton_fichier(const char *nom, const QString &bulle, QStyle::StandardPixmap image,
                            QWidget *parent)
{
    auto *bouton = nomme(new QToolButton(parent), nom);
    bouton->setToolTip(bulle);
    bouton->setIcon(parent->style()->standardIcon(image));
    return bouton;
}

ListeMemo *liste(const char *nom, const QString &bulle, bool lecture_seule, QWidget *parent)
{
    auto *memo = nomme(new ListeMemo(parent), nom);
    memo->setToolTip(bulle);
    memo->setReadOnly(lecture_seule);
    if (lecture_seule) {
        memo->setUndoRedoEnabled(false);
        memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    if (!bulle.isEmpty())
        memo->viewport()->setCursor(Qt::PointingHandCursor);
    return memo;
}

} // namespace

void TForm_choix_mots::construit_fenetre()
{
    setWindowTitle(QStringLiteral("Choix des couples de mots"));
    resize(1250, 720);
    auto *grille = new QGridLayout(this);

    auto *barre_menus = new QMenuBar(this);
    QMenu *fichier = barre_menus->addMenu(QStringLiteral("Fichier"));
    fichier->setObjectName(QStringLiteral("Fichier1"));
    Sauver1 = nomme(fichier->addAction(QStringLiteral("Sauver les mots trouvés")), "Sauver1");
    grille->setMenuBar(barre_menus);

    // Left: the search.
    auto *gauche = new QVBoxLayout;
    Group_radio = nomme(new QGroupBox(QStringLiteral("Trier des mots"), this), "Group_radio");
    Group_radio->setFixedSize(190, 20 * 16 + 40);
    BitBtn1 = nomme(new QPushButton(QStringLiteral("OK"), Group_radio), "BitBtn1");
    BitBtn1->setGeometry(115, 20 * 15, 65, 28);
    BitBtn1->setDefault(true);
    gauche->addWidget(Group_radio);
    gauche->addWidget(new QLabel(QStringLiteral("Choisir un mot"), this));
    auto *ligne_mot = new QHBoxLayout;
    Edit_mot = nomme(new QLineEdit(this), "Edit_mot");
    BitBtn2 = nomme(new QPushButton(QStringLiteral("OK"), this), "BitBtn2");
    BitBtn2->setEnabled(false);
    ligne_mot->addWidget(Edit_mot);
    ligne_mot->addWidget(BitBtn2);
    gauche->addLayout(ligne_mot);
    auto case_cochee = [this, gauche](const char *nom, const QString &texte) {
        auto *c = nomme(new QCheckBox(texte, this), nom);
        c->setChecked(true);
        gauche->addWidget(c);
        return c;
    };
    Check_s = case_cochee("Check_s", QStringLiteral("Sans les mots avec S final  différents"));
    Check_accent =
            case_cochee("Check_accent", QStringLiteral("Sans les voyelles accentuées différentes"));
    check_non_der = case_cochee(
            "check_non_der", QStringLiteral("La différence ne porte pas sur la dernière lettre"));
    check_non_prem = case_cochee(
            "check_non_prem", QStringLiteral("La différence ne porte pas sur la première lettre"));
    Check_participes =
            case_cochee("Check_participes", QStringLiteral("Sans les participes présents"));
    ProgressBar1 = nomme(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    gauche->addWidget(ProgressBar1);
    STOP = nomme(new QPushButton(QStringLiteral("STOP"), this), "STOP");
    STOP->setEnabled(false);
    STOP->setAutoDefault(false);
    gauche->addWidget(STOP);
    auto *lignes_classe = new QHBoxLayout;
    Lab_prem_mot = nomme(new QLabel(QStringLiteral("Début"), this), "Lab_prem_mot");
    Lab_fin_mot = nomme(new QLabel(QStringLiteral("Fin"), this), "Lab_fin_mot");
    lignes_classe->addWidget(Lab_prem_mot);
    lignes_classe->addWidget(Lab_fin_mot);
    gauche->addLayout(lignes_classe);
    Label4 = nomme(etiquette_gras(QString(), this, true), "Label4");
    Label4->hide();
    gauche->addWidget(Label4);
    gauche->addStretch();
    grille->addLayout(gauche, 0, 0, 5, 1);

    // The software's list.
    auto *titre1 = new QHBoxLayout;
    titre1->addWidget(new QLabel(QStringLiteral("Mots sélectionnés par le logiciel"), this));
    SpeedButton1 = bouton_fichier("SpeedButton1", QStringLiteral("Sauver"),
                                  QStyle::SP_DialogSaveButton, this);
    SpeedButton2 = bouton_fichier("SpeedButton2", QStringLiteral("Lire"),
                                  QStyle::SP_DialogOpenButton, this);
    titre1->addWidget(SpeedButton1);
    titre1->addWidget(SpeedButton2);
    titre1->addStretch();
    grille->addLayout(titre1, 0, 1);
    Lab_fic_mots_selectionnes = nomme(new QLabel(this), "Lab_fic_mots_selectionnes");
    Lab_fic_mots_selectionnes->hide();
    grille->addWidget(Lab_fic_mots_selectionnes, 1, 1);
    Memo1 = liste("Memo1", QStringLiteral("Double click pour sélectionner un mot"), true, this);
    grille->addWidget(Memo1, 2, 1);
    grille->addWidget(
            etiquette_gras(QStringLiteral("Double-click dans la liste pour les passer à droite"),
                           this),
            3, 1);

    // The two "Sélection" buttons between the lists.
    auto *milieu = new QVBoxLayout;
    auto selection = [this](const char *nom, QStyle::StandardPixmap image) {
        auto *b = nomme(new QToolButton(this), nom);
        b->setText(QStringLiteral("Sélection"));
        b->setIcon(style()->standardIcon(image));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        return b;
    };
    SpeedButton3 = selection("SpeedButton3", QStyle::SP_ArrowRight);
    SpeedButton4 = selection("SpeedButton4", QStyle::SP_ArrowLeft);
    milieu->addStretch();
    milieu->addWidget(SpeedButton3);
    milieu->addSpacing(40);
    milieu->addWidget(SpeedButton4);
    milieu->addStretch();
    grille->addLayout(milieu, 2, 2);

    // The user's list.
    auto *titre3 = new QHBoxLayout;
    titre3->addWidget(new QLabel(QStringLiteral("Mots choisis par l'utilisateur"), this));
    Speed_sauve_select = bouton_fichier("Speed_sauve_select", QStringLiteral("Sauver"),
                                        QStyle::SP_DialogSaveButton, this);
    Speed_charge_select = bouton_fichier("Speed_charge_select", QStringLiteral("Lire"),
                                         QStyle::SP_DialogOpenButton, this);
    titre3->addWidget(Speed_sauve_select);
    titre3->addWidget(Speed_charge_select);
    titre3->addStretch();
    grille->addLayout(titre3, 0, 3);
    Lab_fic_mots_choisis = nomme(new QLabel(this), "Lab_fic_mots_choisis");
    Lab_fic_mots_choisis->hide();
    grille->addWidget(Lab_fic_mots_choisis, 1, 3);
    Memo3 = liste("Memo3", QStringLiteral("Double click pour enlever un mot"), false, this);
    grille->addWidget(Memo3, 2, 3);
    grille->addWidget(
            etiquette_gras(QStringLiteral("Double-click dans la liste pour les remettre à gauche"),
                           this),
            3, 3);
    Label6 = nomme(etiquette_gras(QString(), this, true), "Label6");
    Label6->hide();
    grille->addWidget(Label6, 4, 3);

    // The base.
    grille->addWidget(new QLabel(QStringLiteral("Tous les mots de la base de données"), this), 0,
                      4);
    Lab_fic_tous_les_mots = nomme(new QLabel(this), "Lab_fic_tous_les_mots");
    Lab_fic_tous_les_mots->hide();
    grille->addWidget(Lab_fic_tous_les_mots, 1, 4);
    Memo2 = nomme(new QListView(this), "Memo2");
    Memo2->setUniformItemSizes(true);
    Memo2->setWordWrap(false);
    Memo2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setModel(new QStringListModel(Memo2));
    grille->addWidget(Memo2, 2, 4);

    grille->setColumnStretch(1, 3);
    grille->setColumnStretch(3, 3);
    grille->setColumnStretch(4, 2);
    grille->setRowStretch(2, 1);
}

} // namespace fantrel::wordpairs
