#include "wordpairs/participes.h"
#include <algorithm>

namespace fantrel {

bool base_contient_simple(const QStringList& lignes, const QString& texte)
{
    for (const QString& ligne : lignes)
        if (ligne.contains(texte))
            return true;
    return false;
}

namespace {

quint32 cle(const char16_t* deux_lettres)
{
    return quint32(deux_lettres[0]) << 16 | deux_lettres[1];
}

} // namespace

IndexParticipes::IndexParticipes(const QStringList& lignes)
    : m_vide(lignes.isEmpty()), m_texte(lignes.join(u'\n'))
{
    const char16_t* t = QStringView(m_texte).utf16();
    for (qsizetype p = 2; p + 2 <= m_texte.size(); ++p)
        if (t[p] == u'e' && t[p + 1] == u'r')
            m_places[cle(t + p - 2)].push_back(quint32(p - 2));
}

bool IndexParticipes::cherche(const QString& texte) const
{
    // A text holds no line break, so a match inside the joined text is a match
    // inside one line.
    if (texte.size() < 4 || !texte.endsWith(u"er"))
        return m_texte.contains(texte);
    const qsizetype avant = texte.size() - 4;    // letters before the indexed two
    const auto trouve = m_places.constFind(cle(QStringView(texte).utf16() + avant));
    if (trouve == m_places.cend())
        return false;
    const char16_t* t = QStringView(m_texte).utf16();
    const char16_t* debut = QStringView(texte).utf16();
    for (const qsizetype place : *trouve)
        if (place >= avant && std::equal(debut, debut + avant, t + place - avant))
            return true;
    return false;
}

bool IndexParticipes::contient(const QString& texte)
{
    if (m_vide || texte.contains(u'\n'))
        return false;       // no line, or a text no single line can hold
    if (const auto r = m_reponses.constFind(texte); r != m_reponses.cend())
        return *r;
    const bool reponse = cherche(texte);
    m_reponses.insert(texte, reponse);
    return reponse;
}

qsizetype IndexParticipes::memoire_octets() const
{
    qsizetype octets = m_texte.capacity() * 2;
    for (const auto& places : m_places)
        octets += qsizetype(places.capacity() * sizeof(quint32));
    return octets;
}

} // namespace fantrel
