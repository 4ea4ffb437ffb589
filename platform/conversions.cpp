#include "platform/conversions.h"
#include "platform/erreurs.h"
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace fantrel::platform {

namespace {

bool est_chiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The run-time skips spaces only; a tab is not a blank for it.
bool est_blanc(QChar c)
{
    return c == u' ';
}

// For a number out of a double's range, written "[-]digits[.digits][e[+-]digits]":
// whether it is too small (its decimal order is negative) rather than too large. The
// order, not the exponent's sign, decides: "0,000…001" is tiny without any exponent,
// and a long run of digits with "e-5" is huge.
bool trop_petit(const std::string &c)
{
    const std::size_t e = c.find('e');
    const std::string mantisse = c.substr(0, e);
    const std::size_t point = std::min(mantisse.find('.'), mantisse.size());
    const std::size_t premier = mantisse.find_first_of("123456789");
    if (premier == std::string::npos)
        return true;
    std::int64_t ordre =
            premier < point ? std::int64_t(point - premier) - 1 : -std::int64_t(premier - point);
    if (e != std::string::npos) {
        std::int64_t exposant = 0;
        const bool negatif = c[e + 1] == '-';
        for (std::size_t k = e + 1; k < c.size(); ++k)
            if (c[k] >= '0' && c[k] <= '9')
                exposant = std::min<std::int64_t>(exposant * 10 + (c[k] - '0'), 1'000'000'000);
        ordre += negatif ? -exposant : exposant;
    }
    return ordre < 0;
}

} // namespace

int vers_entier(const QString &texte)
{
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n && est_blanc(texte[i]))
        ++i;
    bool negatif = false;
    if (i < n && (texte[i] == u'-' || texte[i] == u'+')) {
        negatif = texte[i] == u'-';
        ++i;
    }
    if (i == n)
        throw erreur_entier(texte);
    // Accumulate in 64 bits: ten digits of 32-bit range never overflow it, and the
    // bound check below stops any longer run.
    const std::int64_t limite = negatif ? std::int64_t{ 1 } << 31 : (std::int64_t{ 1 } << 31) - 1;
    std::int64_t valeur = 0;
    for (; i < n; ++i) {
        if (!est_chiffre(texte[i]))
            throw erreur_entier(texte);
        valeur = valeur * 10 + (texte[i].unicode() - u'0');
        if (valeur > limite)
            throw erreur_entier(texte);
    }
    return static_cast<int>(negatif ? -valeur : valeur);
}

double vers_reel(const QString &texte, QChar separateur)
{
    // Rewrite the accepted form in the C locale's terms, then let from_chars convert:
    // blanks, sign, digits, separator, digits, exponent, blanks.
    qsizetype i = 0;
    const qsizetype n = texte.size();
    std::string c_texte;
    while (i < n && est_blanc(texte[i]))
        ++i;
    if (i < n && (texte[i] == u'-' || texte[i] == u'+'))
        c_texte += texte[i++] == u'-' ? "-" : "";
    int chiffres = 0;
    for (; i < n && est_chiffre(texte[i]); ++i, ++chiffres)
        c_texte += char(texte[i].unicode());
    if (i < n && texte[i] == separateur) {
        c_texte += '.';
        for (++i; i < n && est_chiffre(texte[i]); ++i, ++chiffres)
            c_texte += char(texte[i].unicode());
    }
    if (chiffres == 0)
        throw erreur_reel(texte);
    if (i < n && (texte[i] == u'E' || texte[i] == u'e')) {
        c_texte += 'e';
        ++i;
        if (i < n && (texte[i] == u'-' || texte[i] == u'+'))
            c_texte += char(texte[i++].unicode());
        int chiffres_exposant = 0;
        for (; i < n && est_chiffre(texte[i]); ++i, ++chiffres_exposant)
            c_texte += char(texte[i].unicode());
        if (chiffres_exposant == 0)
            throw erreur_reel(texte);
    }
    while (i < n && est_blanc(texte[i]))
        ++i;
    if (i != n)
        throw erreur_reel(texte);
    double valeur = 0;
    const auto [fin, code] =
            std::from_chars(c_texte.data(), c_texte.data() + c_texte.size(), valeur);
    // Underflow reads as zero; overflow is an error, as the run-time reports it.
    if (code == std::errc::result_out_of_range) {
        if (!trop_petit(c_texte))
            throw erreur_reel(texte);
        valeur = c_texte[0] == '-' ? -0.0 : 0.0;
    } else if (code != std::errc() || fin != c_texte.data() + c_texte.size()) {
        throw erreur_reel(texte);
    }
    return valeur;
}

QString reel_general(double valeur, QChar separateur)
{
    if (std::isnan(valeur))
        return QStringLiteral("NAN");
    if (std::isinf(valeur))
        return valeur < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (valeur == 0)
        return QStringLiteral("0");
    // Fifteen significant digits, rounded once; the exponent is read after rounding so
    // that 999999999999999.9 counts as 1E15.
    char tampon[64];
    const auto resultat = std::to_chars(tampon, tampon + sizeof tampon, valeur,
                                        std::chars_format::scientific, 14);
    const std::string scientifique(tampon, resultat.ptr);
    const auto pos_e = scientifique.find('e');
    const int exposant = std::stoi(scientifique.substr(pos_e + 1));
    const bool negatif = scientifique[0] == '-';
    std::string chiffres;
    for (char c : scientifique.substr(0, pos_e))
        if (c >= '0' && c <= '9')
            chiffres += c;
    while (chiffres.size() > 1 && chiffres.back() == '0')
        chiffres.pop_back();

    QString texte = negatif ? QStringLiteral("-") : QString();
    const QChar sep = separateur;
    if (exposant < -4 || exposant >= 15) {
        texte += QChar(chiffres[0]);
        if (chiffres.size() > 1)
            texte += sep + QString::fromLatin1(chiffres.substr(1));
        texte += QStringLiteral("E%1").arg(exposant);
    } else if (exposant < 0) {
        texte += QChar(u'0') + QString(sep) + QString(-exposant - 1, u'0')
                + QString::fromLatin1(chiffres);
    } else {
        const auto entiers = static_cast<std::size_t>(exposant) + 1;
        if (chiffres.size() <= entiers) {
            texte += QString::fromLatin1(chiffres) + QString(int(entiers - chiffres.size()), u'0');
        } else {
            texte += QString::fromLatin1(chiffres.substr(0, entiers)) + sep
                    + QString::fromLatin1(chiffres.substr(entiers));
        }
    }
    return texte;
}

QChar separateur_regional()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

} // namespace fantrel::platform
