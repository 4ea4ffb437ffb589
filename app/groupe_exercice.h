// The floating box "Fichier exercice" (GroupBox3) of the main window: the exercise
// list as loaded (Memo1), or a user's answers listed from the 3D results window.
#pragma once
#include <QGroupBox>
#include <QStringList>

class QPlainTextEdit;

namespace fantrel::app {

class GroupeExercice : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupeExercice(QWidget *parent = nullptr);

    // The exercise list as loaded, drawn at once.
    void montre_liste(const QStringList &lignes);
    // A user's answers as listed, under "Utilisateur " and the user's name.
    void montre_reponses(const QString &nom, const QStringList &lignes);
    void vide();

    QPlainTextEdit *Memo1 = nullptr;
};

} // namespace fantrel::app
