// A drawn, lit object: adds a material to Objet (boxes, 3D texts).
#pragma once
#include "engine3d/materiau.h"
#include "engine3d/objet.h"

namespace fantrel::engine3d {

class ObjetMateriau : public Objet
{
public:
    const Materiau &materiau() const { return m_materiau; }
    void definir_materiau(const Materiau &materiau);
    void definir_emission(const CouleurRVBA &couleur);
    void definir_ambiante(const CouleurRVBA &couleur);
    void definir_diffuse(const CouleurRVBA &couleur);
    void definir_speculaire(const CouleurRVBA &couleur);

private:
    // One field of the material changed; nothing happens when it keeps its value.
    template<auto Champ, class Valeur>
    void definir_champ(const Valeur &valeur)
    {
        Materiau m = m_materiau;
        m.*Champ = valeur;
        definir_materiau(m);
    }

    Materiau m_materiau;
};

} // namespace fantrel::engine3d
