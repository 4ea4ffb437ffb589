// Base of every scene object: place, orientation, scale, visibility and a tag.
#pragma once
#include <QMatrix4x4>
#include <QQuaternion>
#include <QVector3D>

namespace fantrel::engine3d {

class Scene;

// Kinds the renderer knows how to draw (objects themselves never touch GL).
enum class Genre { Ancre, Camera, Lumiere, Texte3D, Boite, Grille };

class Objet
{
public:
    Objet() = default;
    Objet(const Objet &) = delete;
    Objet &operator=(const Objet &) = delete;
    virtual ~Objet() = default;

    virtual Genre genre() const = 0;

    const QVector3D &position() const { return m_position; }
    void definir_position(const QVector3D &position);
    void definir_x(float x) { definir_position({ x, m_position.y(), m_position.z() }); }
    void definir_y(float y) { definir_position({ m_position.x(), y, m_position.z() }); }
    void definir_z(float z) { definir_position({ m_position.x(), m_position.y(), z }); }

    // Orientation: the object's local +z is its direction (the face of a text),
    // local +y its up vector.
    const QQuaternion &orientation() const { return m_orientation; }
    void definir_orientation(const QQuaternion &orientation);
    QVector3D direction() const;
    QVector3D haut() const;
    // Turns the local +z toward `direction`, keeping up as close as possible to haut().
    void definir_direction(const QVector3D &direction);
    // Turns the up vector toward `haut`, keeping the direction.
    void definir_haut(const QVector3D &haut);
    // NOTE: relative; turns by `degres` about the world vertical (positive turns
    // +z toward +x), so tourne_y(-62) from rest faces (-0.883, 0, 0.469).
    void tourne_y(float degres);

    const QVector3D &echelle() const { return m_echelle; }
    void definir_echelle(const QVector3D &echelle);
    void definir_echelle(float facteur) { definir_echelle({ facteur, facteur, facteur }); }

    // Hidden objects are neither drawn nor picked.
    bool visible() const { return m_visible; }
    void definir_visible(bool visible);

    // Free number for the program (never used by the engine, not by picking either).
    int tag() const { return m_tag; }
    void definir_tag(int tag) { m_tag = tag; }

    // Local to world: translation * rotation * scale.
    QMatrix4x4 matrice_modele() const;

    Scene *scene() const { return m_scene; }

protected:
    // Every change that alters the picture calls this, so the view repaints.
    void modifie();

private:
    friend class Scene;
    Scene *m_scene = nullptr;
    QVector3D m_position;
    QQuaternion m_orientation;
    QVector3D m_echelle{ 1, 1, 1 };
    bool m_visible = true;
    int m_tag = 0;
};

} // namespace fantrel::engine3d
