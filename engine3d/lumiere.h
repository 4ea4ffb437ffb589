// Point light shining in all directions, with the fixed-pipeline light terms.
#pragma once
#include "engine3d/couleur.h"
#include "engine3d/objet.h"

namespace fantrel::engine3d {

class Lumiere : public Objet
{
public:
    Genre genre() const override { return Genre::Lumiere; }

    const CouleurRVBA &ambiante() const { return m_ambiante; }
    void definir_ambiante(const CouleurRVBA &couleur);
    const CouleurRVBA &diffuse() const { return m_diffuse; }
    void definir_diffuse(const CouleurRVBA &couleur);
    const CouleurRVBA &speculaire() const { return m_speculaire; }
    void definir_speculaire(const CouleurRVBA &couleur);
    // The light's terms are divided by it; values <= 0 are taken as 1.
    float attenuation_constante() const { return m_attenuation_constante; }
    void definir_attenuation_constante(float attenuation);

private:
    CouleurRVBA m_ambiante{ 0, 0, 0, 1 };
    CouleurRVBA m_diffuse{ 1, 1, 1, 1 };
    CouleurRVBA m_speculaire{ 0, 0, 0, 1 };
    float m_attenuation_constante = 1.0f;
};

} // namespace fantrel::engine3d
