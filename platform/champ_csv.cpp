#include "platform/champ_csv.h"
#include <QLocale>

namespace fantrel::platform {

namespace {

QString cite_si(const QString &texte, const QString &speciaux)
{
    bool a_citer = false;
    for (QChar c : texte)
        a_citer = a_citer || speciaux.contains(c);
    if (!a_citer)
        return texte;
    QString cite = texte;
    cite.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + cite + QLatin1Char('"');
}

} // namespace

QString champ_csv(const QString &texte)
{
    return cite_si(texte, QStringLiteral(",\"\r\n"));
}

QString champ_csv(const QString &texte, FormeCsv forme)
{
    if (forme == FormeCsv::r_pandas)
        return champ_csv(texte);
    static const QString formules = QStringLiteral("=+-@");
    const bool formule = !texte.isEmpty() && formules.contains(texte.front());
    return cite_si(formule ? QLatin1Char('\'') + texte : texte, QStringLiteral(";\"\r\n"));
}

QString nombre_csv(double valeur, FormeCsv forme)
{
    QString texte = QString::number(valeur, 'g', QLocale::FloatingPointShortest);
    if (forme == FormeCsv::tableur_france)
        texte.replace(QLatin1Char('.'), QLatin1Char(','));
    return texte;
}

QChar separateur_csv(FormeCsv forme)
{
    return forme == FormeCsv::r_pandas ? QLatin1Char(',') : QLatin1Char(';');
}

QByteArray debut_fichier_csv(FormeCsv forme)
{
    return forme == FormeCsv::r_pandas ? QByteArray() : QByteArray("\xEF\xBB\xBF");
}

} // namespace fantrel::platform
