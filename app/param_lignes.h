// The settings file's lines as values: reading one line at a time with the
// run-time's conversions and messages, and the 17 lines written from the values.
#pragma once
#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace fantrel::app {

// Reads param.ini as lines. A missing file gives "Fichier introuvable", a file that
// cannot be read (a directory, no permission) "Accès au fichier refusé".
QStringList lire_fichier_param(const QString &chemin);

// Line n (from 1) of the file; reading past the end gives empty lines.
class LignesParam
{
public:
    explicit LignesParam(QStringList lignes) : m_lignes(std::move(lignes)) { }
    int nombre() const { return int(m_lignes.size()); }
    QString texte(int n) const { return n >= 1 && n <= nombre() ? m_lignes[n - 1] : QString(); }
    int entier(int n) const; // throws "'%s' n'est pas une valeur entière correcte"
    // Accepts "," and "."; throws "'%s' n'est pas une valeur en virgule flottante correcte",
    // also for a real beyond single precision (the settings keep their reals so).
    double reel(int n) const;

private:
    QStringList m_lignes;
};

// The integer before the first blank of line 2 ("30 ms" gives 30). A line without
// a blank converts the empty text, which fails.
int entier_avant_blanc(const QString &ligne);

struct ValeursParam
{
    QString fichier;
    QString intervalle; // the label's text, "30 ms"
    QString masque;
    int hauteur = 64;
    int largeur = 64;
    float rouge = 0, vert = 0, bleu = 0;
    std::int32_t fond = 0;
    QString masque1;
    int duree_masque1 = 67, duree_mot = 33, duree_blanc = 33;
    QString masque2;
    int duree_masque2 = 67;
    int incongruite = 2;
    QString decalage;
};

// The 17 lines in file order; reals as single-precision values widened, written in
// the shortest form of at most 15 significant digits with the given separator.
QStringList lignes_param(const ValeursParam &v, QChar separateur);

} // namespace fantrel::app
