// The chosen mark of the software's list and the rules that read it: a pair that
// stands in the user's list is shown as "----" + pair + "------------------".
// Pure functions; ListesCouples applies them.
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace fantrel::wordpairs {

QString marque(const QString &ligne); // "----" + ligne + "------------------"
bool est_marque(QStringView ligne); // exactly that form
// The bare pair of a marked line; any other line unchanged. This is how a line is
// written to a ".select_log" file.
// NOTE: only the mark is taken off, so a pair holding "--" or longer than 100
// characters is written back whole.
QString sans_marque(const QString &ligne);

// --- The marking rules, one function each --------------------------------------

// A double-click in the software's list takes no line that is empty or holds "--"
// anywhere: such a line counts as already chosen.
bool refusee_au_double_clic(QStringView ligne);

// The upper "Sélection" button skips the lines that are empty or hold "----"
// (a marked line, or any line that merely holds four hyphens).
bool sautee_par_selection(QStringView ligne);

// Giving a pair back unmarks only the line that is that very pair marked: not a
// longer pair's marked line that begins with it, nor a line holding it elsewhere.
bool est_marque_du_couple(QStringView ligne, QStringView couple);

// A pair found by a search is listed marked when a line of the user's list is
// that pair, character for character.
QString ligne_trouvee(const QString &couple, const QSet<QString> &choisis);

// The software's lines once the pairs of a loaded user's list are marked: the
// lines of that list are taken in order, and each line of the software's list
// equal to one of them gets the mark (marks already there stay).
QStringList marque_choisis(const QStringList &logiciel, const QStringList &choisis);

} // namespace fantrel::wordpairs
