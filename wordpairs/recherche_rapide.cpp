#include "wordpairs/recherche_rapide.h"
#include <algorithm>
#include <thread>

namespace fantrel::wordpairs {

namespace {

// Below this many lines a class is indexed in a few milliseconds, in place.
constexpr int lignes_sans_fil = 400;

// Runs `construit` on a thread left to itself: dropping the future never waits.
template<class T, class F>
std::future<std::shared_ptr<T>> lance(F construit)
{
    auto promesse = std::make_shared<std::promise<std::shared_ptr<T>>>();
    auto futur = promesse->get_future();
    std::thread([promesse, construit = std::move(construit)] {
        promesse->set_value(construit());
    }).detach();
    return futur;
}

} // namespace

RechercheRapide::RechercheRapide(BaseMots base, Demande demande)
    : Recherche(std::move(base), std::move(demande))
{
    m_contient = [this](const QString &texte) { return contient(texte); };
    m_i = m_bornes.debut;
    if (m_demande.mot_seul)
        for (int j = 0; j < m_base.nb_lignes(); ++j)
            if (m_base.classes[std::size_t(j)] == m_demande.longueur)
                m_lignes_mot.push_back(j);
    // A single word asks about a handful of participles at most: scans do.
    if (m_demande.mot_seul || finie())
        return;
    m_futur_participes = lance<IndexParticipes>(
            [lignes = m_base.lignes] { return std::make_shared<IndexParticipes>(lignes); });
    if (m_bornes.fin - m_bornes.debut < lignes_sans_fil)
        m_index = std::make_shared<IndexClasse>(m_base.lignes, m_bornes.debut, m_bornes.fin);
    else
        m_futur_index = lance<IndexClasse>([lignes = m_base.lignes, b = m_bornes] {
            return std::make_shared<IndexClasse>(lignes, b.debut, b.fin);
        });
}

RechercheRapide::~RechercheRapide() = default;

bool RechercheRapide::finie() const
{
    if (m_demande.mot_seul)
        return m_mot_fini;
    return m_i >= m_bornes.fin - 1;
}

namespace {

// Takes what a thread built once it is there; waits a little for it otherwise.
template<class T>
bool recupere(std::future<std::shared_ptr<T>> &futur, std::shared_ptr<T> &cible)
{
    if (!futur.valid())
        return true;
    if (futur.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
        return false;
    cible = futur.get();
    return true;
}

} // namespace

// The class index, and the participle index while that filter is checked.
bool RechercheRapide::index_pret()
{
    return recupere(m_futur_index, m_index)
            && (!m_filtres.participes || recupere(m_futur_participes, m_participes));
}

// Without the participle index (a single word), a question is answered by a scan
// of the lines, and the answer kept.
bool RechercheRapide::contient(const QString &texte)
{
    if (m_participes)
        return m_participes->contient(texte);
    if (const auto r = m_reponses.constFind(texte); r != m_reponses.cend())
        return *r;
    const bool reponse = base_contient_simple(m_base.lignes, texte);
    m_reponses.insert(texte, reponse);
    return reponse;
}

bool RechercheRapide::avance(qint64 budget)
{
    if (!finie() && !index_pret())
        return false;
    return m_demande.mot_seul ? avance_mot(budget) : avance_classe(budget);
}

bool RechercheRapide::avance_mot(qint64 budget)
{
    if (!progression_prete())
        prepare_progression(m_base.nb_lignes());
    const QString &a = m_demande.mot;
    for (; m_k < m_lignes_mot.size() && budget > 0; ++m_k) {
        const int j = m_lignes_mot[m_k];
        progresse(j + 1);
        for (QStringView b : mots_de_la_ligne_vues(m_base.lignes.at(j))) {
            --budget;
            if (est_couple(a, b, m_filtres, m_contient))
                liste(a, b);
        }
    }
    if (m_k == m_lignes_mot.size()) {
        progresse(m_base.nb_lignes());
        m_mot_fini = true;
    }
    return finie();
}

qint64 RechercheRapide::rassemble(int ligne)
{
    qint64 cout = 0;
    int nb_mots = 0;
    const int *ids = m_index->mots_ligne(ligne, nb_mots);
    for (int place_a = 0; place_a < nb_mots; ++place_a) {
        if (ids[place_a] < 0)
            continue;
        m_candidats.clear();
        cout += m_index->candidats(ids[place_a], m_candidats);
        for (const IndexClasse::Candidat &c : m_candidats) {
            int nb_occ = 0;
            const IndexClasse::Occurrence *occ = m_index->occurrences(c.mot, nb_occ);
            const auto *apres = std::upper_bound(
                    occ, occ + nb_occ, ligne,
                    [](int l, const IndexClasse::Occurrence &o) { return l < o.ligne; });
            for (; apres != occ + nb_occ; ++apres)
                m_trouves.push_back(
                        { apres->ligne, place_a, apres->place, ids[place_a], c.mot, c.difference });
        }
    }
    std::sort(m_trouves.begin(), m_trouves.end(), [](const Trouve &x, const Trouve &y) {
        return std::tie(x.ligne, x.place_a, x.place_b) < std::tie(y.ligne, y.place_a, y.place_b);
    });
    return cout + qint64(m_trouves.size());
}

bool RechercheRapide::avance_classe(qint64 budget)
{
    const int fin = m_bornes.fin;
    while (m_i < fin - 1 && budget > 0) {
        if (!m_entamee) {
            const int classe = m_base.classes[std::size_t(m_i)];
            if (!ligne_cochee(classe)) {
                ++m_i;
                --budget;
                continue;
            }
            if (!progression_prete())
                prepare_progression(m_base.nb_lignes_classe(classe));
            progresse_de_un();
            budget -= rassemble(m_i);
            m_entamee = true;
        }
        // One inner line at a time, so that a pause never splits one.
        while (m_suivant < m_trouves.size() && budget > 0) {
            const int j = m_trouves[m_suivant].ligne;
            for (; m_suivant < m_trouves.size() && m_trouves[m_suivant].ligne == j;
                 ++m_suivant, --budget) {
                const Trouve &t = m_trouves[m_suivant];
                const QStringView a = m_index->mot(t.mot_a);
                const QStringView b = m_index->mot(t.mot_b);
                if (accepte_candidat(a, b, t.difference, m_filtres, m_contient))
                    liste(a, b);
            }
        }
        if (m_suivant == m_trouves.size()) {
            m_trouves.clear();
            m_suivant = 0;
            m_entamee = false;
            ++m_i;
        }
    }
    return finie();
}

qsizetype RechercheRapide::memoire_octets() const
{
    return (m_index ? m_index->memoire_octets() : 0)
            + (m_participes ? m_participes->memoire_octets() : 0)
            + qsizetype(m_trouves.capacity() * sizeof(Trouve));
}

} // namespace fantrel::wordpairs
