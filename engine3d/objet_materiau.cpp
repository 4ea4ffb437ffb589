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
    definir_champ<&Materiau::emission>(couleur);
}

void ObjetMateriau::definir_ambiante(const CouleurRVBA &couleur)
{
    definir_champ<&Materiau::ambiante>(couleur);
}

void ObjetMateriau::definir_diffuse(const CouleurRVBA &couleur)
{
    definir_champ<&Materiau::diffuse>(couleur);
}

void ObjetMateriau::definir_speculaire(const CouleurRVBA &couleur)
{
    definir_champ<&Materiau::speculaire>(couleur);
}

} // namespace fantrel::engine3d
