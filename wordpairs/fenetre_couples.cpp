#include "wordpairs/fenetre_couples.h"
#include "wordpairs/controles_couples.h"
#include "platform/fichier_texte.h"
#include "platform/liaison.h"
#include <QAction>
#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>

namespace fantrel::wordpairs {

TForm_choix_mots::TForm_choix_mots(const QString &repertoire, QWidget *parent)
    : QDialog(parent), m_repertoire(repertoire)
{
    setObjectName(QStringLiteral("Form_choix_mots"));
    construit_fenetre();
    Timer_debut = new QTimer(this);
    Timer_debut->setObjectName(QStringLiteral("Timer_debut"));
    Timer_debut->setInterval(1000);
    platform::relie(Timer_debut, &QTimer::timeout, this, &TForm_choix_mots::Timer_debutTimer);
    Timer_debut->start();
    relie_controles();
    relie_listes();
    relie_recherche();
    m_recherche.definir_filtres(filtres());
}

TForm_choix_mots::~TForm_choix_mots() = default;

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
    Edit_mot->setAccessibleName(QStringLiteral("Choisir un mot"));
    BitBtn2 = nomme(new QPushButton(QStringLiteral("OK"), this), "BitBtn2");
    BitBtn2->setEnabled(false);
    ligne_mot->addWidget(Edit_mot);
    ligne_mot->addWidget(BitBtn2);
    gauche->addLayout(ligne_mot);
    Check_s =
            case_cochee("Check_s", QStringLiteral("Sans les mots avec S final  différents"), this);
    Check_accent = case_cochee("Check_accent",
                               QStringLiteral("Sans les voyelles accentuées différentes"), this);
    check_non_der =
            case_cochee("check_non_der",
                        QStringLiteral("La différence ne porte pas sur la dernière lettre"), this);
    check_non_prem =
            case_cochee("check_non_prem",
                        QStringLiteral("La différence ne porte pas sur la première lettre"), this);
    Check_participes =
            case_cochee("Check_participes", QStringLiteral("Sans les participes présents"), this);
    for (QCheckBox *c : { Check_s, Check_accent, check_non_der, check_non_prem, Check_participes })
        gauche->addWidget(c);
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
    Label4 = etiquette_cachee("Label4", this, true);
    gauche->addWidget(Label4);
    gauche->addStretch();
    grille->addLayout(gauche, 0, 0, 5, 1);

    // The software's list, then the user's: each under its title and file buttons
    // and the path of its last file read, with its help below.
    auto colonne = [this, grille](int c, const QString &titre, QToolButton *sauver,
                                  QToolButton *lire, QLabel *fichier_lu, ListeMemo *memo,
                                  const QString &aide) {
        auto *ligne = new QHBoxLayout;
        ligne->addWidget(new QLabel(titre, this));
        // Read as the title above them; the buttons' list as their description.
        memo->setAccessibleName(titre);
        sauver->setAccessibleDescription(titre);
        lire->setAccessibleDescription(titre);
        ligne->addWidget(sauver);
        ligne->addWidget(lire);
        ligne->addStretch();
        grille->addLayout(ligne, 0, c);
        grille->addWidget(fichier_lu, 1, c);
        grille->addWidget(memo, 2, c);
        QLabel *aide_liste = etiquette_gras(aide, this);
        aide_liste->setWordWrap(true); // on two lines rather than widen the window
        grille->addWidget(aide_liste, 3, c);
    };
    const auto sauver = QStyle::SP_DialogSaveButton;
    const auto lire = QStyle::SP_DialogOpenButton;
    SpeedButton1 = bouton_fichier("SpeedButton1", QStringLiteral("Sauver"), sauver, this);
    SpeedButton2 = bouton_fichier("SpeedButton2", QStringLiteral("Lire"), lire, this);
    Lab_fic_mots_selectionnes = etiquette_chemin("Lab_fic_mots_selectionnes", this);
    Memo1 = liste("Memo1", QStringLiteral("Double click pour sélectionner un mot"), true, this);
    colonne(1, QStringLiteral("Mots sélectionnés par le logiciel"), SpeedButton1, SpeedButton2,
            Lab_fic_mots_selectionnes, Memo1,
            QStringLiteral("Double-click dans la liste pour les passer à droite"));

