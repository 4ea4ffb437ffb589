#include "engine3d/grille.h"

namespace fantrel::engine3d {

void Grille::definir_plage_x(float minimum, float maximum, float pas)
{
    ParametresGrille p = m_parametres;
    p.x_min = minimum;
    p.x_max = maximum;
    p.pas_x = pas;
    definir_parametres(p);
}

void Grille::definir_plage_y(float minimum, float maximum, float pas)
{
    ParametresGrille p = m_parametres;
    p.y_min = minimum;
    p.y_max = maximum;
    p.pas_y = pas;
    definir_parametres(p);
}

void Grille::definir_parametres(const ParametresGrille &parametres)
{
    if (parametres == m_parametres)
        return;
    m_parametres = parametres;
    m_maillage.reset();
    modifie();
}

void Grille::definir_couleur(const CouleurRVBA &couleur)
{
    if (couleur == m_couleur)
        return;
    m_couleur = couleur;
    modifie();
}

std::shared_ptr<const Maillage> Grille::maillage() const
{
    if (!m_maillage)
        m_maillage = std::make_shared<const Maillage>(construit_grille(m_parametres));
    return m_maillage;
}

} // namespace fantrel::engine3d
