#include "app/fabrique_controles.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace fantrel::app {

QPushButton *bouton(QWidget *parent, const char *nom, const QString &texte, QRect geometrie)
{
    auto *b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(geometrie);
    return b;
}

QGroupBox *groupe(QWidget *parent, const char *nom, const QString &titre, QRect geometrie)
{
    auto *g = new QGroupBox(titre, parent);
    g->setObjectName(QString::fromLatin1(nom));
    g->setGeometry(geometrie);
    // Unnamed, a group inside another would be read by the outer group's title.
    g->setAccessibleName(titre);
    return g;
}

QLabel *etiquette(QWidget *parent, const QString &texte, QPoint position, const char *nom)
{
    auto *l = new QLabel(texte, parent);
    if (nom)
        l->setObjectName(QString::fromLatin1(nom));
    l->move(position);
    l->adjustSize();
    return l;
}

QLineEdit *champ(QWidget *parent, const char *nom, const QString &texte, QRect geometrie,
                 const QString &nom_accessible)
{
    auto *e = new QLineEdit(texte, parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setGeometry(geometrie);
    e->setAccessibleName(nom_accessible);
    return e;
}

QScrollBar *barre(QWidget *parent, const char *nom, int maximum, int position, QRect geometrie,
                  const QString &nom_accessible)
{
    auto *b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setRange(0, maximum);
    b->setSingleStep(1);
    b->setPageStep(1);
    b->setValue(position);
    b->setGeometry(geometrie);
    b->setAccessibleName(nom_accessible);
    return b;
}

} // namespace fantrel::app
