#include "engine3d/rendu_scene.h"

#include "engine3d/boite.h"
#include "engine3d/geometrie.h"
#include "engine3d/grille.h"
#include "engine3d/texte3d.h"

#include <QOpenGLContext>

#include <algorithm>
#include <limits>

namespace fantrel::engine3d {

namespace {

QVector4D vecteur(const CouleurRVBA &c)
{
    return { c.r, c.g, c.b, c.a };
}

constexpr GLsizei pas_sommet = sizeof(SommetMaillage);

} // namespace

bool RenduScene::compile(QOpenGLShaderProgram &programme, const char *sommets,
                         const char *fragments)
{
    const QByteArray entete = QOpenGLContext::currentContext()->isOpenGLES()
            ? QByteArrayLiteral("#version 100\nprecision mediump float;\n")
            : QByteArrayLiteral("#version 120\n");
    if (!programme.addShaderFromSourceCode(QOpenGLShader::Vertex, entete + sommets)
        || !programme.addShaderFromSourceCode(QOpenGLShader::Fragment, entete + fragments))
        return false;
    programme.bindAttributeLocation("a_position", 0);
    programme.bindAttributeLocation("a_normale", 1);
    return programme.link();
}

bool RenduScene::initialise()
{
    if (m_pret)
        return true;
    m_gl.initializeOpenGLFunctions();
    m_tampons.initialise(&m_gl);
    if (!compile(m_eclaire, shaders::sommets_eclaires, shaders::fragments_eclaires)
        || !compile(m_identifiants, shaders::sommets_identifiants,
                    shaders::fragments_identifiants)) {
        qWarning("engine3d : les shaders ne compilent pas : %s %s", qPrintable(m_eclaire.log()),
                 qPrintable(m_identifiants.log()));
        return false;
    }
    auto &p = m_eclaire;
    m_emp.mvp = p.uniformLocation("u_mvp");
    m_emp.modele = p.uniformLocation("u_modele");
    m_emp.matrice_normale = p.uniformLocation("u_matrice_normale");
    m_emp.emission = p.uniformLocation("u_emission");
    m_emp.ambiante = p.uniformLocation("u_ambiante");
    m_emp.diffuse = p.uniformLocation("u_diffuse");
    m_emp.speculaire = p.uniformLocation("u_speculaire");
    m_emp.brillance = p.uniformLocation("u_brillance");
    m_emp.eclaire = p.uniformLocation("u_eclaire");
    m_emp.ambiante_scene = p.uniformLocation("u_ambiante_scene");
    m_emp.nb_lumieres = p.uniformLocation("u_nb_lumieres");
    m_emp.vers_oeil = p.uniformLocation("u_vers_oeil");
    m_emp.lum_position = p.uniformLocation("u_lum_position");
    m_emp.lum_ambiante = p.uniformLocation("u_lum_ambiante");
    m_emp.lum_diffuse = p.uniformLocation("u_lum_diffuse");
    m_emp.lum_speculaire = p.uniformLocation("u_lum_speculaire");
    m_emp.lum_attenuation = p.uniformLocation("u_lum_attenuation");
    m_emp.id_mvp = m_identifiants.uniformLocation("u_mvp");
    m_emp.id_couleur = m_identifiants.uniformLocation("u_couleur");
    m_boite_unite = std::make_shared<const Maillage>(construit_boite(1, 1, 1));
    m_lecture_profondeur = !QOpenGLContext::currentContext()->isOpenGLES();
    m_pret = true;
    return true;
}

void RenduScene::prepare_lumieres(const Scene &scene)
{
    int n = 0;
    for (const Lumiere *l : scene.lumieres()) {
        if (!l->visible() || n == shaders::nb_max_lumieres)
            continue;
        m_lum_position[n] = l->position();
        m_lum_ambiante[n] = vecteur(l->ambiante());
        m_lum_diffuse[n] = vecteur(l->diffuse());
        m_lum_speculaire[n] = vecteur(l->speculaire());
        m_lum_attenuation[n] = l->attenuation_constante();
        ++n;
    }
    auto &p = m_eclaire;
    p.setUniformValue(m_emp.nb_lumieres, n);
    if (n == 0)
        return;
    p.setUniformValueArray(m_emp.lum_position, m_lum_position.data(), n);
    p.setUniformValueArray(m_emp.lum_ambiante, m_lum_ambiante.data(), n);
    p.setUniformValueArray(m_emp.lum_diffuse, m_lum_diffuse.data(), n);
    p.setUniformValueArray(m_emp.lum_speculaire, m_lum_speculaire.data(), n);
    p.setUniformValueArray(m_emp.lum_attenuation, m_lum_attenuation.data(), n, 1);
}

void RenduScene::dessine(const Scene &scene, QSize pixels, const CouleurRVBA &fond)
{
    if (!m_pret)
        return;
    m_tampons.purge();
    m_gl.glViewport(0, 0, pixels.width(), pixels.height());
    m_gl.glClearColor(fond.r, fond.g, fond.b, 1.0f);
    m_gl.glDepthMask(GL_TRUE);
    m_gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_gl.glEnable(GL_DEPTH_TEST);
    m_gl.glDepthFunc(GL_LEQUAL);
    m_gl.glDisable(GL_BLEND);
    const Camera &camera = scene.camera();
    const QMatrix4x4 vue_projection = camera.matrice_projection(pixels) * camera.matrice_vue();
    m_eclaire.bind();
    prepare_lumieres(scene);
    m_eclaire.setUniformValue(m_emp.ambiante_scene, vecteur(scene.lumiere_ambiante()));
    m_eclaire.setUniformValue(m_emp.vers_oeil, camera.vers_observateur());
    dessine_objets(scene, vue_projection, Passe::Eclairee);
    m_eclaire.release();
}

void RenduScene::dessine_objets(const Scene &scene, const QMatrix4x4 &vue_projection, Passe passe)
{
    const auto &objets = scene.objets();
    for (std::size_t i = 0; i < objets.size(); ++i) {
        const Objet &objet = *objets[i];
        if (!objet.visible())
            continue;
        const Genre genre = objet.genre();
        if (genre != Genre::Texte3D && genre != Genre::Boite && genre != Genre::Grille)
            continue;
        if (passe == Passe::Identifiants) {
            const auto id = static_cast<std::uint32_t>(i + 1);
            m_identifiants.setUniformValue(m_emp.id_couleur,
                                           QVector4D(float(id & 0xFF) / 255,
                                                     float((id >> 8) & 0xFF) / 255,
                                                     float((id >> 16) & 0xFF) / 255, 1.0f));
        } else if (genre == Genre::Grille) {
            m_eclaire.setUniformValue(m_emp.eclaire, 0.0f);
            m_eclaire.setUniformValue(m_emp.emission,
                                      vecteur(static_cast<const Grille &>(objet).couleur()));
        } else {
            const Materiau &m = static_cast<const ObjetMateriau &>(objet).materiau();
            m_eclaire.setUniformValue(m_emp.eclaire, 1.0f);
            m_eclaire.setUniformValue(m_emp.emission, vecteur(m.emission));
            m_eclaire.setUniformValue(m_emp.ambiante, vecteur(m.ambiante));
            m_eclaire.setUniformValue(m_emp.diffuse, vecteur(m.diffuse));
            m_eclaire.setUniformValue(m_emp.speculaire, vecteur(m.speculaire));
            m_eclaire.setUniformValue(m_emp.brillance, m.brillance);
        }
        switch (genre) {
        case Genre::Texte3D: {
            const auto &texte = static_cast<const Texte3D &>(objet);
            dessine_maillage(texte.maillage(), texte.matrice_texte(), vue_projection, passe);
            break;
        }
        case Genre::Boite:
            dessine_maillage(m_boite_unite, static_cast<const Boite &>(objet).matrice_boite(),
                             vue_projection, passe);
            break;
        case Genre::Grille:
            dessine_maillage(static_cast<const Grille &>(objet).maillage(), objet.matrice_modele(),
                             vue_projection, passe);
            break;
        default:
            break;
        }
    }
}

void RenduScene::dessine_maillage(const std::shared_ptr<const Maillage> &maillage,
                                  const QMatrix4x4 &modele, const QMatrix4x4 &vue_projection,
                                  Passe passe)
{
    const TamponsGPU::Tampon &t = m_tampons.tampon(maillage);
    if (t.nb_indices == 0)
        return;
    const bool eclairee = passe == Passe::Eclairee;
    if (eclairee) {
        m_eclaire.setUniformValue(m_emp.mvp, vue_projection * modele);
        m_eclaire.setUniformValue(m_emp.modele, modele);
        m_eclaire.setUniformValue(m_emp.matrice_normale, modele.normalMatrix());
    } else {
        m_identifiants.setUniformValue(m_emp.id_mvp, vue_projection * modele);
    }
    const bool lignes = maillage->primitive == Primitive::Lignes;
    if (lignes) {
        m_gl.glDisable(GL_CULL_FACE);
    } else {
        // A mirroring scale turns the winding over.
        m_gl.glEnable(GL_CULL_FACE);
        m_gl.glFrontFace(modele.determinant() < 0 ? GL_CW : GL_CCW);
    }
    m_gl.glBindBuffer(GL_ARRAY_BUFFER, t.sommets);
    m_gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, t.indices);
    m_gl.glEnableVertexAttribArray(0);
    m_gl.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, pas_sommet, nullptr);
    if (eclairee) {
        m_gl.glEnableVertexAttribArray(1);
        m_gl.glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, pas_sommet,
                                   reinterpret_cast<const void *>(3 * sizeof(float)));
    } else {
        m_gl.glDisableVertexAttribArray(1);
    }
    m_gl.glDrawElements(lignes ? GL_LINES : GL_TRIANGLES, t.nb_indices, GL_UNSIGNED_INT, nullptr);
    m_gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    m_gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

