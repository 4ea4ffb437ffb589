#include "wordpairs/controles_couples.h"
#include "wordpairs/liste_memo.h"
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QToolButton>

namespace fantrel::wordpairs {

QLabel *etiquette_gras(const QString &texte, QWidget *parent, bool rouge)
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

QLabel *etiquette_cachee(const char *nom, QWidget *parent, bool gras_rouge)
{
    QLabel *label =
            nomme(gras_rouge ? etiquette_gras(QString(), parent, true) : new QLabel(parent), nom);
    label->hide();
    return label;
}

QToolButton *bouton_fichier(const char *nom, const QString &bulle, QStyle::StandardPixmap image,
                            QWidget *parent)
{
    auto *bouton = nomme(new QToolButton(parent), nom);
    bouton->setToolTip(bulle);
    bouton->setAccessibleName(bulle); // an icon: its tip is what it says
    bouton->setIcon(parent->style()->standardIcon(image));
    return bouton;
}

QToolButton *bouton_selection(const char *nom, QStyle::StandardPixmap image, QWidget *parent)
{
    auto *bouton = nomme(new QToolButton(parent), nom);
    bouton->setText(QStringLiteral("Sélection"));
    bouton->setIcon(parent->style()->standardIcon(image));
    bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return bouton;
}

QCheckBox *case_cochee(const char *nom, const QString &texte, QWidget *parent)
{
    auto *c = nomme(new QCheckBox(texte, parent), nom);
    c->setChecked(true);
    return c;
}

ListeMemo *liste(const char *nom, const QString &bulle, bool lecture_seule, QWidget *parent)
{
    auto *memo = nomme(new ListeMemo(parent), nom);
    memo->setToolTip(bulle);
    memo->setAccessibleDescription(bulle);
    memo->setReadOnly(lecture_seule);
    if (lecture_seule) {
        memo->setUndoRedoEnabled(false);
        memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    if (!bulle.isEmpty())
        memo->viewport()->setCursor(Qt::PointingHandCursor);
    return memo;
}

QListView *liste_base(const char *nom, QWidget *parent)
{
    auto *vue = nomme(new QListView(parent), nom);
    vue->setUniformItemSizes(true);
    vue->setWordWrap(false);
    vue->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vue->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vue->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vue->setModel(new QStringListModel(vue));
    return vue;
}

void montre_compte(QLabel *label, int nombre)
{
    label->setText(QString::number(nombre) + QStringLiteral(" couples"));
    label->show();
}

void montre_fichier(QLabel *label, const QString &chemin)
{
    label->setText(chemin);
    label->show();
}

} // namespace fantrel::wordpairs