    auto *milieu = new QVBoxLayout;
    SpeedButton3 = bouton_selection("SpeedButton3", QStyle::SP_ArrowRight, this);
    SpeedButton4 = bouton_selection("SpeedButton4", QStyle::SP_ArrowLeft, this);
    SpeedButton3->setAccessibleDescription(QStringLiteral("Passer la sélection à droite"));
    SpeedButton4->setAccessibleDescription(QStringLiteral("Remettre la sélection à gauche"));
    milieu->addStretch();
    milieu->addWidget(SpeedButton3);
    milieu->addSpacing(40);
    milieu->addWidget(SpeedButton4);
    milieu->addStretch();
    grille->addLayout(milieu, 2, 2);

    Speed_sauve_select =
            bouton_fichier("Speed_sauve_select", QStringLiteral("Sauver"), sauver, this);
    Speed_charge_select = bouton_fichier("Speed_charge_select", QStringLiteral("Lire"), lire, this);
    Lab_fic_mots_choisis = etiquette_chemin("Lab_fic_mots_choisis", this);
    Memo3 = liste("Memo3", QStringLiteral("Double click pour enlever un mot"), false, this);
    colonne(3, QStringLiteral("Mots choisis par l'utilisateur"), Speed_sauve_select,
            Speed_charge_select, Lab_fic_mots_choisis, Memo3,
            QStringLiteral("Double-click dans la liste pour les remettre à gauche"));
    Label6 = etiquette_cachee("Label6", this, true);
    grille->addWidget(Label6, 4, 3);

    // The base.
    grille->addWidget(new QLabel(QStringLiteral("Tous les mots de la base de données"), this), 0,
                      4);
    Lab_fic_tous_les_mots = etiquette_chemin("Lab_fic_tous_les_mots", this);
    grille->addWidget(Lab_fic_tous_les_mots, 1, 4);
    Memo2 = liste_base("Memo2", this);
    Memo2->setAccessibleName(QStringLiteral("Tous les mots de la base de données"));
    grille->addWidget(Memo2, 2, 4);

    grille->setColumnStretch(1, 3);
    grille->setColumnStretch(3, 3);
    grille->setColumnStretch(4, 2);
    grille->setRowStretch(2, 1);
}

// --- Connections -------------------------------------------------------------------

void TForm_choix_mots::relie_controles()
{
    using Gestionnaire = void (TForm_choix_mots::*)();
    const std::pair<QAbstractButton *, Gestionnaire> boutons[] = {
        { BitBtn1, &TForm_choix_mots::BitBtn1Click },
        { BitBtn2, &TForm_choix_mots::BitBtn2Click },
        { STOP, &TForm_choix_mots::STOPClick },
        { SpeedButton1, &TForm_choix_mots::SpeedButton1Click },
        { SpeedButton2, &TForm_choix_mots::SpeedButton2Click },
        { SpeedButton3, &TForm_choix_mots::SpeedButton3Click },
        { SpeedButton4, &TForm_choix_mots::SpeedButton4Click },
        { Speed_sauve_select, &TForm_choix_mots::Speed_sauve_selectClick },
        { Speed_charge_select, &TForm_choix_mots::Speed_charge_selectClick },
    };
    for (const auto &[bouton, gestionnaire] : boutons)
        platform::relie(bouton, &QAbstractButton::clicked, this, gestionnaire);
    platform::relie(Sauver1, &QAction::triggered, this, &TForm_choix_mots::Sauver1Click);
    for (QCheckBox *c : { Check_s, Check_accent, check_non_der, check_non_prem, Check_participes })
        platform::relie(c, &QCheckBox::toggled, this,
                        [this] { m_recherche.definir_filtres(filtres()); });
    Edit_mot->installEventFilter(this);
    platform::relie(Memo1, &ListeMemo::appui, this, &TForm_choix_mots::Memo1MouseDown);
    platform::relie(Memo3, &ListeMemo::appui, this, &TForm_choix_mots::Memo3MouseDown);
    platform::relie(Memo1, &ListeMemo::double_clic, this, &TForm_choix_mots::Memo1DblClick);
    platform::relie(Memo3, &ListeMemo::double_clic, this, &TForm_choix_mots::Memo3DblClick);
}

