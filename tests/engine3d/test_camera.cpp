// Camera orbit and distance, scene ownership.
#include "engine3d/ancre.h"
#include "engine3d/boite.h"
#include "engine3d/scene.h"
#include "engine3d/texte3d.h"

#include <QTest>

#include <cmath>

using namespace fantrel::engine3d;

namespace {

bool proches(const QVector3D &a, const QVector3D &b, float tolerance = 1e-4f)
{
    return (a - b).length() < tolerance;
}

QString texte(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x()).arg(v.y()).arg(v.z());
}

// The point aimed at sits on the view axis, in front of the camera.
bool vise_sa_cible(const Camera &c)
{
    const QVector3D dans_la_vue = c.matrice_vue().map(c.point_vise());
    return std::abs(dans_la_vue.x()) < 1e-3f && std::abs(dans_la_vue.y()) < 1e-3f
            && dans_la_vue.z() < 0;
}

} // namespace

class TestCamera : public QObject
{
    Q_OBJECT
private slots:
    void orbite_data();
    void orbite();
    void orbite_par_pas_egale_orbite_entiere();
    void ajuste_distance_data();
    void ajuste_distance();
    void focale_regle_la_taille_vue();
    void scene_retire_la_cible_de_la_camera();
    void scene_signale_les_vrais_changements();
};

void TestCamera::orbite_data()
{
    QTest::addColumn<float>("tangage");
    QTest::addColumn<float>("virage");
    QTest::addColumn<QVector3D>("attendue");
    // From (0, 0, 10) around the origin: turning moves the camera to its right
    // (+x), pitching lowers it.
    QTest::addRow("quart de tour") << 0.0f << 90.0f << QVector3D(10, 0, 0);
    QTest::addRow("quart de tour inverse") << 0.0f << -90.0f << QVector3D(-10, 0, 0);
    QTest::addRow("tangage vers le bas") << 90.0f << 0.0f << QVector3D(0, -10, 0);
    QTest::addRow("tangage vers le haut") << -90.0f << 0.0f << QVector3D(0, 10, 0);
    QTest::addRow("par-dessus le pôle") << -180.0f << 0.0f << QVector3D(0, 0, -10);
    QTest::addRow("demi-tour") << 0.0f << 180.0f << QVector3D(0, 0, -10);
}

void TestCamera::orbite()
{
    QFETCH(float, tangage);
    QFETCH(float, virage);
    QFETCH(QVector3D, attendue);
    Scene scene;
    Ancre *cible = scene.cree<Ancre>();
    Camera &camera = scene.camera();
    camera.definir_cible(cible);
    camera.definir_position({ 0, 0, 10 });
    camera.orbite(tangage, virage);
    QVERIFY2(proches(camera.position(), attendue), qPrintable(texte(camera.position())));
    QVERIFY2(vise_sa_cible(camera), "la caméra ne vise plus sa cible");

    // The same turn around a target elsewhere keeps the distance and the aim.
    cible->definir_position({ 1, 2, -3 });
    camera.definir_position({ -20, 0, 10 });
    const float distance = (camera.position() - cible->position()).length();
    camera.orbite(tangage, virage);
    QVERIFY(std::abs((camera.position() - cible->position()).length() - distance) < 1e-3f);
    QVERIFY2(vise_sa_cible(camera), "la caméra ne vise plus sa cible");
    QVERIFY(!std::isnan(camera.matrice_vue()(0, 0)));
}

// Many small drags add up to the same turn (no drift, also across the pole).
void TestCamera::orbite_par_pas_egale_orbite_entiere()
{
    Scene scene;
    Camera &camera = scene.camera();
    camera.definir_cible(scene.cree<Ancre>());
    camera.definir_position({ -1.1f, 3, 3 });
    Camera &par_pas = camera;
    Scene autre;
    Camera &entiere = autre.camera();
    entiere.definir_cible(autre.cree<Ancre>());
    entiere.definir_position({ -1.1f, 3, 3 });
    for (int i = 0; i < 40; ++i)
        par_pas.orbite(-5, 0);
    entiere.orbite(-200, 0);
    QVERIFY2(proches(par_pas.position(), entiere.position(), 1e-3f),
             qPrintable(texte(par_pas.position()) + " " + texte(entiere.position())));
    QVERIFY(proches(par_pas.haut(), entiere.haut(), 1e-3f));
}

