// Text files as the program stores them: Windows-1252 with CR LF on writing, or
// UTF-8 for a text Windows-1252 cannot give back (nothing typed is lost).
// Reading accepts CR LF, lone CR or lone LF as line ends; a final line break adds
// no line. A file that is valid UTF-8 and holds non-ASCII bytes is read as UTF-8.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fantrel::platform {

// NOTE: the five bytes Windows-1252 leaves undefined (81 8D 8F 90 9D) map to the
// code points of the same value, so decoding then encoding gives the bytes back.
QString decode_windows1252(const QByteArray &octets);
QByteArray encode_windows1252(const QString &texte); // unmappable characters become '?'
QString decode_texte(const QByteArray &octets); // UTF-8 detection, else Windows-1252
// The bytes a file holding the text is written with: Windows-1252 when decode_texte
// gives the text back from them, else UTF-8. NOTE: UTF-8 also for the rare texts whose
// Windows-1252 bytes would read as UTF-8 ("Ã©" would come back as "é").
QByteArray encode_fichier(const QString &texte);

// Splits decoded text into lines by CR LF, CR or LF; a final break adds no line.
QStringList decoupe_lignes(const QString &texte);
// Joins lines, each followed by CR LF.
QString joint_lignes(const QStringList &lignes);

// Reads a whole file as lines. Throws erreur_ouverture(chemin) when it cannot be
// opened (missing, a directory, no permission).
QStringList lire_lignes(const QString &chemin);
// Reads a whole file as decoded text (line ends kept). Same error.
QString lire_texte(const QString &chemin);
// As lire_lignes, but failing with the run-time's system errors, as the settings file
// does: "Fichier introuvable", "Accès au fichier refusé" (a folder too), "Erreur E/S %d".
QStringList lire_lignes_systeme(const QString &chemin);

// Replaces the file atomically with the lines, each ended by CR LF, encoded by
// encode_fichier. A failed save leaves the previous file whole and throws
// erreur_creation(chemin) (with the system's reason appended after a line break when
// it is known).
void ecrire_lignes(const QString &chemin, const QStringList &lignes);
// Same for text written as it stands.
void ecrire_texte(const QString &chemin, const QString &texte);

// A settings-style path: a value starting with ".\" or "./" is relative to repertoire.
// The error of a save to chemin, its reason on a second line; never returns.
[[noreturn]] void echec_creation(const QString &chemin, const QString &raison);
// Refuses, through echec_creation, a target that is a folder or read-only: a file with
// no write permission bit counts as read-only even for root, as the user expects.
void verifie_cible_ecriture(const QString &chemin);

QString chemin_relatif(const QString &repertoire, const QString &valeur);

} // namespace fantrel::platform
