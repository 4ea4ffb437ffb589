#include "app/commandes_essai.h"
#include "app/clavier_reponses.h"
#include "app/fabrique_controles.h"
#include "platform/serveur_affichage.h"
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace fantrel::app {

namespace {
const QPoint place_je_ne_sais_pas(709, 485);
}

CommandesEssai::CommandesEssai(const trials::EtatPartage &etat, QWidget *centre)
    : QObject(centre), m_etat(etat), m_centre(centre)
{
    BitBtn2 = bouton(centre, "BitBtn2",
                     QStringLiteral("Concentrez vous sur le leurre et cliquez ici"),
                     QRect(438, 485, 217, 22));
    BitBtn2->setEnabled(false);
    // The caption must fit the button's 217 pixels whatever the substitute font's widths.
    QFont police_depart = centre->font();
    police_depart.setPixelSize(10);
    BitBtn2->setFont(police_depart);

    QFont police_reponse(QStringLiteral("Courier New"));
    police_reponse.setPixelSize(19);
    police_reponse.setBold(true);
    bit_rep1 = bouton(centre, "bit_rep1", QString(), QRect(389, 485, 148, 25));
    bit_rep2 = bouton(centre, "bit_rep2", QString(), QRect(555, 485, 148, 25));
    Bit_rep3 = bouton(centre, "Bit_rep3", QStringLiteral("?"),
                      QRect(place_je_ne_sais_pas, QSize(27, 25)));
    for (QPushButton *b : { bit_rep1, bit_rep2, Bit_rep3 }) {
        b->setFont(police_reponse);
        b->hide();
        b->installEventFilter(this);
    }
    // Read by their captions (the words, "C'était juste"…); their roles come after.
    bit_rep1->setAccessibleDescription(QStringLiteral("Réponse gauche"));
    bit_rep2->setAccessibleDescription(QStringLiteral("Réponse droite"));
    Bit_rep3->setAccessibleDescription(QStringLiteral("Je ne sais pas"));

    Edit_saisie_libre = new QLineEdit(centre);
    Edit_saisie_libre->setObjectName(QStringLiteral("Edit_saisie_libre"));
    Edit_saisie_libre->setGeometry(475, 495, 144, 32);
    QFont police_saisie(QStringLiteral("MS Sans Serif"));
    police_saisie.setPixelSize(19);
    Edit_saisie_libre->setFont(police_saisie);
    Edit_saisie_libre->setAccessibleName(QStringLiteral("Mot vu"));
    Edit_saisie_libre->hide();

    BitBtn5 =
            bouton(centre, "BitBtn5", QStringLiteral("BitBtn_morbelle"), QRect(368, 552, 337, 41));
    BitBtn5->hide();

    BitBtn_ecoute =
            bouton(centre, "BitBtn_ecoute", QStringLiteral("Cliquez ici pour écouter la mélodie"),
                   QRect(392, 304, 304, 145));
    QFont police_ecoute = centre->font();
    police_ecoute.setPointSize(12);
    police_ecoute.setBold(true);
    BitBtn_ecoute->setFont(police_ecoute);
    BitBtn_ecoute->hide();

    lab_mot_aff = etiquette(centre, QStringLiteral("Mot affiché"), QPoint(32, 636), "lab_mot_aff");
    Lab_bid = etiquette(centre, QStringLiteral("Réponse"), QPoint(109, 636), "Lab_bid");
    lab_mot_aff->hide();
    Lab_bid->hide();
}

bool CommandesEssai::eventFilter(QObject *cible, QEvent *evenement)
{
    if (evenement->type() == QEvent::MouseButtonPress)
        m_clic = trials::ActeReponse{ instant_evenement(static_cast<QMouseEvent *>(evenement)->timestamp()),
                   trials::FaconReponse::boutons };
    return QObject::eventFilter(cible, evenement);
}

trials::ActeReponse CommandesEssai::prend_acte_clic()
{
    const trials::ActeReponse acte = m_clic.value_or(trials::ActeReponse{});
    m_clic.reset();
    return acte;
}

bool CommandesEssai::musical() const
{
    return m_etat.test == trials::TestEssai::musique;
}

void CommandesEssai::permet_depart()
{
    BitBtn2->setEnabled(true);
    if (!musical())
        BitBtn2->show();
}

void CommandesEssai::permet_ecoute()
{
    BitBtn_ecoute->setEnabled(true);
}

void CommandesEssai::montre_test()
{
    if (musical()) {
        BitBtn2->hide();
        BitBtn_ecoute->show();
        bit_rep1->setText(QStringLiteral("C'était juste"));
        bit_rep2->setText(QStringLiteral("C'était faux"));
    } else {
        BitBtn_ecoute->hide();
        BitBtn2->show();
    }
}

void CommandesEssai::cache_reponses()
{
    bit_rep1->setText(QString());
    bit_rep2->setText(QString());
    for (QWidget *w :
         std::initializer_list<QWidget *>{ bit_rep1, bit_rep2, Bit_rep3, Edit_saisie_libre })
        w->hide();
}

void CommandesEssai::essai_commence()
{
    BitBtn2->hide();
    m_centre->window()->repaint();
}

void CommandesEssai::mot_choisi(const QString &montre)
{
    lab_mot_aff->setText(montre);
    lab_mot_aff->adjustSize();
    Lab_bid->setText(QString());
}

void CommandesEssai::montre_propositions(const QString &gauche, const QString &droite)
{
    bit_rep1->setText(gauche);
    bit_rep2->setText(droite);
    Bit_rep3->move(place_je_ne_sais_pas);
    bit_rep1->show();
    bit_rep2->show();
    Bit_rep3->show();
    // Painted now, and on screen when this returns: the response time starts then.
    m_centre->window()->repaint();
    platform::attend_serveur_affichage();
}

void CommandesEssai::montre_saisie()
{
    Edit_saisie_libre->clear();
    Edit_saisie_libre->show();
    Bit_rep3->move(Edit_saisie_libre->x() + Edit_saisie_libre->width() + 10,
                   Edit_saisie_libre->y() + 4);
    Bit_rep3->show();
    m_centre->window()->repaint();
    platform::attend_serveur_affichage();
    Edit_saisie_libre->setFocus();
}

void CommandesEssai::cache_boutons()
{
    cache_reponses();
    BitBtn2->show();
    m_centre->window()->repaint();
}

void CommandesEssai::liste_finie()
{
    BitBtn2->setEnabled(false);
    BitBtn2->repaint();
}

void CommandesEssai::affich_bid(bool verdict)
{
    Lab_bid->setText(verdict ? QStringLiteral("Bonne réponse") : QStringLiteral("Pas bon"));
    Lab_bid->adjustSize();
}

void CommandesEssai::melodie_tiree(const QString &etiquette)
{
    lab_mot_aff->setText(etiquette);
}

void CommandesEssai::montre_reponses_musique()
{
    bit_rep1->setText(QStringLiteral("C'était juste"));
    bit_rep2->setText(QStringLiteral("C'était faux"));
    bit_rep1->show();
    bit_rep2->show();
    m_centre->window()->repaint(); // painted and on screen: the response time starts after it
    platform::attend_serveur_affichage();
}

void CommandesEssai::cache_reponses_musique()
{
    bit_rep1->hide();
    bit_rep2->hide();
}

} // namespace fantrel::app
