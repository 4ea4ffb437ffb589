#include "platform/fichier_texte.h"
#include "platform/erreurs.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fantrel::platform {

namespace {

// Code points of bytes 0x80..0x9F; the five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> table_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char octet_windows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < table_80_9f.size(); ++i)
        if (table_80_9f[i] == c)
            return char(0x80 + i);
    return '?';
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool est_utf8_valide(const QByteArray &octets)
{
    const auto *p = reinterpret_cast<const unsigned char *>(octets.constData());
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        int suite = 0;
        unsigned char min2 = 0x80, max2 = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            suite = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            suite = 2;
            if (c == 0xE0)
                min2 = 0xA0;
            if (c == 0xED)
                max2 = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            suite = 3;
            if (c == 0xF0)
                min2 = 0x90;
            if (c == 0xF4)
                max2 = 0x8F;
        } else {
            return false;
        }
        if (i + suite >= n)
            return false;
        if (p[i + 1] < min2 || p[i + 1] > max2)
            return false;
        for (int k = 2; k <= suite; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += suite + 1;
    }
    return true;
}

bool contient_non_ascii(const QByteArray &octets)
{
    for (char c : octets)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

QByteArray lit_octets(const QString &chemin)
{
    QFile fichier(chemin);
    if (QFileInfo(chemin).isDir() || !fichier.open(QIODevice::ReadOnly))
        throw erreur_ouverture(chemin);
    return fichier.readAll();
}

void ecrit_octets(const QString &chemin, const QByteArray &octets)
{
    // Renaming over a read-only file would succeed, even as root.
    verifie_cible_ecriture(chemin);
    QSaveFile fichier(chemin);
    // NOTE: unbuffered, so that a write the disc refuses (full) fails here: a buffered
    // write only reaches the disc when commit() closes the file, which then ignores
    // the failure and renames the empty temporary file over the previous one.
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        echec_creation(chemin, fichier.errorString());
    if (fichier.write(octets) != octets.size()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        echec_creation(chemin, raison);
    }
    if (!fichier.commit())
        echec_creation(chemin, fichier.errorString());
}

} // namespace

void echec_creation(const QString &chemin, const QString &raison)
{
    QString message = erreur_creation(chemin).message();
    if (!raison.isEmpty())
        message += QLatin1Char('\n') + raison;
    throw ErreurExecution(message);
}

void verifie_cible_ecriture(const QString &chemin)
{
    const QFileInfo info(chemin);
    if (info.isDir())
        echec_creation(chemin, QStringLiteral("C'est un dossier."));
    constexpr auto ecriture = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && (!info.isWritable() || !(info.permissions() & ecriture)))
        echec_creation(chemin, QStringLiteral("Le fichier est en lecture seule."));
}

QString decode_windows1252(const QByteArray &octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    QChar *sortie = texte.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto c = static_cast<unsigned char>(octets[i]);
        sortie[i] = (c >= 0x80 && c <= 0x9F) ? QChar(table_80_9f[c - 0x80]) : QChar(c);
    }
    return texte;
}

QByteArray encode_windows1252(const QString &texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        // One character outside the BMP is one '?', not two.
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
            ++i;
        octets += octet_windows1252(c.unicode());
    }
    return octets;
}

QString decode_texte(const QByteArray &octets)
{
    if (contient_non_ascii(octets) && est_utf8_valide(octets)) {
        // The decoder skips one initial BOM; a second one is text (U+FEFF) and stays.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        return utf8.decode(octets);
    }
    return decode_windows1252(octets);
}

QByteArray encode_fichier(const QString &texte)
{
    QByteArray octets = encode_windows1252(texte);
    if (decode_texte(octets) == texte)
        return octets;
    octets = texte.toUtf8();
    // The readers skip one initial BOM: a text that begins with one keeps it behind another.
    if (texte.startsWith(QChar(0xFEFF)))
        octets.prepend("\xEF\xBB\xBF");
    return octets;
}

QStringList decoupe_lignes(const QString &texte)
{
    QStringList lignes;
    qsizetype debut = 0;
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (texte[i] != u'\r' && texte[i] != u'\n')
            continue;
        lignes << texte.mid(debut, i - debut);
        if (texte[i] == u'\r' && i + 1 < n && texte[i + 1] == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < n)
        lignes << texte.mid(debut);
    return lignes;
}

QString joint_lignes(const QStringList &lignes)
{
    QString texte;
    for (const QString &ligne : lignes)
        texte += ligne + QStringLiteral("\r\n");
    return texte;
}

QStringList lire_lignes(const QString &chemin)
{
    return decoupe_lignes(lire_texte(chemin));
}

QString lire_texte(const QString &chemin)
{
    return decode_texte(lit_octets(chemin));
}

QStringList lire_lignes_systeme(const QString &chemin)
{
    if (QFileInfo(chemin).isDir())
        throw erreur_acces_refuse();
    // The system's own reason decides the message, so ask it directly.
    const int descripteur = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC);
    if (descripteur < 0) {
        const int numero = errno;
        if (numero == ENOENT || numero == ENOTDIR)
            throw erreur_fichier_introuvable();
        if (numero == EACCES || numero == EPERM)
            throw erreur_acces_refuse();
        throw erreur_entree_sortie(numero);
    }
    QFile fichier;
    if (!fichier.open(descripteur, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descripteur);
        throw erreur_entree_sortie(EIO);
    }
    const QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        throw erreur_entree_sortie(EIO);
    return decoupe_lignes(decode_texte(octets));
}

void ecrire_lignes(const QString &chemin, const QStringList &lignes)
{
    ecrit_octets(chemin, encode_fichier(joint_lignes(lignes)));
}

void ecrire_texte(const QString &chemin, const QString &texte)
{
    ecrit_octets(chemin, encode_fichier(texte));
}

QString chemin_relatif(const QString &repertoire, const QString &valeur)
{
    if (valeur.startsWith(QLatin1String(".\\")) || valeur.startsWith(QLatin1String("./")))
        return QDir(repertoire).filePath(valeur.mid(2).replace(u'\\', u'/'));
    return valeur;
}

} // namespace fantrel::platform
