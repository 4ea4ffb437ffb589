// The capacity of the text boxes that files are loaded into (the exercise list, the
// melody list, the results record, the word-pair tool's lists): a text longer than
// a box holds is refused whole with the run-time's "Le texte dépasse la capacité du
// mémo", before anything changes.
// NOTE: header only, so that the word-pair tool, which does not link the trials,
// shares the rule.
#pragma once
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace fantrel::platform {

// Characters a box holds, each line counting its CR LF. A list that long is of no
// use in an exercise, and a text box fills at about 5 µs a line: millions of lines
// would hold the window for tens of seconds.
inline constexpr qsizetype capacite_memo = 4 * 1024 * 1024;

inline ErreurExecution erreur_capacite_memo()
{
    return ErreurExecution(QStringLiteral("Le texte dépasse la capacité du mémo"));
}

// The characters the lines take in a box.
inline qsizetype nb_caracteres_memo(const QStringList &lignes)
{
    qsizetype n = 0;
    for (const QString &l : lignes)
        n += l.size() + 2;
    return n;
}

// The lines of a file for a text box, as lire_lignes() reads them (same errors);
// a text beyond the capacity throws erreur_capacite_memo(). Every byte of a file
// gives at least a third of a character (UTF-8, a line end two), so a file of more
// than three times the capacity is refused by its size, before it is decoded.
inline QStringList lire_lignes_memo(const QString &chemin)
{
    constexpr qint64 octets_bom = 3;
    const QFileInfo info(chemin);
    if (info.isFile() && info.size() > 3 * capacite_memo + octets_bom) {
        QFile fichier(chemin);
        if (fichier.open(QIODevice::ReadOnly))
            throw erreur_capacite_memo();
    }
    QStringList lignes = lire_lignes(chemin);
    if (nb_caracteres_memo(lignes) > capacite_memo)
        throw erreur_capacite_memo();
    return lignes;
}

} // namespace fantrel::platform
