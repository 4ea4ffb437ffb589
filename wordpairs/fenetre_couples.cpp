#include "wordpairs/fenetre_couples.h"
#include "platform/liaison.h"
#include "wordpairs/liste_memo.h"
#include "wordpairs/recherche.h"
#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace fantrel::wordpairs {

namespace {

constexpr int largeur_bouton_longueur = 100;

} // namespace

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

    m_tranche = new QTimer(this);
    m_tranche->setSingleShot(true);
    m_tranche->setInterval(0);
    platform::relie(m_tranche, &QTimer::timeout, this, &TForm_choix_mots::recherche);

    platform::relie(BitBtn1, &QPushButton::clicked, this, &TForm_choix_mots::BitBtn1Click);
    platform::relie(BitBtn2, &QPushButton::clicked, this, &TForm_choix_mots::BitBtn2Click);
    platform::relie(STOP, &QPushButton::clicked, this, &TForm_choix_mots::STOPClick);
    for (QCheckBox *c : { Check_s, Check_accent, check_non_der, check_non_prem, Check_participes })
        platform::relie(c, &QCheckBox::toggled, this, &TForm_choix_mots::maj_filtres);
    Edit_mot->installEventFilter(this);

    platform::relie(Memo1, &ListeMemo::appui, this, &TForm_choix_mots::Memo1MouseDown);
    platform::relie(Memo3, &ListeMemo::appui, this, &TForm_choix_mots::Memo3MouseDown);
    platform::relie(Memo1, &ListeMemo::double_clic, this, &TForm_choix_mots::Memo1DblClick);
    platform::relie(Memo3, &ListeMemo::double_clic, this, &TForm_choix_mots::Memo3DblClick);
    connect(Memo3->document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_ecriture_memo3)
            liste_modifiee = true;
    });
    platform::relie(SpeedButton3, &QToolButton::clicked, this,
                    &TForm_choix_mots::SpeedButton3Click);
    platform::relie(SpeedButton4, &QToolButton::clicked, this,
                    &TForm_choix_mots::SpeedButton4Click);
    platform::relie(Speed_sauve_select, &QToolButton::clicked, this,
                    &TForm_choix_mots::Speed_sauve_selectClick);
    platform::relie(Speed_charge_select, &QToolButton::clicked, this,
                    &TForm_choix_mots::Speed_charge_selectClick);
    platform::relie(SpeedButton1, &QToolButton::clicked, this,
                    &TForm_choix_mots::SpeedButton1Click);
    platform::relie(SpeedButton2, &QToolButton::clicked, this,
                    &TForm_choix_mots::SpeedButton2Click);
    platform::relie(Sauver1, &QAction::triggered, this, &TForm_choix_mots::Sauver1Click);
}

TForm_choix_mots::~TForm_choix_mots() = default;

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
        bouton->setGeometry(5, 20 * n, largeur_bouton_longueur, 20);
        bouton->setProperty("tag", n);
        bouton->setEnabled(n >= 4);
        bouton->installEventFilter(this);
        platform::relie(bouton, &QRadioButton::toggled, this,
                        &TForm_choix_mots::maj_longueur_cochee);
        bouton->show();
        boutons_longueur[std::size_t(n)] = bouton;
    }
}

bool TForm_choix_mots::eventFilter(QObject *objet, QEvent *evenement)
{
    const auto type = evenement->type();
    const bool appui = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (objet == Edit_mot && (appui || type == QEvent::KeyPress)) {
        m_bitbtn2_voulu = true; // Edit_motKeyDown, Edit_motMouseDown
        maj_bitbtn2();
    } else if (appui && qobject_cast<QRadioButton *>(objet)) {
        m_bitbtn2_voulu = false; // RadioButton1MouseDown
        maj_bitbtn2();
    }
    return QDialog::eventFilter(objet, evenement);
}

void TForm_choix_mots::maj_bitbtn2()
{
    BitBtn2->setEnabled(m_bitbtn2_voulu && !recherche_en_cours());
}

Filtres TForm_choix_mots::filtres() const
{
    return { Check_s->isChecked(), Check_accent->isChecked(), check_non_der->isChecked(),
             check_non_prem->isChecked(), Check_participes->isChecked() };
}

void TForm_choix_mots::maj_filtres()
{
    if (m_recherche)
        m_recherche->definir_filtres(filtres());
}

int TForm_choix_mots::longueur_cochee() const
{
    for (int n = 1; n <= 15; ++n)
        if (boutons_longueur[std::size_t(n)] && boutons_longueur[std::size_t(n)]->isChecked())
            return n;
    return 0;
}

void TForm_choix_mots::maj_longueur_cochee()
{
    if (m_recherche)
        m_recherche->definir_longueur_cochee(longueur_cochee());
}

void TForm_choix_mots::affiche_nb_choisis()
{
    Label6->setText(QString::number(Memo3->nb_lignes()) + QStringLiteral(" couples"));
    Label6->show();
}

void TForm_choix_mots::reject()
{
    if (FormCloseQuery())
        QDialog::reject();
}

} // namespace fantrel::wordpairs
