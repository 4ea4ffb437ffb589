// Small makers of the main window's controls: each gets its layout name as object
// name, its place, and an accessible name: its visible text, or (where it shows no
// text) what it holds.
#pragma once
#include <QFormLayout>
#include <QPoint>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

namespace fantrel::app {

QPushButton *bouton(QWidget *parent, const char *nom, const QString &texte, QRect geometrie);
QGroupBox *groupe(QWidget *parent, const char *nom, const QString &titre, QRect geometrie);
// A label sized to its text; nom may be null (a fixed caption).
QLabel *etiquette(QWidget *parent, const QString &texte, QPoint position,
                  const char *nom = nullptr);
QLineEdit *champ(QWidget *parent, const char *nom, const QString &texte, QRect geometrie,
                 const QString &nom_accessible);
// A horizontal bar 0..maximum moved by steps of 1.
QScrollBar *barre(QWidget *parent, const char *nom, int maximum, int position, QRect geometrie,
                  const QString &nom_accessible);

// A dialog's form row: the control named nom, its label as its accessible name.
template<typename T>
T *ligne_formulaire(QFormLayout *forme, const char *nom, const QString &libelle, T *controle)
{
    controle->setObjectName(QLatin1String(nom));
    controle->setAccessibleName(libelle);
    forme->addRow(libelle, controle);
    return controle;
}

} // namespace fantrel::app