void TestCamera::ajuste_distance_data()
{
    QTest::addColumn<float>("facteur");
    QTest::addColumn<float>("distance_attendue");
    QTest::addRow("triple") << 3.0f << 15.0f;
    QTest::addRow("moitié") << 0.5f << 2.5f;
    QTest::addRow("zéro ignoré") << 0.0f << 5.0f;
    QTest::addRow("négatif ignoré") << -2.0f << 5.0f;
}

void TestCamera::ajuste_distance()
{
    QFETCH(float, facteur);
    QFETCH(float, distance_attendue);
    Scene scene;
    Ancre *cible = scene.cree<Ancre>();
    cible->definir_position({ 0, 1.8f, -0.75f });
    Camera &camera = scene.camera();
    camera.definir_cible(cible);
    camera.definir_position(cible->position() + QVector3D(3, 0, 4));
    camera.ajuste_distance(facteur);
    const QVector3D decalage = camera.position() - cible->position();
    QVERIFY(std::abs(decalage.length() - distance_attendue) < 1e-4f);
    QVERIFY2(proches(decalage.normalized(), QVector3D(0.6f, 0, 0.8f)), "la direction a changé");
}

// The focal length alone sets how much of the scene shows; a non-positive
// focal length still gives a usable projection.
void TestCamera::focale_regle_la_taille_vue()
{
    Camera camera;
    const QSize vue(983, 586);
    auto hauteur_vue = [&] { return 2 / camera.matrice_projection(vue)(1, 1); };
    camera.definir_focale(7);
    const float h7 = hauteur_vue();
    camera.definir_focale(14);
    QVERIFY(std::abs(hauteur_vue() - h7 / 2) < 1e-4f);
    camera.definir_echelle_scene(12);
    QVERIFY(std::abs(hauteur_vue() - h7 / 2) < 1e-4f);
    QCOMPARE(camera.matrice_projection(vue)(0, 0) * 983,
             camera.matrice_projection(vue)(1, 1) * 586);
    for (float focale : { 0.0f, -3.0f }) {
        camera.definir_focale(focale);
        QCOMPARE(camera.focale(), focale);
        const QMatrix4x4 p = camera.matrice_projection(vue);
        QVERIFY(std::isfinite(p(0, 0)) && p(0, 0) > 0 && std::isfinite(p(2, 2)));
    }
}

void TestCamera::scene_retire_la_cible_de_la_camera()
{
    Scene scene;
    Ancre *cible = scene.cree<Ancre>();
    Lumiere *lumiere = scene.cree<Lumiere>();
    Boite *boite = scene.cree<Boite>();
    scene.camera().definir_cible(cible);
    QCOMPARE(scene.lumieres().size(), 1u);
    scene.retire(lumiere);
    QVERIFY(scene.lumieres().empty());
    scene.retire(cible);
    QCOMPARE(scene.camera().cible(), nullptr);
    QCOMPARE(scene.objets().size(), 1u);
    QCOMPARE(scene.objets().front().get(), static_cast<Objet *>(boite));
    Scene autre;
    Boite *etrangere = autre.cree<Boite>();
    scene.retire(etrangere);
    scene.retire(nullptr);
    QCOMPARE(scene.objets().size(), 1u);
    QCOMPARE(autre.objets().size(), 1u);
}

// Setters that change the picture notify once; setting the same value does not.
void TestCamera::scene_signale_les_vrais_changements()
{
    Scene scene;
    int signalements = 0;
    scene.sur_modification([&] { ++signalements; });
    Texte3D *texte3d = scene.cree<Texte3D>();
    Boite *boite = scene.cree<Boite>();
    QCOMPARE(signalements, 2);
    texte3d->definir_texte(QStringLiteral("mot"));
    texte3d->definir_texte(QStringLiteral("mot"));
    boite->definir_hauteur(0.255f);
    boite->definir_hauteur(0.255f);
    boite->definir_diffuse({ 0.89f, 0.47f, 0.2f, 1 });
    boite->definir_diffuse({ 0.89f, 0.47f, 0.2f, 1 });
    texte3d->definir_visible(false);
    texte3d->definir_visible(false);
    scene.camera().definir_focale(6);
    scene.camera().definir_focale(6);
    boite->definir_tag(4);
    QCOMPARE(signalements, 7);
}

int execute_test_camera(int argc, char **argv)
{
    TestCamera t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_camera.moc"
