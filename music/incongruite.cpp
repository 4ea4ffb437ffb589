#include "music/incongruite.h"
#include "music/melodie.h"
#include "platform/hasard.h"
#include <QVector>
#include <algorithm>

namespace fantrel::music {

QString texte_decalage(const QString &saisie)
{
    QString sans_blancs = saisie;
    sans_blancs.remove(u' ');
    return u'(' + sans_blancs + u')';
}

QString insere_a_la_fin(const QString &notes, const QString &decalage)
{
    qsizetype p = notes.size();
    while (p >= 1 && (notes[p - 1] == u' ' || notes[p - 1] == u'-'))
        --p;
    QString resultat = notes;
    return resultat.insert(p, decalage);
}

namespace {

// Where a draw at index i (0-based) inserts the shift, or −1 when the draw is
// taken again: walk back off blanks, rests and "(", then forward to the character
// that ends the token; a ")" there or in the next five characters (before the last
// one) means the token, or one close after it, already carries a shift. The place
// must also follow a note without shift: a walk that stops on the "-" inside a
// shift ("nmi3(-10/12)") or after a shift left open would cut it in two.
qsizetype position_tiree(const QString &s, qsizetype i)
{
    auto est = [&](qsizetype k, QStringView jeu) { return jeu.contains(s[k]); };
    while (i >= 0 && est(i, u" -("))
        --i;
    if (i < 0)
        return -1;
    while (!est(i, u" -)"))
        ++i;
    const qsizetype fin = std::min(i + 5, s.size() - 2);
    for (qsizetype k = i; k <= fin; ++k) {
        if (s[k] == u')')
            return -1;
    }
    const qsizetype debut = s.lastIndexOf(u' ', i - 1) + 1; // i >= 1: a token char stands before it
    if (!est_note_sans_decalage(QStringView(s).mid(debut, i - debut)))
        return -1;
    return i;
}

// The ends of the unshifted note tokens.
QVector<qsizetype> fins_notes(const QString &s)
{
    QVector<qsizetype> fins;
    qsizetype debut = 0;
    while (debut < s.size()) {
        qsizetype blanc = s.indexOf(u' ', debut);
        if (blanc < 0)
            blanc = s.size();
        if (est_note_sans_decalage(QStringView(s).mid(debut, blanc - debut)))
            fins.append(blanc);
        debut = blanc + 1;
    }
    return fins;
}

} // namespace

QString insere_au_hasard(const QString &notes, const QString &decalage, platform::Hasard &hasard)
{
    QVector<qsizetype> positions;
    const qsizetype longueur = notes.size();
    if (longueur >= 20 && notes.endsWith(u' ')) {
        // Every start the draw could take, with what it leads to: drawing among the
        // kept ones is drawing again until a start is kept, but always ends.
        const qsizetype dernier = std::max<qsizetype>(9, longueur - 12);
        for (qsizetype i = 9; i <= dernier; ++i) {
            const qsizetype p = position_tiree(notes, i);
            if (p >= 0)
                positions.append(p);
        }
    }
    if (positions.isEmpty())
        positions = fins_notes(notes);
    if (positions.isEmpty())
        return notes;
    QString resultat = notes;
    return resultat.insert(positions[hasard.tirage(static_cast<int>(positions.size()))], decalage);
}

std::optional<int> rang_note_decalee(const QString &avant, const QString &apres)
{
    if (avant == apres)
        return std::nullopt;
    qsizetype p = 0;
    while (p < avant.size() && avant[p] == apres[p])
        ++p;
    // The shift follows its note's last character: count the tokens begun before it.
    int jetons = 0;
    bool dans_jeton = false;
    for (qsizetype k = 0; k < p; ++k) {
        const bool blanc = apres[k] == u' ';
        if (!blanc && !dans_jeton)
            ++jetons;
        dans_jeton = !blanc;
    }
    if (jetons == 0)
        return std::nullopt;
    return jetons - 1;
}

} // namespace fantrel::music
