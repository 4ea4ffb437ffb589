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

} // namespace fantrel::app
