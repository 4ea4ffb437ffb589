// The text-file decoder and the line splitter, on any bytes a file may hold.
// Properties: Windows-1252 decodes bijectively; UTF-8 is taken only when the bytes
// are valid UTF-8 with non-ASCII bytes; the splitter agrees with a plain reference;
// lines written (CR LF, Windows-1252) read back the same, characters outside the code
// page aside and unless the written bytes look like UTF-8.
#include "commun.h"
#include <QStringDecoder>
#include <QStringEncoder>

using namespace fantrel;

namespace {

// CR LF, lone CR and lone LF end a line; a final break adds no line.
QStringList decoupe_reference(QString texte)
{
    const bool fin_par_saut = texte.endsWith(u'\r') || texte.endsWith(u'\n');
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(u'\r', u'\n');
    QStringList lignes = texte.split(u'\n');
    if (fin_par_saut || texte.isEmpty())
        lignes.removeLast();
    return lignes;
}

bool ascii(const QByteArray &b)
{
    for (char c : b)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Qt's own decoder, keeping every character (a BOM included), as the reference of
// valid UTF-8: it replaces every ill-formed sequence (overlong, surrogate, beyond
// U+10FFFF, cut), so only valid bytes encode back to themselves.
QString utf8_brut(const QByteArray &b)
{
    constexpr auto tout =
            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    return QStringDecoder(QStringConverter::Utf8, tout).decode(b);
}

bool utf8_valide(const QByteArray &b)
{
    constexpr auto tout =
            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    return QByteArray(QStringEncoder(QStringConverter::Utf8, tout).encode(utf8_brut(b))) == b;
}

void verifie_decodage(const QByteArray &b)
{
    const QString w = platform::decode_windows1252(b);
    FUZZ_VERIFIE(w.size() == b.size(), "un octet Windows-1252 donne un caractère");
    FUZZ_VERIFIE(platform::encode_windows1252(w) == b,
                 "Windows-1252 se décode et se réencode à l'identique");

    const QString t = platform::decode_texte(b);
    if (ascii(b) || !utf8_valide(b)) {
        FUZZ_VERIFIE(t == w, "hors UTF-8 valide, le texte est lu en Windows-1252");
    } else {
        QString attendu = utf8_brut(b);
        if (attendu.startsWith(QChar(0xFEFF)))
            attendu.remove(0, 1);
        FUZZ_VERIFIE(t == attendu, "un UTF-8 valide est lu en UTF-8, sans son BOM");
    }
}

void verifie_decoupe(const QString &t)
{
    const QStringList lignes = platform::decoupe_lignes(t);
    FUZZ_VERIFIE(lignes == decoupe_reference(t), "découpe des lignes comme la référence",
                 fuzz::montre(lignes) + QStringLiteral("contre\n")
                         + fuzz::montre(decoupe_reference(t)));
    for (const QString &l : lignes)
        FUZZ_VERIFIE(!l.contains(u'\r') && !l.contains(u'\n'), "une ligne ne contient aucun saut");
    FUZZ_VERIFIE(platform::decoupe_lignes(platform::joint_lignes(lignes)) == lignes,
                 "lignes jointes par CR LF puis redécoupées");
}

void verifie_aller_retour(const QStringList &lignes)
{
    const QStringList relues = fuzz::relues(lignes);
    const QStringList attendues = fuzz::apres_ecriture(lignes);
    FUZZ_VERIFIE(relues == attendues, "lignes écrites puis relues",
                 fuzz::montre(relues) + QStringLiteral("contre\n") + fuzz::montre(attendues));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QByteArray b = fuzz::octets(donnees, taille);
    verifie_decodage(b);
    const QString t = platform::decode_texte(b);
    verifie_decoupe(t);
    verifie_decoupe(platform::decode_windows1252(b));
    verifie_aller_retour(platform::decoupe_lignes(t));
    // The same bytes seen as UTF-16, to reach characters outside Windows-1252 (kept,
    // in UTF-8) and surrogates: a pair is a character, a lone one writes as '?'.
    if (taille >= 2) {
        const QString u16(reinterpret_cast<const QChar *>(donnees), qsizetype(taille / 2));
        verifie_decoupe(u16);
        verifie_aller_retour(platform::decoupe_lignes(u16));
    }
    return 0;
}
