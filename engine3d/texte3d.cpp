#include "engine3d/texte3d.h"

#include "engine3d/cache_maillages_texte.h"

namespace fantrel::engine3d {

void Texte3D::definir_texte(const QString &texte)
{
    definir_champ<&ParametresTexte::texte>(texte);
}

void Texte3D::definir_police(const QString &famille)
{
    definir_champ<&ParametresTexte::famille>(famille);
}

void Texte3D::definir_hauteur_police(int pixels)
{
    definir_champ<&ParametresTexte::hauteur_pixels>(pixels);
}

void Texte3D::definir_extrusion(float profondeur)
{
    definir_champ<&ParametresTexte::profondeur>(profondeur);
}

void Texte3D::definir_ancrage(Ancrage ancrage)
{
    if (ancrage == m_ancrage)
        return;
    m_ancrage = ancrage;
    modifie();
}

void Texte3D::definir_parametres(const ParametresTexte &parametres)
{
    if (parametres == m_parametres)
        return;
    m_parametres = parametres;
    m_maillage.reset();
    modifie();
}

void Texte3D::prepare_texte(const QString &texte) const
{
    ParametresTexte p = m_parametres;
    p.texte = texte;
    CacheMaillagesTexte::commun().maillage(p);
}

std::shared_ptr<const Maillage> Texte3D::maillage() const
{
    if (!m_maillage) {
        m_maillage = CacheMaillagesTexte::commun().maillage(m_parametres);
        m_centre_maillage = (m_maillage->minimum() + m_maillage->maximum()) / 2;
    }
    return m_maillage;
}

QVector3D Texte3D::decalage_ancrage() const
{
    if (m_ancrage == Ancrage::GaucheLigneBase)
        return {};
    maillage();
    return { -m_centre_maillage.x(), -m_centre_maillage.y(), 0 };
}

QMatrix4x4 Texte3D::matrice_texte() const
{
    QMatrix4x4 m = matrice_modele();
    m.translate(decalage_ancrage());
    return m;
}

} // namespace fantrel::engine3d
