// The objects of one view: owns them, its camera, its lights and its ambient light.
#pragma once
#include "engine3d/camera.h"
#include "engine3d/couleur.h"
#include "engine3d/lumiere.h"
#include "engine3d/objet.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

namespace fantrel::engine3d {

class Scene
{
public:
    Scene();
    Scene(const Scene &) = delete;
    Scene &operator=(const Scene &) = delete;
    ~Scene();

    // Takes ownership and returns the object for setting it up.
    template<class T>
    T *ajoute(std::unique_ptr<T> objet)
    {
        static_assert(std::is_base_of_v<Objet, T>);
        T *brut = objet.get();
        ajoute_objet(std::move(objet));
        return brut;
    }
    template<class T, class... Arguments>
    T *cree(Arguments &&...arguments)
    {
        return ajoute(std::make_unique<T>(std::forward<Arguments>(arguments)...));
    }
    // Destroys the object (and clears the camera's target if it was it).
    // An object of another scene or nullptr is ignored.
    void retire(Objet *objet);

    // In drawing order; the picking id of objets()[i] is i + 1.
    const std::vector<std::unique_ptr<Objet>> &objets() const { return m_objets; }
    const std::vector<Lumiere *> &lumieres() const { return m_lumieres; }
    Camera &camera() { return m_camera; }
    const Camera &camera() const { return m_camera; }

    const CouleurRVBA &lumiere_ambiante() const { return m_lumiere_ambiante; }
    void definir_lumiere_ambiante(const CouleurRVBA &couleur);

    // Called after any change of the scene or its objects (the view repaints).
    void sur_modification(std::function<void()> rappel) { m_rappel = std::move(rappel); }
    void signale_modification();

private:
    void ajoute_objet(std::unique_ptr<Objet> objet);

    std::vector<std::unique_ptr<Objet>> m_objets;
    std::vector<Lumiere *> m_lumieres;
    Camera m_camera;
    CouleurRVBA m_lumiere_ambiante{ 0.2f, 0.2f, 0.2f, 1 };
    std::function<void()> m_rappel;
};

} // namespace fantrel::engine3d