int RenduScene::identifiant_sous(const Scene &scene, QSize pixels, QPoint pixel, int rayon)
{
    if (!m_pret || pixels.isEmpty())
        return 0;
    rayon = std::clamp(rayon, 0, 32);
    const int cote = 2 * rayon + 1;
    if (!m_cible_pique || m_cible_pique->width() != cote)
        m_cible_pique = std::make_unique<QOpenGLFramebufferObject>(cote, cote,
                                                                   QOpenGLFramebufferObject::Depth);
    m_cible_pique->bind();
    m_gl.glViewport(0, 0, cote, cote);
    m_gl.glClearColor(0, 0, 0, 0);
    m_gl.glDepthMask(GL_TRUE);
    m_gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_gl.glEnable(GL_DEPTH_TEST);
    m_gl.glDepthFunc(GL_LEQUAL);
    m_gl.glDisable(GL_BLEND);

    // Blow the square around the pixel up to the whole small target.
    const float w = float(pixels.width()), h = float(pixels.height());
    QMatrix4x4 zoom;
    zoom.scale(w / float(cote), h / float(cote), 1.0f);
    zoom.translate(-(2.0f * (float(pixel.x()) + 0.5f) / w - 1.0f),
                   -(2.0f * (float(pixel.y()) + 0.5f) / h - 1.0f), 0.0f);
    const Camera &camera = scene.camera();
    m_identifiants.bind();
    dessine_objets(scene, zoom * camera.matrice_projection(pixels) * camera.matrice_vue(),
                   Passe::Identifiants);
    m_identifiants.release();

    const auto nb = static_cast<std::size_t>(cote * cote);
    m_pixels_pique.resize(nb * 4);
    m_gl.glReadPixels(0, 0, cote, cote, GL_RGBA, GL_UNSIGNED_BYTE, m_pixels_pique.data());
    bool avec_profondeur = m_lecture_profondeur;
    if (avec_profondeur) {
        m_profondeurs_pique.resize(nb);
        while (m_gl.glGetError() != GL_NO_ERROR) { }
        m_gl.glReadPixels(0, 0, cote, cote, GL_DEPTH_COMPONENT, GL_FLOAT,
                          m_profondeurs_pique.data());
        avec_profondeur = m_lecture_profondeur = m_gl.glGetError() == GL_NO_ERROR;
    }
    m_cible_pique->release();

    // Nearest in depth; without a depth read-back, nearest to the pointer.
    int meilleur = 0;
    float cle_meilleure = std::numeric_limits<float>::max();
    for (std::size_t k = 0; k < nb; ++k) {
        const GLubyte *p = &m_pixels_pique[k * 4];
        const int id = p[0] | (p[1] << 8) | (p[2] << 16);
        if (id == 0)
            continue;
        const int dx = int(k % cote) - rayon, dy = int(k / cote) - rayon;
        const float cle = avec_profondeur ? m_profondeurs_pique[k] : float(dx * dx + dy * dy);
        if (cle < cle_meilleure) {
            cle_meilleure = cle;
            meilleur = id;
        }
    }
    return meilleur;
}

void RenduScene::libere()
{
    if (!m_pret)
        return;
    m_tampons.libere();
    m_cible_pique.reset();
    m_eclaire.removeAllShaders();
    m_identifiants.removeAllShaders();
    m_pret = false;
}

} // namespace fantrel::engine3d
