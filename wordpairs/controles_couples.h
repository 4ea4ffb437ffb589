// The kinds of controls the word-pair window is made of, built named and set up
// as its layout wants them: free functions, one line each where the layout uses them.
#pragma once
#include <QStyle>
#include <QString>

class QCheckBox;
class QLabel;
class QListView;
class QToolButton;
class QWidget;

namespace fantrel::wordpairs {

class ListeMemo;

// The control with its layout name as object name, for chaining.
template<class T>
T *nomme(T *controle, const char *nom)
{
    controle->setObjectName(QLatin1String(nom));
    return controle;
}

QLabel *etiquette_gras(const QString &texte, QWidget *parent, bool rouge = false);
// A label hidden until it shows a count or a path (below).
QLabel *etiquette_cachee(const char *nom, QWidget *parent, bool gras_rouge = false);
// The "Sauver" / "Lire" buttons beside a list's title: a picture and a hint.
QToolButton *bouton_fichier(const char *nom, const QString &bulle, QStyle::StandardPixmap image,
                            QWidget *parent);
// A "Sélection" button between the lists, its picture above the caption.
QToolButton *bouton_selection(const char *nom, QStyle::StandardPixmap image, QWidget *parent);
// A filter's check box, checked at first.
QCheckBox *case_cochee(const char *nom, const QString &texte, QWidget *parent);
// A list box with its hint and a hand cursor; read-only boxes keep no undo.
ListeMemo *liste(const char *nom, const QString &bulle, bool lecture_seule, QWidget *parent);
// The base's lines: a list view over a string list model, never wrapped.
QListView *liste_base(const char *nom, QWidget *parent);

// Shows "n couples" / a file's path in a label, made visible.
void montre_compte(QLabel *label, int nombre);
// A hidden label for a file's path, elided in its middle to its width.
QLabel *etiquette_chemin(const char *nom, QWidget *parent);
void montre_fichier(QLabel *label, const QString &chemin);

} // namespace fantrel::wordpairs
