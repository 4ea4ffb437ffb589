#include "app/groupe_clavier.h"
#include "app/fabrique_controles.h"
#include <QKeySequenceEdit>
#include <QLineEdit>

namespace fantrel::app {

namespace {
// One key per field: a second key pressed replaces the first.
QKeySequenceEdit *champ_touche(QWidget *parent, const char *nom, const QString &titre, int x)
{
    etiquette(parent, titre, QPoint(x, 20));
    auto *e = new QKeySequenceEdit(parent);
    e->setObjectName(QLatin1String(nom));
    e->setGeometry(x, 36, 120, 22);
    e->setAccessibleName(titre);
    e->setAccessibleDescription(QStringLiteral("Touche de réponse"));
    if (auto *saisie = e->findChild<QLineEdit *>())
        saisie->setAccessibleName(titre); // the box a reader lands in
    QObject::connect(e, &QKeySequenceEdit::keySequenceChanged, e, [e](const QKeySequence &s) {
        if (s.count() > 1)
            e->setKeySequence(QKeySequence(s[s.count() - 1]));
    });
    return e;
}

void pose(QKeySequenceEdit *e, const QString &texte)
{
    e->setKeySequence(QKeySequence(texte, QKeySequence::PortableText));
}

void lit(const QKeySequenceEdit *e, QString &cible)
{
    if (!e->keySequence().isEmpty())
        cible = e->keySequence().toString(QKeySequence::PortableText);
}
} // namespace

GroupeClavier::GroupeClavier(QWidget *parent) : QGroupBox(QStringLiteral("Clavier"), parent)
{
    setObjectName(QStringLiteral("Group_clavier"));
    setAccessibleName(title());
    Edit_gauche = champ_touche(this, "Edit_gauche", QStringLiteral("Gauche"), 8);
    Edit_droite = champ_touche(this, "Edit_droite", QStringLiteral("Droite"), 150);
    Edit_ne_sait_pas =
            champ_touche(this, "Edit_ne_sait_pas", QStringLiteral("Je ne sais pas"), 292);
    Edit_depart = champ_touche(this, "Edit_depart", QStringLiteral("Départ"), 434);
    montre(ReglagesEtendus{});
}

void GroupeClavier::montre(const ReglagesEtendus &r)
{
    pose(Edit_gauche, r.touche_gauche);
    pose(Edit_droite, r.touche_droite);
    pose(Edit_ne_sait_pas, r.touche_ne_sait_pas);
    pose(Edit_depart, r.touche_depart);
}

ReglagesEtendus GroupeClavier::touches(ReglagesEtendus r) const
{
    lit(Edit_gauche, r.touche_gauche);
    lit(Edit_droite, r.touche_droite);
    lit(Edit_ne_sait_pas, r.touche_ne_sait_pas);
    lit(Edit_depart, r.touche_depart);
    return r;
}

} // namespace fantrel::app
