// GL buffers of the meshes of one context, keyed by mesh number. A mesh nobody
// holds any more loses its buffers at the next purge.
#pragma once
#include "engine3d/maillage.h"

#include <QOpenGLFunctions>

#include <memory>
#include <unordered_map>

namespace fantrel::engine3d {

class TamponsGPU
{
public:
    struct Tampon
    {
        GLuint sommets = 0;
        GLuint indices = 0;
        GLsizei nb_indices = 0;
    };

    // The context must be current for every call below.
    void initialise(QOpenGLFunctions *gl) { m_gl = gl; }
    // Uploads the mesh on first use; an empty mesh gets no buffers (nb_indices 0).
    const Tampon &tampon(const std::shared_ptr<const Maillage> &maillage);
    void purge();
    void libere();
    std::size_t taille() const { return m_entrees.size(); }

private:
    struct Entree
    {
        std::weak_ptr<const Maillage> maillage;
        Tampon tampon;
    };
    void detruit(Tampon &tampon);

    QOpenGLFunctions *m_gl = nullptr;
    std::unordered_map<std::uint64_t, Entree> m_entrees;
    Tampon m_vide;
};

} // namespace fantrel::engine3d
