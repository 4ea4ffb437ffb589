#include "app/fiche_participant.h"
#include "app/fabrique_controles.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace fantrel::app {

namespace {


QComboBox *liste(const QStringList &choix)
{
    auto *c = new QComboBox;
    c->setEditable(true);
    c->addItems(choix);
    return c;
}

} // namespace

FicheParticipant::FicheParticipant(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fiche_participant"));
    setWindowTitle(QStringLiteral("Fiche du participant"));
    auto *forme = new QFormLayout(this);
    Edit_code = ligne_formulaire(forme, "Edit_code", QStringLiteral("Code"), new QLineEdit);
    Spin_age = ligne_formulaire(forme, "Spin_age", QStringLiteral("Âge"), new QSpinBox);
    Spin_age->setRange(0, 130);
    Spin_age->setSpecialValueText(QStringLiteral(" ")); // 0: not given
    Combo_genre = ligne_formulaire(forme, "Combo_genre", QStringLiteral("Genre"),
                        liste({ QString(), QStringLiteral("femme"), QStringLiteral("homme"),
                                QStringLiteral("autre") }));
    Combo_lateralite = ligne_formulaire(forme, "Combo_lateralite", QStringLiteral("Latéralité"),
                             liste({ QString(), QStringLiteral("droitier"),
                                     QStringLiteral("gaucher"), QStringLiteral("ambidextre") }));
    Edit_groupe = ligne_formulaire(forme, "Edit_groupe", QStringLiteral("Groupe"), new QLineEdit);
    Edit_consentement = ligne_formulaire(forme, "Edit_consentement",
                              QStringLiteral("Numéro de consentement"), new QLineEdit);
    Edit_remarque = ligne_formulaire(forme, "Edit_remarque", QStringLiteral("Remarque"), new QLineEdit);
    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    forme->addRow(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FicheParticipant::montre(const base::Participant &p)
{
    m_participant = p;
    Edit_code->setText(p.code);
    Spin_age->setValue(p.age.value_or(0));
    Combo_genre->setCurrentText(p.genre);
    Combo_lateralite->setCurrentText(p.lateralite);
    Edit_groupe->setText(p.groupe);
    Edit_consentement->setText(p.consentement);
    Edit_remarque->setText(p.remarque);
}

base::Participant FicheParticipant::lue() const
{
    base::Participant p = m_participant;
    p.code = Edit_code->text();
    p.age = Spin_age->value() > 0 ? std::optional<int>(Spin_age->value()) : std::nullopt;
    p.genre = Combo_genre->currentText().trimmed();
    p.lateralite = Combo_lateralite->currentText().trimmed();
    p.groupe = Edit_groupe->text().trimmed();
    p.consentement = Edit_consentement->text().trimmed();
    p.remarque = Edit_remarque->text();
    return p;
}

} // namespace fantrel::app
