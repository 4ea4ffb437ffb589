#include "results/fenetre_statistiques.h"
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace fantrel::results {

FenetreStatistiques::FenetreStatistiques(QWidget *parent)
    : QWidget(parent, Qt::Window),
      Table_statistiques(new QTableView(this)),
      Label_legende(new QLabel(this))
{
    setObjectName(QStringLiteral("Form_statistiques"));
    setWindowTitle(QStringLiteral("Statistiques par utilisateur"));
    Table_statistiques->setObjectName(QStringLiteral("Table_statistiques"));
    Table_statistiques->setAccessibleName(QStringLiteral("Statistiques par utilisateur"));
    Table_statistiques->setAccessibleDescription(
            QStringLiteral("Une ligne par utilisateur et la ligne Somme ; tests de mots et "
                           "test musical"));
    Table_statistiques->setModel(m_modele);
    Table_statistiques->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_statistiques->verticalHeader()->hide();
    Table_statistiques->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    Label_legende->setObjectName(QStringLiteral("Label_legende"));
    Label_legende->setWordWrap(true);
    Label_legende->setText(QStringLiteral(
            "n : essais comptés. p : probabilité d'obtenir au moins autant de réponses justes "
            "en répondant au hasard (test binomial unilatéral, 50 %). d′ et c : indices de "
            "détection du signal, le premier mot (ou la mélodie fausse) étant le signal, avec "
            "la correction log-linéaire."));

    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Table_statistiques);
    disposition->addWidget(Label_legende);
    resize(1000, 420);
}

void FenetreStatistiques::affiche(const QVector<LigneStatistiques> &lignes)
{
    m_modele->definit(lignes);
}

} // namespace fantrel::results
