#include "wordpairs/index_classe.h"
#include "wordpairs/base_mots.h"
#include <algorithm>

namespace fantrel::wordpairs {

namespace {

// Order of x and y with their letter d deleted (both are longer than d).
bool avant_sans(QStringView x, QStringView y, int d)
{
    const char16_t *px = x.utf16();
    const char16_t *py = y.utf16();
    for (int p = 0; p < d; ++p)
        if (px[p] != py[p])
            return px[p] < py[p];
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype p = d + 1; p < n; ++p)
        if (px[p] != py[p])
            return px[p] < py[p];
    return x.size() < y.size();
}

// The first four letters of x with its letter d deleted, 16 bits each, padded
// with zeros: ordered as avant_sans orders the words, ties aside.
quint64 cle_sans(QStringView x, int d)
{
    const char16_t *px = x.utf16();
    quint64 cle = 0;
    qsizetype p = 0;
    for (int k = 0; k < 4; ++k, ++p) {
        if (p == d)
            ++p;
        cle = (cle << 16) | (p < x.size() ? px[p] : 0u);
    }
    return cle;
}

// b equals a at every place of a but d; `meme_longueur` also asks |b| = |a|
// (the deleted forms are equal), otherwise |b| ≥ |a| (b's starts with a's).
bool pareil_sauf(QStringView b, QStringView a, int d, bool meme_longueur)
{
    if (meme_longueur ? b.size() != a.size() : b.size() < a.size())
        return false;
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    for (qsizetype p = 0; p < a.size(); ++p)
        if (p != d && pa[p] != pb[p])
            return false;
    return true;
}

} // namespace

IndexClasse::IndexClasse(const QStringList &lignes, int debut, int fin)
    : m_lignes(lignes), m_debut(debut)
{
    indexe_mots(fin);
    indexe_occurrences(fin);
    indexe_ordres();
}

void IndexClasse::indexe_mots(int fin)
{
    const int debut = m_debut;
    m_nb_occ.clear();
    for (int ligne = debut; ligne < fin; ++ligne) {
        m_debut_ligne.push_back(int(m_mots_lignes.size()));
        for (QStringView mot : mots_de_la_ligne_vues(m_lignes.at(ligne))) {
            if (mot.isEmpty()) {
                m_mots_lignes.push_back(-1);
                continue;
            }
            auto place = m_ids.constFind(mot);
            if (place == m_ids.cend()) {
                place = m_ids.insert(mot, int(m_mots.size()));
                m_mots.push_back(mot);
                m_nb_occ.push_back(0);
            }
            ++m_nb_occ[std::size_t(*place)];
            m_mots_lignes.push_back(*place);
        }
    }
    m_debut_ligne.push_back(int(m_mots_lignes.size()));
}

// Occurrences, gathered per word in line order.
void IndexClasse::indexe_occurrences(int fin)
{
    const int debut = m_debut;
    m_debut_occ.assign(m_mots.size() + 1, 0);
    for (std::size_t id = 0; id < m_mots.size(); ++id)
        m_debut_occ[id + 1] = m_debut_occ[id] + m_nb_occ[id];
    m_occ.resize(std::size_t(m_debut_occ.back()));
    std::vector<int> suivante(m_debut_occ.begin(), m_debut_occ.end() - 1);
    for (int ligne = debut; ligne < fin; ++ligne) {
        const int premier = m_debut_ligne[std::size_t(ligne - debut)];
        const int dernier = m_debut_ligne[std::size_t(ligne - debut + 1)];
        for (int k = premier; k < dernier; ++k)
            if (const int id = m_mots_lignes[std::size_t(k)]; id >= 0)
                m_occ[std::size_t(suivante[std::size_t(id)]++)] = { ligne, k - premier };
    }
    m_nb_occ = {};
}

