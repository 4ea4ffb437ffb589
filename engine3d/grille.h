// Line grid in the object's x-y plane, drawn unlit in one colour.
#pragma once
#include "engine3d/couleur.h"
#include "engine3d/geometrie.h"
#include "engine3d/objet.h"

#include <memory>

namespace fantrel::engine3d {

class Grille : public Objet
{
public:
    Genre genre() const override { return Genre::Grille; }

    const ParametresGrille &parametres() const { return m_parametres; }
    void definir_plage_x(float minimum, float maximum, float pas);
    void definir_plage_y(float minimum, float maximum, float pas);

    const CouleurRVBA &couleur() const { return m_couleur; }
    void definir_couleur(const CouleurRVBA &couleur);

    // Built on first use after a change of ranges.
    std::shared_ptr<const Maillage> maillage() const;

private:
    void definir_parametres(const ParametresGrille &parametres);

    ParametresGrille m_parametres;
    CouleurRVBA m_couleur{ 0.8f, 0.8f, 0.8f, 1 };
    mutable std::shared_ptr<const Maillage> m_maillage;
};

} // namespace fantrel::engine3d
