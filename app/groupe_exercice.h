// The floating box "Fichier exercice" (GroupBox3) of the main window: the exercise
// list as loaded (Memo1), or a user's answers listed from the 3D results window.
#pragma once
#include <QGroupBox>

class QPlainTextEdit;

namespace fantrel::app {

class GroupeExercice : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupeExercice(QWidget *parent = nullptr);

    QPlainTextEdit *Memo1 = nullptr;
};

} // namespace fantrel::app
