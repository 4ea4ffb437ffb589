#include "wordpairs/controles_couples.h"
#include "wordpairs/liste_memo.h"
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QStringListModel>
#include <QToolButton>

namespace fantrel::wordpairs {

namespace {

// A file's path on one line, shortened in its middle to the width it is given: a long
// path never widens the window (the whole path in its tip and its accessible text).
class EtiquetteChemin : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override { return { 0, QLabel::minimumSizeHint().height() }; }
    QSize sizeHint() const override { return { 0, QLabel::sizeHint().height() }; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter peintre(this);
        const QRect zone = contentsRect();
        peintre.drawText(zone, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, zone.width()));
    }
};

} // namespace

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

QLabel *etiquette_chemin(const char *nom, QWidget *parent)
{
    QLabel *label = nomme(new EtiquetteChemin(parent), nom);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->hide();
    return label;
}

void montre_fichier(QLabel *label, const QString &chemin)
{
    label->setText(chemin);
    label->setToolTip(chemin);
    label->show();
}

} // namespace fantrel::wordpairs
