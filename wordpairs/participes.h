// Whether some line of the base holds a text, as the participle filter asks it
// about infinitives: once by scanning every line, or through an index.
#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace fantrel::wordpairs {

// The plain way: every line, in order, until one holds the text.
bool base_contient_simple(const QStringList &lignes, const QString &texte);

// Answers for texts ending in "er" (every infinitive does) from the places of
// "er" in the base, grouped by the two letters before (a flat table for the
// letters of Windows-1252, a hash for the others); other texts by a scan. Each
// answer is kept, so a verb asked about again costs one hash look-up.
// NOTE: may be built on another thread; contient() belongs to one thread.
class IndexParticipes
{
public:
    explicit IndexParticipes(const QStringList &lignes);
    bool contient(const QString &texte);
    qsizetype memoire_octets() const;

private:
    bool cherche(const QString &texte) const;

    bool m_vide = false;
    QString m_texte; // lines joined by '\n'
    std::vector<quint32> m_debuts; // per pair of letters < 256: first entry in m_places
    std::vector<quint32> m_places; // place of the first of the two letters
    QHash<quint32, std::vector<quint32>> m_autres; // the same for other pairs of letters
    QHash<QString, bool> m_reponses;
};

} // namespace fantrel::wordpairs
