#include "app/panneau_seuil.h"
#include "app/texte_duree.h"
#include "app/trace_seuil.h"
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace fantrel::app {

namespace {
QSpinBox *nombre(QWidget *parent, const char *nom, const QString &titre, int min, int max,
                 int valeur)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(nom));
    s->setAccessibleName(titre);
    if (auto *saisie = s->findChild<QLineEdit *>())
        saisie->setAccessibleName(titre);
    s->setRange(min, max);
    s->setValue(valeur);
    return s;
}
} // namespace

QString texte_seuil(double unites, std::optional<double> periode_ms)
{
    const QLocale fr(QLocale::French);
    if (!periode_ms)
        return QStringLiteral("%1 ms").arg(fr.toString(unites, 'f', 1));
    return QStringLiteral("%1 %2 = %3 ms")
            .arg(fr.toString(unites, 'f', 2), unite_images(std::round(unites * 100) / 100),
                 fr.toString(unites * *periode_ms, 'f', 1));
}

PanneauSeuil::PanneauSeuil(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_seuil"));
    setWindowTitle(QStringLiteral("Mesurer le seuil"));
    Combo_methode = new QComboBox(this);
    Combo_methode->setObjectName(QStringLiteral("Combo_methode"));
    Combo_methode->addItems({ QStringLiteral("QUEST (moyenne)"), QStringLiteral("QUEST (mode)"),
                              QStringLiteral("Escalier 3 bonnes / 1 erreur") });
    Combo_methode->setAccessibleName(QStringLiteral("Méthode"));
    hide();
    Spin_depart = nombre(this, "Spin_depart", QStringLiteral("Exposition de départ"), 1, 100, 3);
    Spin_essais = nombre(this, "Spin_essais", QStringLiteral("Nombre d'essais"), 5, 500, 40);
    Spin_pas = nombre(this, "Spin_pas", QStringLiteral("Pas (escalier)"), 1, 20, 1);
    Spin_k = nombre(this, "Spin_k", QStringLiteral("k (sous le seuil)"), 0, 20, 1);
    Bouton_commencer = new QPushButton(QStringLiteral("Commencer"), this);
    Bouton_commencer->setObjectName(QStringLiteral("Bouton_commencer"));
    Bouton_appliquer = new QPushButton(QStringLiteral("Appliquer"), this);
    Bouton_appliquer->setObjectName(QStringLiteral("Bouton_appliquer"));
    Bouton_appliquer->setEnabled(false);
    Lab_etat = new QLabel(this);
    Lab_etat->setObjectName(QStringLiteral("Lab_etat"));
    Lab_etat->setText(QStringLiteral("Réglez la mesure, puis « Commencer »."));
    Lab_etat->setAccessibleDescription(QStringLiteral("Avancement et seuil trouvé"));
    Trace = new TraceSeuil(this);
    auto *formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Méthode"), Combo_methode);
    formulaire->addRow(QStringLiteral("Exposition de départ"), Spin_depart);
    formulaire->addRow(QStringLiteral("Nombre d'essais"), Spin_essais);
    formulaire->addRow(QStringLiteral("Pas (escalier)"), Spin_pas);
    formulaire->addRow(QStringLiteral("k (sous le seuil)"), Spin_k);
    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(formulaire);
    colonne->addWidget(Bouton_commencer);
    colonne->addWidget(Lab_etat);
    colonne->addWidget(Trace, 1);
    colonne->addWidget(Bouton_appliquer);
    for (QSpinBox *s : { Spin_depart, Spin_pas, Spin_k })
        connect(s, &QSpinBox::valueChanged, this, [this, s](int v) { accorde_unite(s, v); });
    definir_ecran(std::nullopt);
}

void PanneauSeuil::accorde_unite(QSpinBox *s, int valeur) const
{
    s->setSuffix(u' ' + (m_periode_ms ? unite_images(valeur) : QStringLiteral("ms")));
}

void PanneauSeuil::definir_ecran(std::optional<double> periode_ms)
{
    m_periode_ms = periode_ms;
    for (QSpinBox *s : { Spin_depart, Spin_pas, Spin_k })
        accorde_unite(s, s->value());
    Spin_depart->setMaximum(periode_ms ? std::max(1, int(100 / *periode_ms)) : 100);
}

trials::ReglagesMesure PanneauSeuil::reglages() const
{
    trials::ReglagesMesure r;
    const int m = Combo_methode->currentIndex();
    r.procedure.methode = m == 2 ? trials::MethodeSeuil::escalier : trials::MethodeSeuil::quest;
    r.procedure.placement = m == 1 ? trials::PlacementQuest::mode : trials::PlacementQuest::moyenne;
    r.procedure.depart = Spin_depart->value();
    r.procedure.minimum = 1;
    r.procedure.maximum = Spin_depart->maximum();
    r.procedure.pas = Spin_pas->value();
    r.nb_essais = Spin_essais->value();
    r.decalage = Spin_k->value();
    r.periode_ms = m_periode_ms;
    return r;
}

void PanneauSeuil::montre_progression(int faits, int total)
{
    Lab_etat->setText(QStringLiteral("Essai %1 / %2").arg(faits).arg(total));
}

void PanneauSeuil::montre_abandon(int faits, int total)
{
    Lab_etat->setText(QStringLiteral("Mesure abandonnée (autre test choisi) : %1 / %2 essais "
                                     "faits, rien à appliquer.")
                              .arg(faits)
                              .arg(total));
    Bouton_appliquer->setEnabled(false);
}

void PanneauSeuil::montre_resultat(const trials::MesureSeuil &mesure)
{
    const trials::ProcedureSeuil *p = mesure.procedure();
    const auto e = p ? p->estimation() : std::nullopt;
    const std::optional<double> periode = mesure.reglages().periode_ms;
    QString texte = QStringLiteral("Seuil indéterminé (aucune inversion)");
    if (e) {
        texte = QStringLiteral("Seuil : ") + texte_seuil(e->seuil, periode);
        if (e->bas && e->haut)
            texte += QStringLiteral("\nIC 95 % : ") + texte_seuil(*e->bas, periode)
                    + QStringLiteral(" à ") + texte_seuil(*e->haut, periode);
        if (const auto ms = mesure.exposition_appliquee())
            texte += QStringLiteral("\nAppliquer : exposition de %1 ms").arg(*ms);
    }
    Lab_etat->setText(texte);
    Trace->montre(p ? p->trace() : QVector<trials::PasSeuil>{},
                  e ? std::optional<double>(e->seuil) : std::nullopt,
                  periode ? QStringLiteral("images") : QStringLiteral("ms"));
    Bouton_appliquer->setEnabled(e.has_value());
}

} // namespace fantrel::app
