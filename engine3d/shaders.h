// GLSL sources of the renderer, written for GLSL 1.20 / GLSL ES 1.00; the renderer
// puts the version line in front.
#pragma once

namespace fantrel::engine3d::shaders {

inline constexpr int nb_max_lumieres = 8;

// Lit surfaces: the fixed-pipeline terms computed per vertex (Gouraud), as
// the classic pipeline does: emission, ambient, then per light ambient +
// diffuse + specular over the constant attenuation. Per-vertex lighting keeps
// the fragment work (the bulk of a frame with software GL) to one colour.
inline constexpr const char *sommets_eclaires = R"(
attribute vec3 a_position;
attribute vec3 a_normale;
uniform mat4 u_mvp;
uniform mat4 u_modele;
uniform mat3 u_matrice_normale;
uniform vec4 u_emission;
uniform vec4 u_ambiante;
uniform vec4 u_diffuse;
uniform vec4 u_speculaire;
uniform float u_brillance;
uniform float u_eclaire;
uniform vec4 u_ambiante_scene;
uniform int u_nb_lumieres;
uniform vec3 u_lum_position[8];
uniform vec4 u_lum_ambiante[8];
uniform vec4 u_lum_diffuse[8];
uniform vec4 u_lum_speculaire[8];
uniform float u_lum_attenuation[8];
uniform vec3 u_vers_oeil;
varying vec4 v_couleur;
void main() {
    gl_Position = u_mvp * vec4(a_position, 1.0);
    if (u_eclaire < 0.5) {
        v_couleur = u_emission;
        return;
    }
    vec3 position = (u_modele * vec4(a_position, 1.0)).xyz;
    vec3 n = normalize(u_matrice_normale * a_normale);
    vec3 c = u_emission.rgb + u_ambiante_scene.rgb * u_ambiante.rgb;
    for (int i = 0; i < 8; ++i) {
        if (i >= u_nb_lumieres)
            break;
        vec3 l = normalize(u_lum_position[i] - position);
        float nl = max(dot(n, l), 0.0);
        vec3 t = u_lum_ambiante[i].rgb * u_ambiante.rgb + nl * u_lum_diffuse[i].rgb * u_diffuse.rgb;
        if (nl > 0.0) {
            float nh = max(dot(n, normalize(l + u_vers_oeil)), 1e-6);
            t += pow(nh, u_brillance) * u_lum_speculaire[i].rgb * u_speculaire.rgb;
        }
        c += t / u_lum_attenuation[i];
    }
    v_couleur = vec4(clamp(c, 0.0, 1.0), u_diffuse.a);
}
)";

inline constexpr const char *fragments_eclaires = R"(
varying vec4 v_couleur;
void main() {
    gl_FragColor = v_couleur;
}
)";

// Picking: each object in the flat colour that encodes its id.
inline constexpr const char *sommets_identifiants = R"(
attribute vec3 a_position;
uniform mat4 u_mvp;
void main() {
    gl_Position = u_mvp * vec4(a_position, 1.0);
}
)";

inline constexpr const char *fragments_identifiants = R"(
uniform vec4 u_couleur;
void main() {
    gl_FragColor = u_couleur;
}
)";

} // namespace fantrel::engine3d::shaders
