// One cell of the reading matrix: a file of one kind, in one bad case, read through
// the program's own command. The cell passes when the program either reads it
// correctly or shows the specified error box, leaving its state (what that command
// may change) and every file of the folder as they were.
#pragma once
#include "banc_matrice.h"
#include <QString>
#include <QStringList>
#include <functional>

namespace matrice {

struct Lecteur
{
    QString fichier; // in the working folder
    Contenu contenu;
    // Puts the program where the read starts from (a search run, a list shown…).
    std::function<void(Banc &)> avant = [](Banc &) {};
    // The command that reads the file at that path, as the user gives it.
    std::function<void(Banc &, const QString &chemin)> lit;
    // What the command may change, one entry per piece.
    std::function<QStringList(Banc &)> etat;
    // The box of a file that cannot be opened.
    std::function<QString(const QString &chemin, Cas cas)> erreur_ouverture;
    // The box of a readable content the command refuses (empty: none).
    std::function<QString(const QStringList &lignes)> erreur_contenu = [](const QStringList &) {
        return QString();
    };
    // After a refused content, the entries of etat() from this one on stay (the
    // settings apply the lines before the bad one).
    std::function<int(const QStringList &lignes)> garde_depuis = [](const QStringList &) {
        return 0;
    };
    // The program's state after a correct reading of those lines.
    std::function<void(Banc &, const QString &chemin, const QStringList &lignes)> verifie;
};

// The box of a content too long for the text box it is loaded into (empty: none).
QString refus_capacite(const QStringList &lignes);

// The rows of a reader's data-driven test: one per case, column "cas".
void lignes_des_cas();

// The body of a reader's test, for the row's case.
void cellule(const Lecteur &lecteur);

} // namespace matrice
