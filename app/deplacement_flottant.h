// The floating boxes of the main window ("Fichier exercice", "Fichier résultats",
// "Fichier musical", "Réglages"): a press on a box's own surface (not on a child
// control, a label or an inner group included) moves the box with the pointer until
// the button is released, never out of the window's client area.
#pragma once
#include <QObject>
#include <QPoint>

class QGroupBox;

namespace fantrel::app {

class DeplacementFlottant : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The box moves when dragged by its body, and paints its own background.
    void rend_flottant(QGroupBox *groupe);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    QPoint m_origine_glisse;
    QGroupBox *m_groupe_glisse = nullptr;
};

} // namespace fantrel::app