// The boxes show the lists line by line; what the user types into his list goes
// back to the data.
void TForm_choix_mots::relie_listes()
{
    connect(&m_listes, &ListesCouples::logiciel_remplace, Memo1, &ListeMemo::remplace_tout);
    connect(&m_listes, &ListesCouples::logiciel_ajoute, Memo1, &ListeMemo::ajoute_lignes);
    connect(&m_listes, &ListesCouples::ligne_logiciel_changee, Memo1, &ListeMemo::remplace_ligne);
    connect(&m_listes, &ListesCouples::utilisateur_remplace, Memo3, &ListeMemo::remplace_tout);
    connect(&m_listes, &ListesCouples::utilisateur_ajoute, Memo3, &ListeMemo::ajoute_lignes);
    connect(&m_listes, &ListesCouples::ligne_utilisateur_supprimee, Memo3,
            &ListeMemo::supprime_ligne);
    connect(Memo3, &ListeMemo::saisie, &m_listes, &ListesCouples::saisie_utilisateur);
    connect(&m_listes, &ListesCouples::compte_logiciel, Label4,
            [this](int nombre) { montre_compte(Label4, nombre); });
    connect(&m_listes, &ListesCouples::compte_utilisateur, Label6,
            [this](int nombre) { montre_compte(Label6, nombre); });
    connect(&m_listes, &ListesCouples::logiciel_lu, Lab_fic_mots_selectionnes,
            [this](const QString &chemin) { montre_fichier(Lab_fic_mots_selectionnes, chemin); });
    connect(&m_listes, &ListesCouples::utilisateur_lu, Lab_fic_mots_choisis,
            [this](const QString &chemin) { montre_fichier(Lab_fic_mots_choisis, chemin); });
}

// A new search empties the software's list, the pairs found fill it, and its
// results are unsaved once it stops.
void TForm_choix_mots::relie_recherche()
{
    connect(&m_recherche, &RechercheEnTranches::demarree, &m_listes,
            [this] { m_listes.remplace_logiciel({}); });
    connect(&m_recherche, &RechercheEnTranches::demarree, this,
            &TForm_choix_mots::montre_demarrage);
    connect(&m_recherche, &RechercheEnTranches::couples_trouves, &m_listes,
            &ListesCouples::ajoute_trouves);
    connect(&m_recherche, &RechercheEnTranches::progression, this,
            &TForm_choix_mots::montre_progression);
    connect(&m_recherche, &RechercheEnTranches::reprise, this, &TForm_choix_mots::montre_etat);
    for (auto arret : { &RechercheEnTranches::mise_en_pause, &RechercheEnTranches::terminee }) {
        connect(&m_recherche, arret, this, &TForm_choix_mots::montre_arret);
        connect(&m_recherche, arret, &m_listes, &ListesCouples::recherche_arretee);
    }
}

// --- Handlers ------------------------------------------------------------------------

void TForm_choix_mots::Timer_debutTimer()
{
    Timer_debut->stop();
    if (boutons_longueur[1])
        return;
    for (int n = 1; n <= 15; ++n) {
        auto *bouton =
                new QRadioButton(QString::number(n) + QStringLiteral(" lettre(s)"), Group_radio);
        bouton->setObjectName(QStringLiteral("boutons_longueur%1").arg(n));
        // NOTE: 100 wide rather than 80, which cuts "10 lettre(s)" short in today's fonts.
        bouton->setGeometry(5, 20 * n, 100, 20);
        bouton->setProperty("tag", n);
        bouton->setEnabled(n >= 4);
        bouton->installEventFilter(this);
        platform::relie(bouton, &QRadioButton::toggled, this,
                        [this] { m_recherche.definir_longueur_cochee(longueur_cochee()); });
        bouton->show();
        boutons_longueur[std::size_t(n)] = bouton;
    }
}

void TForm_choix_mots::BitBtn1Click()
{
    if (focusWidget() == Edit_mot) {
        BitBtn2Click();
        return;
    }
    if (m_recherche.en_cours())
        return;
    // Read the base first: a base that cannot be read keeps the pairs found before.
    charge_base();
    m_recherche.demarre_classe(m_base, longueur_cochee());
}