// One order per place d, and each word's rank in it.
void IndexClasse::indexe_ordres()
{
    m_debut_rang.assign(m_mots.size() + 1, 0);
    for (std::size_t id = 0; id < m_mots.size(); ++id) {
        const int longueur = int(m_mots[id].size());
        m_debut_rang[id + 1] = m_debut_rang[id] + longueur;
        if (std::size_t(longueur) > m_ordre.size())
            m_ordre.resize(std::size_t(longueur));
        for (int d = 0; d < longueur; ++d)
            m_ordre[std::size_t(d)].push_back(int(id));
    }
    m_rang.resize(std::size_t(m_debut_rang.back()));
    std::vector<std::pair<quint64, int>> cles;
    for (std::size_t d = 0; d < m_ordre.size(); ++d) {
        auto &ordre = m_ordre[d];
        // The first four letters of the deleted form settle most comparisons.
        cles.clear();
        for (int id : ordre)
            cles.emplace_back(cle_sans(mot(id), int(d)), id);
        std::sort(cles.begin(), cles.end(), [this, d](const auto &x, const auto &y) {
            if (x.first != y.first)
                return x.first < y.first;
            return avant_sans(mot(x.second), mot(y.second), int(d));
        });
        for (std::size_t r = 0; r < cles.size(); ++r) {
            ordre[r] = cles[r].second;
            m_rang[std::size_t(m_debut_rang[std::size_t(ordre[r])]) + d] = int(r);
        }
    }
}

const int *IndexClasse::mots_ligne(int ligne, int &nombre) const
{
    const std::size_t k = std::size_t(ligne - m_debut);
    nombre = m_debut_ligne[k + 1] - m_debut_ligne[k];
    return m_mots_lignes.data() + m_debut_ligne[k];
}

const IndexClasse::Occurrence *IndexClasse::occurrences(int id, int &nombre) const
{
    nombre = m_debut_occ[std::size_t(id) + 1] - m_debut_occ[std::size_t(id)];
    return m_occ.data() + m_debut_occ[std::size_t(id)];
}

qint64 IndexClasse::candidats(int id_a, std::vector<Candidat> &sortie) const
{
    const QStringView a = mot(id_a);
    const int n = int(a.size());
    qint64 vus = 1;
    for (int d = 0; d < n; ++d) {
        const auto &ordre = m_ordre[std::size_t(d)];
        const int r = m_rang[std::size_t(m_debut_rang[std::size_t(id_a)] + d)];
        // Equal deleted forms may stand on both sides of a; longer ones follow them.
        for (int k = r - 1; k >= 0; --k, ++vus) {
            const QStringView b = mot(ordre[std::size_t(k)]);
            if (!pareil_sauf(b, a, d, true))
                break;
            if (b[d] != a[d])
                sortie.push_back({ ordre[std::size_t(k)], d });
        }
        for (std::size_t k = std::size_t(r) + 1; k < ordre.size(); ++k, ++vus) {
            const QStringView b = mot(ordre[k]);
            if (!pareil_sauf(b, a, d, false))
                break;
            if (b[d] != a[d])
                sortie.push_back({ ordre[k], d });
        }
    }
    if (n >= 2)
        if (const auto court = m_ids.constFind(a.left(n - 1)); court != m_ids.cend())
            sortie.push_back({ *court, n - 1 });
    return vus;
}

qsizetype IndexClasse::memoire_octets() const
{
    qsizetype octets = qsizetype(m_mots.capacity() * sizeof(QStringView))
            + m_ids.capacity() * qsizetype(sizeof(QStringView) + 2 * sizeof(int))
            + qsizetype((m_debut_ligne.capacity() + m_mots_lignes.capacity()
                         + m_debut_occ.capacity() + m_debut_rang.capacity() + m_rang.capacity())
                        * sizeof(int))
            + qsizetype(m_occ.capacity() * sizeof(Occurrence));
    for (const auto &ordre : m_ordre)
        octets += qsizetype(ordre.capacity() * sizeof(int));
    return octets;
}

} // namespace fantrel::wordpairs
