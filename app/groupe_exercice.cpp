#include "app/groupe_exercice.h"
#include <QPlainTextEdit>

namespace fantrel::app {

GroupeExercice::GroupeExercice(QWidget *parent)
    : QGroupBox(QStringLiteral("Fichier exercice"), parent)
{
    setObjectName(QStringLiteral("GroupBox3"));
    setGeometry(888, 288, 205, 209);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 18, 189, 183);
    Memo1->setAccessibleName(QStringLiteral("Fichier exercice"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    hide();
}

void GroupeExercice::montre_liste(const QStringList &lignes)
{
    Memo1->setPlainText(lignes.join(u'\n'));
    Memo1->repaint();
}

void GroupeExercice::montre_reponses(const QString &nom, const QStringList &lignes)
{
    setTitle(QStringLiteral("Utilisateur ") + nom);
    Memo1->setPlainText(lignes.join(u'\n'));
}

void GroupeExercice::vide()
{
    Memo1->clear();
}

} // namespace fantrel::app
