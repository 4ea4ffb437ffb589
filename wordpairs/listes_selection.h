// The chosen mark of the software's list: a pair that stands in the user's list
// is shown as "----" + pair + "------------------".
#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

namespace fantrel::wordpairs {

QString marque(const QString &ligne); // "----" + ligne + "------------------"
bool est_marque(QStringView ligne); // exactly that form
// The bare pair of a marked line; any other line unchanged.
// NOTE: only the mark is taken off, so a pair holding "--" or longer than 100
// characters is written back whole.
QString sans_marque(const QString &ligne);

// The software's lines once the pairs of a loaded user's list are marked: the
// lines of that list are taken in order, and each line of the software's list
// equal to one of them gets the mark.
QStringList marque_choisis(const QStringList &logiciel, const QStringList &choisis);

} // namespace fantrel::wordpairs
