#include "engine3d/lumiere.h"

namespace fantrel::engine3d {

void Lumiere::definir_ambiante(const CouleurRVBA &couleur)
{
    if (couleur == m_ambiante)
        return;
    m_ambiante = couleur;
    modifie();
}

void Lumiere::definir_diffuse(const CouleurRVBA &couleur)
{
    if (couleur == m_diffuse)
        return;
    m_diffuse = couleur;
    modifie();
}

void Lumiere::definir_speculaire(const CouleurRVBA &couleur)
{
    if (couleur == m_speculaire)
        return;
    m_speculaire = couleur;
    modifie();
}

void Lumiere::definir_attenuation_constante(float attenuation)
{
    const float valeur = attenuation > 0.0f ? attenuation : 1.0f;
    if (valeur == m_attenuation_constante)
        return;
    m_attenuation_constante = valeur;
    modifie();
}

} // namespace fantrel::engine3d
