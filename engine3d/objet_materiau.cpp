#include "engine3d/objet_materiau.h"

namespace fantrel::engine3d {

void ObjetMateriau::definir_materiau(const Materiau &materiau)
{
    if (materiau == m_materiau)
        return;
    m_materiau = materiau;
    modifie();
}

void ObjetMateriau::definir_emission(const CouleurRVBA &couleur)
{
    Materiau m = m_materiau;
    m.emission = couleur;
    definir_materiau(m);
}

void ObjetMateriau::definir_ambiante(const CouleurRVBA &couleur)
{
    Materiau m = m_materiau;
    m.ambiante = couleur;
    definir_materiau(m);
}

void ObjetMateriau::definir_diffuse(const CouleurRVBA &couleur)
{
    Materiau m = m_materiau;
    m.diffuse = couleur;
    definir_materiau(m);
}

void ObjetMateriau::definir_speculaire(const CouleurRVBA &couleur)
{
    Materiau m = m_materiau;
    m.speculaire = couleur;
    definir_materiau(m);
}

} // namespace fantrel::engine3d
