// What the fuzz targets share: a failed property aborts with a message (libFuzzer
// then keeps the input as a crash), and the few text helpers the properties need.
#pragma once
#include "platform/fichier_texte.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// NOTE: a property is checked in Release builds too, so never through assert().
[[noreturn]] inline void echec(const char *propriete, const QString &detail = {})
{
    std::fprintf(stderr, "\n*** propriété fausse : %s\n%s\n", propriete, qUtf8Printable(detail));
    std::abort();
}

} // namespace fuzz

// Checks a property; the detail (any expression giving a QString) is built only when
// the property is false, since most inputs pass and the targets must stay fast.
#define FUZZ_VERIFIE(vrai, propriete, ...)                 \
  do {                                                     \
    if (!(vrai))                                           \
      ::fuzz::echec(propriete __VA_OPT__(, ) __VA_ARGS__); \
  } while (0)

namespace fuzz {

inline QByteArray octets(const std::uint8_t *donnees, std::size_t taille)
{
    return QByteArray(reinterpret_cast<const char *>(donnees), qsizetype(taille));
}

// A file's lines as the program reads them.
inline QStringList lignes_du_fichier(const QByteArray &contenu)
{
    return fantrel::platform::decoupe_lignes(fantrel::platform::decode_texte(contenu));
}

// A text as it comes back from a file the program wrote: every character, but a
// lone surrogate (no character at all) becomes '?'.
inline QString apres_ecriture(const QString &texte)
{
    QString resultat = texte;
    for (qsizetype i = 0; i < resultat.size(); ++i) {
        const QChar c = resultat[i];
        if (c.isHighSurrogate() && i + 1 < resultat.size() && resultat[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            resultat[i] = u'?';
    }
    return resultat;
}

inline QStringList apres_ecriture(const QStringList &lignes)
{
    QStringList resultat;
    for (const QString &l : lignes)
        resultat << apres_ecriture(l);
    return resultat;
}

// The lines written to a file as the program writes them (CR LF, Windows-1252 or
// UTF-8), and what reading that file gives.
inline QStringList relues(const QStringList &lignes)
{
    return lignes_du_fichier(
            fantrel::platform::encode_fichier(fantrel::platform::joint_lignes(lignes)));
}

inline QString montre(const QStringList &lignes)
{
    QString texte;
    for (const QString &l : lignes)
        texte += QStringLiteral("  «") + l + QStringLiteral("»\n");
    return texte;
}

} // namespace fuzz
