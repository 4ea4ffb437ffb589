#include "results/modele_statistiques.h"
#include "results/statistiques.h"
#include <QLocale>
#include <algorithm>

namespace fantrel::results {

namespace {

QStringList cellules_test(const Comptes &comptes)
{
    const StatistiquesSujet s = statistiques(comptes);
    const auto reel = [](const std::optional<double> &v, int decimales) {
        return v ? nombre_francais(*v, decimales) : QString();
    };
    QString p;
    if (s.p)
        p = *s.p < 0.0001 ? QStringLiteral("< ") + nombre_francais(0.0001, 4)
                          : nombre_francais(*s.p, 4);
    return { QString::number(s.n), reel(s.pourcentage, 1), p, reel(s.d_prime, 2),
             reel(s.critere, 2) };
}

} // namespace

QStringList entetes_statistiques()
{
    QStringList entetes = { QStringLiteral("Utilisateur") };
    for (const QString &test : { QStringLiteral("Mots"), QStringLiteral("Musique") })
        for (const QString &mesure :
             { QStringLiteral("n"), QStringLiteral("% juste"), QStringLiteral("p"),
               QStringLiteral("d′"), QStringLiteral("c") })
            entetes << test + QStringLiteral(" : ") + mesure;
    return entetes;
}

QStringList cellules_statistiques(const LigneStatistiques &ligne)
{
    return QStringList{ ligne.nom } + cellules_test(ligne.mots) + cellules_test(ligne.musique);
}

QStringList resume_statistiques(const LigneStatistiques &ligne)
{
    QStringList resume;
    for (const auto &[test, comptes] : { std::pair{ QStringLiteral("Mots"), ligne.mots },
                                         std::pair{ QStringLiteral("Musique"), ligne.musique } }) {
        const QStringList c = cellules_test(comptes);
        if (c[0] == QStringLiteral("0"))
            continue;
        QString texte = QStringLiteral("%1 : %2 %3, %4 % justes, p = %5")
                                .arg(test, c[0],
                                     c[0] == QStringLiteral("1") ? QStringLiteral("essai")
                                                                 : QStringLiteral("essais"),
                                     c[1], c[2].startsWith(u'<') ? c[2].mid(2) : c[2]);
        if (c[2].startsWith(u'<'))
            texte.replace(QStringLiteral("p = "), QStringLiteral("p < "));
        if (!c[3].isEmpty())
            texte += QStringLiteral(", d′ = %1, c = %2").arg(c[3], c[4]);
        resume << texte;
    }
    return resume;
}

QString nombre_francais(double valeur, int decimales)
{
    static const QLocale francais(QLocale::French, QLocale::France);
    QString texte = francais.toString(valeur, 'f', decimales);
    // "-0,00" says nothing a plain zero does not.
    if (texte.startsWith(francais.negativeSign())) {
        const QString reste = texte.mid(francais.negativeSign().size());
        const bool zero = std::all_of(reste.begin(), reste.end(), [](QChar c) {
            return c == QLatin1Char('0') || c == francais.decimalPoint();
        });
        if (zero)
            return reste;
    }
    return texte;
}

void ModeleStatistiques::definit(const QVector<LigneStatistiques> &lignes)
{
    beginResetModel();
    m_cellules.clear();
    for (const LigneStatistiques &ligne : lignes)
        m_cellules << cellules_statistiques(ligne);
    endResetModel();
}

int ModeleStatistiques::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cellules.size());
}

int ModeleStatistiques::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entetes_statistiques().size());
}

QVariant ModeleStatistiques::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cellules.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_cellules[index.row()].value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant ModeleStatistiques::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return entetes_statistiques().value(section);
}

} // namespace fantrel::results
