#include "engine3d/tampons_gpu.h"

namespace fantrel::engine3d {

static_assert(sizeof(SommetMaillage) == 6 * sizeof(float), "vertices are uploaded as they lie");

const TamponsGPU::Tampon &TamponsGPU::tampon(const std::shared_ptr<const Maillage> &maillage)
{
    if (!maillage || maillage->vide())
        return m_vide;
    if (const auto trouve = m_entrees.find(maillage->numero); trouve != m_entrees.end())
        return trouve->second.tampon;
    Tampon t;
    m_gl->glGenBuffers(1, &t.sommets);
    m_gl->glBindBuffer(GL_ARRAY_BUFFER, t.sommets);
    m_gl->glBufferData(GL_ARRAY_BUFFER,
                       static_cast<GLsizeiptr>(maillage->sommets.size() * sizeof(SommetMaillage)),
                       maillage->sommets.data(), GL_STATIC_DRAW);
    m_gl->glGenBuffers(1, &t.indices);
    m_gl->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, t.indices);
    m_gl->glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                       static_cast<GLsizeiptr>(maillage->indices.size() * sizeof(std::uint32_t)),
                       maillage->indices.data(), GL_STATIC_DRAW);
    t.nb_indices = static_cast<GLsizei>(maillage->indices.size());
    return m_entrees.emplace(maillage->numero, Entree{ maillage, t }).first->second.tampon;
}

void TamponsGPU::purge()
{
    for (auto it = m_entrees.begin(); it != m_entrees.end();) {
        if (it->second.maillage.expired()) {
            detruit(it->second.tampon);
            it = m_entrees.erase(it);
        } else {
            ++it;
        }
    }
}

void TamponsGPU::libere()
{
    for (auto &[numero, entree] : m_entrees)
        detruit(entree.tampon);
    m_entrees.clear();
}

void TamponsGPU::detruit(Tampon &tampon)
{
    m_gl->glDeleteBuffers(1, &tampon.sommets);
    m_gl->glDeleteBuffers(1, &tampon.indices);
    tampon = {};
}

} // namespace fantrel::engine3d
