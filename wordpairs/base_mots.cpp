#include "wordpairs/base_mots.h"

namespace fantrel::wordpairs {

int classe_ligne(QStringView ligne)
{
    return int(ligne.indexOf(u' '));
}

std::vector<QStringView> mots_de_la_ligne_vues(QStringView ligne)
{
    const qsizetype espace = ligne.indexOf(u' ');
    QStringView reste = espace < 0 ? ligne : ligne.mid(espace + 1);
    std::vector<QStringView> mots;
    for (;;) {
        const qsizetype suivant = reste.indexOf(u' ');
        if (suivant < 0) {
            mots.push_back(reste);
            return mots;
        }
        mots.push_back(reste.left(suivant));
        reste = reste.mid(suivant + 1);
    }
}

QStringList mots_de_la_ligne(QStringView ligne)
{
    QStringList mots;
    for (QStringView mot : mots_de_la_ligne_vues(ligne))
        mots.append(mot.toString());
    return mots;
}

BaseMots::BaseMots(QStringList lignes_base) : lignes(std::move(lignes_base))
{
    classes.reserve(std::size_t(lignes.size()));
    for (const QString &ligne : std::as_const(lignes))
        classes.push_back(classe_ligne(ligne));
}

int BaseMots::nb_lignes_classe(int classe) const
{
    int n = 0;
    for (int c : classes)
        n += c == classe;
    return n;
}

BornesClasse bornes_classe(const std::vector<int> &classes, int classe)
{
    BornesClasse bornes;
    for (std::size_t k = 0; k < classes.size(); ++k) {
        if (classes[k] == classe && bornes.debut == -1) {
            bornes.debut = int(k);
        } else if (classes[k] != classe && bornes.debut != -1) {
            bornes.fin = int(k);
            return bornes;
        }
    }
    if (bornes.debut != -1)
        bornes.fin = int(classes.size());
    return bornes;
}

QString minuscules_az(const QString &texte)
{
    QString resultat = texte;
    for (QChar &c : resultat)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return resultat;
}

} // namespace fantrel::wordpairs
