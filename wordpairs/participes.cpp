#include "wordpairs/participes.h"
#include <algorithm>
#include <utility>

namespace fantrel::wordpairs {

bool base_contient_simple(const QStringList &lignes, const QString &texte)
{
    for (const QString &ligne : lignes)
        if (ligne.contains(texte))
            return true;
    return false;
}

namespace {

bool latin(char16_t a, char16_t b)
{
    return a < 256 && b < 256;
}

} // namespace

IndexParticipes::IndexParticipes(const QStringList &lignes)
    : m_vide(lignes.isEmpty()), m_texte(lignes.join(u'\n'))
{
    // Counted first, then placed: one flat table rather than a hash look-up per "er".
    const char16_t *t = QStringView(m_texte).utf16();
    const qsizetype n = m_texte.size();
    m_debuts.assign(65536 + 1, 0);
    for (qsizetype p = 2; p + 2 <= n; ++p) {
        if (t[p] != u'e' || t[p + 1] != u'r')
            continue;
        if (latin(t[p - 2], t[p - 1]))
            ++m_debuts[std::size_t(t[p - 2]) << 8 | t[p - 1]];
        else
            m_autres[quint32(t[p - 2]) << 16 | t[p - 1]].push_back(quint32(p - 2));
    }
    quint32 total = 0;
    for (quint32 &debut : m_debuts)
        total += std::exchange(debut, total);
    m_places.resize(total);
    std::vector<quint32> suivante(m_debuts.begin(), m_debuts.end() - 1);
    for (qsizetype p = 2; p + 2 <= n; ++p)
        if (t[p] == u'e' && t[p + 1] == u'r' && latin(t[p - 2], t[p - 1]))
            m_places[suivante[std::size_t(t[p - 2]) << 8 | t[p - 1]]++] = quint32(p - 2);
}

bool IndexParticipes::cherche(const QString &texte) const
{
    // A text holds no line break, so a match inside the joined text is a match
    // inside one line.
    if (texte.size() < 4 || !texte.endsWith(u"er"))
        return m_texte.contains(texte);
    const qsizetype avant = texte.size() - 4; // letters before the indexed two
    const char16_t *debut = QStringView(texte).utf16();
    const char16_t a = debut[avant];
    const char16_t b = debut[avant + 1];
    const quint32 *premiere = nullptr;
    const quint32 *derniere = nullptr;
    if (latin(a, b)) {
        const std::size_t cle = std::size_t(a) << 8 | b;
        premiere = m_places.data() + m_debuts[cle];
        derniere = m_places.data() + m_debuts[cle + 1];
    } else if (const auto autres = m_autres.constFind(quint32(a) << 16 | b);
               autres != m_autres.cend()) {
        premiere = autres->data();
        derniere = autres->data() + autres->size();
    }
    const char16_t *t = QStringView(m_texte).utf16();
    for (; premiere != derniere; ++premiere)
        if (*premiere >= avant && std::equal(debut, debut + avant, t + *premiere - avant))
            return true;
    return false;
}

bool IndexParticipes::contient(const QString &texte)
{
    if (m_vide || texte.contains(u'\n'))
        return false; // no line, or a text no single line can hold
    if (const auto r = m_reponses.constFind(texte); r != m_reponses.cend())
        return *r;
    const bool reponse = cherche(texte);
    m_reponses.insert(texte, reponse);
    return reponse;
}

qsizetype IndexParticipes::memoire_octets() const
{
    qsizetype octets = m_texte.capacity() * 2
            + qsizetype((m_debuts.capacity() + m_places.capacity()) * sizeof(quint32));
    for (const auto &places : m_autres)
        octets += qsizetype(places.capacity() * sizeof(quint32));
    return octets;
}

} // namespace fantrel::wordpairs
