#include "results/panneaux_test.h"
#include "results/tableau_resultats.h"
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace fantrel::results {

PanneauxTest::PanneauxTest(TableauResultats &tableau, QWidget *fenetre)
    : QObject(fenetre), m_tableau(tableau)
{
    panneau_test = new QWidget(fenetre);
    panneau_test->setObjectName(QStringLiteral("panneau_test"));
    panneau_test->setGeometry(333, 61, 65, 129);
    panneau_test->setAutoFillBackground(true);
    QPalette palette = panneau_test->palette();
    palette.setColor(QPalette::Window, QColor(166, 202, 240));
    panneau_test->setPalette(palette);
    for (int c = 1; c <= 4; ++c) {
        auto *barre = new QScrollBar(Qt::Vertical, panneau_test);
        barre->setObjectName(QStringLiteral("ScrollBar%1").arg(c));
        barre->setGeometry(4 + 15 * (c - 1), 4, 12, 90);
        barre->setRange(0, 100);
        barre->setValue(100);
        ScrollBar[c] = barre;
    }
    bouton_annul_test = new QPushButton(QStringLiteral("Annul test"), panneau_test);
    bouton_annul_test->setGeometry(2, 100, 61, 25);
    connect(bouton_annul_test, &QPushButton::clicked, this, &PanneauxTest::annul_test_clic);
    panneau_test->hide();

    panneau_raz = new QWidget(fenetre);
    panneau_raz->setObjectName(QStringLiteral("panneau_raz"));
    panneau_raz->setGeometry(333, 194, 65, 58);
    bouton_raz = new QPushButton(QStringLiteral("RAZ"), panneau_raz);
    bouton_raz->setGeometry(2, 2, 61, 25);
    connect(bouton_raz, &QPushButton::clicked, this, &PanneauxTest::raz_clic);
    bouton_total = new QPushButton(QStringLiteral("Total"), panneau_raz);
    bouton_total->setGeometry(2, 30, 61, 25);
    panneau_raz->hide();
}

int PanneauxTest::categorie_de_barre(const QScrollBar *barre) const
{
    for (int c = 1; c <= 4; ++c)
        if (barre && ScrollBar[c] == barre)
            return c;
    return 0;
}

void PanneauxTest::annul_test_clic()
{
    for (int c = 1; c <= 4; ++c)
        ScrollBar[c]->setValue(100 - 2 * m_tableau.compte_test()[c]);
}

void PanneauxTest::raz_clic()
{
    for (int c = 1; c <= 4; ++c)
        ScrollBar[c]->setValue(100);
    m_tableau.remet_compte_test();
}

} // namespace fantrel::results
