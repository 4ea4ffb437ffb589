#include "app/param_lignes.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QFileInfo>
#include <cmath>

namespace fantrel::app {

QStringList lire_fichier_param(const QString &chemin)
{
    const QFileInfo info(chemin);
    if (!info.exists())
        throw platform::erreur_fichier_introuvable();
    if (info.isDir() || !info.isReadable())
        throw platform::erreur_acces_refuse();
    try {
        return platform::lire_lignes(chemin);
    } catch (const platform::ErreurExecution &) {
        throw platform::erreur_acces_refuse();
    }
}

int LignesParam::entier(int n) const
{
    return platform::vers_entier(texte(n));
}

double LignesParam::reel(int n) const
{
    // Files move between machines whose regional settings differ: both separators read.
    const QString t = texte(n);
    double valeur = 0;
    try {
        valeur = platform::vers_reel(t, u',');
    } catch (const platform::ErreurExecution &) {
        valeur = platform::vers_reel(t, u'.');
    }
    // The values are kept in single precision: one that would round to infinity there
    // would be saved as "INF", which the next reading refuses. From this magnitude
    // on a double rounds to a float's infinity (halfway above its largest value).
    constexpr double debut_infini_simple = 0x1.ffffffp127;
    if (!(std::abs(valeur) < debut_infini_simple))
        throw platform::erreur_reel(t);
    return valeur;
}

int entier_avant_blanc(const QString &ligne)
{
    const qsizetype blanc = ligne.indexOf(u' ');
    return platform::vers_entier(blanc < 0 ? QString() : ligne.left(blanc));
}

QStringList lignes_param(const ValeursParam &v, QChar separateur)
{
    return {
        v.fichier,
        v.intervalle,
        v.masque,
        QString::number(v.hauteur),
        QString::number(v.largeur),
        platform::reel_general(double(v.rouge), separateur),
        platform::reel_general(double(v.vert), separateur),
        platform::reel_general(double(v.bleu), separateur),
        QString::number(v.fond),
        v.masque1,
        QString::number(v.duree_masque1),
        QString::number(v.duree_mot),
        QString::number(v.duree_blanc),
        v.masque2,
        QString::number(v.duree_masque2),
        QString::number(v.incongruite),
        v.decalage,
    };
}

} // namespace fantrel::app
