// Extruded 3D text on one line. The mesh comes from the shared cache, so setting
// back a recent text costs a lookup.
#pragma once
#include "engine3d/extrusion_texte.h"
#include "engine3d/objet_materiau.h"

#include <memory>

namespace fantrel::engine3d {

class Texte3D : public ObjetMateriau
{
public:
    enum class Ancrage {
        Centre, // the outline's bounding box centred on the position
        GaucheLigneBase, // pen start and baseline at the position
    };

    Genre genre() const override { return Genre::Texte3D; }

    const QString &texte() const { return m_parametres.texte; }
    void definir_texte(const QString &texte);
    const QString &police() const { return m_parametres.famille; }
    void definir_police(const QString &famille);
    int hauteur_police() const { return m_parametres.hauteur_pixels; }
    void definir_hauteur_police(int pixels);
    // Extrusion depth in scene units, before the object's scale.
    float extrusion() const { return m_parametres.profondeur; }
    void definir_extrusion(float profondeur);
    Ancrage ancrage() const { return m_ancrage; }
    void definir_ancrage(Ancrage ancrage);

    // Builds the mesh `texte` would get with this object's font and extrusion,
    // so that showing it later costs a cache lookup (say, the next word of a
    // trial during the wait before its flash).
    void prepare_texte(const QString &texte) const;

    // Built (or taken from the cache) on first use after a change.
    std::shared_ptr<const Maillage> maillage() const;
    // Where the mesh's own origin goes in the object's frame, per the anchoring.
    QVector3D decalage_ancrage() const;
    // Model matrix including the anchoring shift.
    QMatrix4x4 matrice_texte() const;

private:
    void definir_parametres(const ParametresTexte &parametres);
    template<auto Champ, class Valeur>
    void definir_champ(const Valeur &valeur)
    {
        ParametresTexte p = m_parametres;
        p.*Champ = valeur;
        definir_parametres(p);
    }

    ParametresTexte m_parametres;
    Ancrage m_ancrage = Ancrage::Centre;
    mutable std::shared_ptr<const Maillage> m_maillage;
    mutable QVector3D m_centre_maillage;
};

} // namespace fantrel::engine3d