void TForm_choix_mots::BitBtn2Click()
{
    if (Edit_mot->text().isEmpty() || m_recherche.en_cours())
        return;
    charge_base();
    Edit_mot->setText(minuscules_az(Edit_mot->text()));
    coche_seulement(int(Edit_mot->text().size()));
    BitBtn1->setFocus();
    m_recherche.demarre_mot(m_base, Edit_mot->text());
}

void TForm_choix_mots::Memo1DblClick()
{
    if (m_listes.choisit(Memo1->texte_retenu()))
        Memo1->curseur_au_debut_retenu();
}

void TForm_choix_mots::Memo3DblClick()
{
    if (m_listes.rend(Memo3->texte_retenu()) && Memo3->nb_lignes() > 0)
        Memo3->curseur_au_debut_retenu();
}

void TForm_choix_mots::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

bool TForm_choix_mots::eventFilter(QObject *objet, QEvent *evenement)
{
    const auto type = evenement->type();
    const bool appui = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (objet == Edit_mot && (appui || type == QEvent::KeyPress)) {
        m_bitbtn2_voulu = true; // Edit_motKeyDown, Edit_motMouseDown
        montre_etat();
    } else if (appui && qobject_cast<QRadioButton *>(objet)) {
        m_bitbtn2_voulu = false; // RadioButton1MouseDown
        montre_etat();
    }
    return QDialog::eventFilter(objet, evenement);
}

// --- What the controls show -----------------------------------------------------------

void TForm_choix_mots::charge_base()
{
    const QString chemin = m_repertoire + QStringLiteral("/tout.txt");
    QStringList lignes = platform::lire_lignes(chemin);
    // The base rarely changes between two searches: keep the list shown as it is.
    if (lignes != m_base.lignes) {
        m_base = BaseMots(std::move(lignes));
        static_cast<QStringListModel *>(Memo2->model())->setStringList(m_base.lignes);
    }
    montre_fichier(Lab_fic_tous_les_mots, chemin);
}

// NOTE: unchecking every button of an exclusive group needs the exclusivity off.
void TForm_choix_mots::coche_seulement(int longueur)
{
    for (QRadioButton *bouton : boutons_longueur) {
        if (!bouton)
            continue;
        bouton->setAutoExclusive(false);
        bouton->setChecked(false);
        bouton->setAutoExclusive(true);
    }
    if (longueur <= 15 && boutons_longueur[std::size_t(longueur)])
        boutons_longueur[std::size_t(longueur)]->setChecked(true);
}

int TForm_choix_mots::longueur_cochee() const
{
    for (int n = 1; n <= 15; ++n)
        if (boutons_longueur[std::size_t(n)] && boutons_longueur[std::size_t(n)]->isChecked())
            return n;
    return 0;
}

Filtres TForm_choix_mots::filtres() const
{
    return { Check_s->isChecked(), Check_accent->isChecked(), check_non_der->isChecked(),
             check_non_prem->isChecked(), Check_participes->isChecked() };
}

// STOP, its caption and the two "OK" as the search stands: idle, running or paused.
void TForm_choix_mots::montre_etat()
{
    const RechercheEnTranches::Etat etat = m_recherche.etat();
    STOP->setText(etat == RechercheEnTranches::Etat::en_pause ? QStringLiteral("REPRENDRE")
                                                              : QStringLiteral("STOP"));
    STOP->setEnabled(etat != RechercheEnTranches::Etat::inactive);
    BitBtn1->setEnabled(etat != RechercheEnTranches::Etat::en_cours);
    BitBtn2->setEnabled(m_bitbtn2_voulu && etat != RechercheEnTranches::Etat::en_cours);
}

void TForm_choix_mots::montre_demarrage(int ligne_debut, int ligne_fin)
{
    Lab_prem_mot->setText(QString::number(ligne_debut));
    Lab_fin_mot->setText(QString::number(ligne_fin));
    montre_etat();
}

void TForm_choix_mots::montre_progression(int position, int maximum)
{
    ProgressBar1->setMaximum(std::max(1, maximum)); // 0 would make it a busy indicator
    ProgressBar1->setValue(position);
}

// After a single word, the caret goes back after the word.
void TForm_choix_mots::montre_arret()
{
    montre_etat();
    if (m_recherche.mot_seul()) {
        Edit_mot->setFocus();
        Edit_mot->deselect();
        Edit_mot->setCursorPosition(int(Edit_mot->text().size()));
    }
}

} // namespace fantrel::wordpairs
