#include "results/fenetre_statistiques.h"
#include "results/export_statistiques.h"
#include "platform/interactions.h"
#include "platform/liaison.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace fantrel::results {

FenetreStatistiques::FenetreStatistiques(QWidget *parent)
    : QWidget(parent, Qt::Window),
      Table_statistiques(new QTableView(this)),
      Label_groupe(new QLabel(this)),
      Label_echelle(new QLabel(this)),
      Label_legende(new QLabel(this)),
      Bouton_export(new QPushButton(QStringLiteral("Exporter (CSV)"), this))
{
    setObjectName(QStringLiteral("Form_statistiques"));
    setWindowTitle(QStringLiteral("Statistiques par utilisateur"));
    Table_statistiques->setObjectName(QStringLiteral("Table_statistiques"));
    Table_statistiques->setAccessibleName(QStringLiteral("Statistiques par utilisateur"));
    Table_statistiques->setAccessibleDescription(
            QStringLiteral("Une ligne par participant et par test, puis la ligne du groupe"));
    Table_statistiques->setModel(m_modele);
    Table_statistiques->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_statistiques->verticalHeader()->hide();
    Table_statistiques->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    Label_groupe->setObjectName(QStringLiteral("Label_groupe"));
    Label_groupe->setWordWrap(true);
    Label_echelle->setObjectName(QStringLiteral("Label_echelle"));
    Label_legende->setObjectName(QStringLiteral("Label_legende"));
    Label_legende->setWordWrap(true);
    Label_legende->setText(QStringLiteral(
            "Sur les réponses aux boutons seulement : n essais, IC 95 % de Wilson, p binomial "
            "unilatéral contre 50 %, BF01 du hasard contre un effet (> 3 : en faveur du "
            "hasard, < 1/3 : en faveur d'un effet), d′ 2AFC = √2 z(Pc), d′ et c de détection "
            "du signal (le premier mot, ou la mélodie fausse, étant le signal), avec la "
            "correction log-linéaire. Les réponses saisies et « Je ne sais pas » sont "
            "comptées à part. Groupe : toutes les réponses des participants réunies."));
    Bouton_export->setObjectName(QStringLiteral("Bouton_export"));
    Bouton_export->setAccessibleDescription(
            QStringLiteral("Enregistre le tableau des statistiques en CSV"));
    platform::relie(Bouton_export, &QPushButton::clicked, this,
                    &FenetreStatistiques::Bouton_exportClick);

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Table_statistiques);
    disposition->addWidget(Label_groupe);
    auto *bas = new QHBoxLayout;
    bas->addWidget(Label_echelle, 1);
    bas->addWidget(Bouton_export);
    disposition->addLayout(bas);
    disposition->addWidget(Label_legende);
    resize(1180, 520);
}

void FenetreStatistiques::affiche(const QVector<LigneStatistiques> &lignes,
                                  double echelle_a_priori)
{
    m_modele->definit(lignes, echelle_a_priori);
    QStringList groupes;
    for (const LigneCalculee &l : m_modele->lignes())
        if (l.groupe)
            groupes << texte_test_groupe(l);
    Label_groupe->setText(groupes.join(QLatin1Char('\n')));
    Label_echelle->setText(
            QStringLiteral("BF01 : a priori demi-normal sur (p − 0,5), échelle %1 "
                           "(fantrel.ini, [statistiques] echelle_a_priori)")
                    .arg(QLocale(QLocale::French).toString(echelle_a_priori, 'g', 6)));
}

void FenetreStatistiques::Bouton_exportClick()
{
    platform::OptionsDialogue dialogue;
    dialogue.filtre = QStringLiteral("Statistiques (CSV)|*.csv");
    dialogue.extension_defaut = QStringLiteral("csv");
    dialogue.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(dialogue);
    if (choix.accepte)
        exporte_statistiques(choix.nom_fichier, m_modele->lignes(), m_modele->echelle_a_priori());
}

} // namespace fantrel::results
