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

// Bytes that would be read back as UTF-8 (valid, with non-ASCII bytes): a file
// written in Windows-1252 that happens to look so is read differently.
inline bool lu_comme_utf8(const QByteArray &contenu)
{
    return fantrel::platform::decode_texte(contenu)
            != fantrel::platform::decode_windows1252(contenu);
}

// A text as it comes back from a Windows-1252 file: characters the code page lacks
// become '?'.
inline QString apres_ecriture(const QString &texte)
{
    return fantrel::platform::decode_windows1252(fantrel::platform::encode_windows1252(texte));
}

inline QStringList apres_ecriture(const QStringList &lignes)
{
    QStringList resultat;
    for (const QString &l : lignes)
        resultat << apres_ecriture(l);
    return resultat;
}

// The lines written to a file as the program writes them (CR LF, Windows-1252), and
// what reading that file gives; `ambigu` is set when the bytes look like UTF-8.
inline QStringList relues(const QStringList &lignes, bool &ambigu)
{
    const QByteArray fichier =
            fantrel::platform::encode_windows1252(fantrel::platform::joint_lignes(lignes));
    ambigu = lu_comme_utf8(fichier);
    return lignes_du_fichier(fichier);
}

inline QString montre(const QStringList &lignes)
{
    QString texte;
    for (const QString &l : lignes)
        texte += QStringLiteral("  «") + l + QStringLiteral("»\n");
    return texte;
}

} // namespace fuzz
