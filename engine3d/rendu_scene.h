// Draws a scene with the current GL context: lit pass into the bound framebuffer,
// and the id pass for picking. Create, use and free it with the context current.
#pragma once
#include "engine3d/couleur.h"
#include "engine3d/scene.h"
#include "engine3d/shaders.h"
#include "engine3d/tampons_gpu.h"

#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <array>
#include <memory>

namespace fantrel::engine3d {

class RenduScene
{
public:
    // Compiles the shaders; false (with a warning) if the context cannot run them.
    bool initialise();
    bool pret() const { return m_pret; }

    // Clears to `fond` and draws the scene over a viewport of `pixels`.
    void dessine(const Scene &scene, QSize pixels, const CouleurRVBA &fond);

    // Picking id (index in scene.objets() + 1) of the nearest object within the
    // square of side 2 * rayon + 1 pixels centred on `pixel` (GL convention:
    // origin bottom-left), or 0. Draws only that square, into its own small target.
    int identifiant_sous(const Scene &scene, QSize pixels, QPoint pixel, int rayon);

    void libere();

private:
    struct Emplacements
    {
        int mvp = -1, modele = -1, matrice_normale = -1;
        int emission = -1, ambiante = -1, diffuse = -1, speculaire = -1, brillance = -1;
        int eclaire = -1, ambiante_scene = -1, nb_lumieres = -1, vers_oeil = -1;
        int lum_position = -1, lum_ambiante = -1, lum_diffuse = -1, lum_speculaire = -1,
            lum_attenuation = -1;
        int id_mvp = -1, id_couleur = -1;
    };
    enum class Passe { Eclairee, Identifiants };

    bool compile(QOpenGLShaderProgram &programme, const char *sommets, const char *fragments);
    void prepare_lumieres(const Scene &scene);
    void dessine_objets(const Scene &scene, const QMatrix4x4 &vue_projection, Passe passe);
    void dessine_maillage(const std::shared_ptr<const Maillage> &maillage, const QMatrix4x4 &modele,
                          const QMatrix4x4 &vue_projection, Passe passe);

    QOpenGLFunctions m_gl;
    QOpenGLShaderProgram m_eclaire;
    QOpenGLShaderProgram m_identifiants;
    Emplacements m_emp;
    TamponsGPU m_tampons;
    std::shared_ptr<const Maillage> m_boite_unite;
    std::unique_ptr<QOpenGLFramebufferObject> m_cible_pique;
    bool m_pret = false;
    bool m_lecture_profondeur = true;

    std::array<QVector3D, shaders::nb_max_lumieres> m_lum_position{};
    std::array<QVector4D, shaders::nb_max_lumieres> m_lum_ambiante{};
    std::array<QVector4D, shaders::nb_max_lumieres> m_lum_diffuse{};
    std::array<QVector4D, shaders::nb_max_lumieres> m_lum_speculaire{};
    std::array<GLfloat, shaders::nb_max_lumieres> m_lum_attenuation{};
    std::vector<GLubyte> m_pixels_pique;
    std::vector<GLfloat> m_profondeurs_pique;
};

} // namespace fantrel::engine3d
