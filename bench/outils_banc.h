// What every benchmark's main needs: its options, a percentile, the machine's load.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace banc {

// The value after `nom` among the arguments, else defaut.
inline QString argument(const QStringList &args, const QString &nom, const QString &defaut)
{
    const qsizetype i = args.indexOf(nom);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : defaut;
}

// The q-th quantile (0..1) by nearest rank; v must not be empty.
inline double centile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    const auto i = std::size_t(q * double(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// /proc/loadavg as it reads, for the figures' record.
inline QByteArray charge()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("?");
}

} // namespace banc
