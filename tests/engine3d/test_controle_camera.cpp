// The mouse control of the camera: zoom with Shift, orbit with the left button, fed
// by the view's mouse signals.
#include "engine3d/ancre.h"
#include "engine3d/controle_camera.h"
#include "engine3d/scene.h"
#include "engine3d/vue3d.h"

#include <QTest>

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

} // namespace

class TestControleCamera : public QObject
{
    Q_OBJECT
private slots:
    void controle_souris_data();
    void controle_souris();
};

// One mouse gesture per row: events as (kind, x, y, buttons, keys); the
// camera starts at focal 7 from (0, 0, 10) and the last position is (100, 100).
struct Geste
{
    char genre; // 'a' press, 'd' move, 'r' release
    int x, y;
    Qt::MouseButtons boutons;
    Qt::KeyboardModifiers touches;
};
using Gestes = QList<Geste>;
Q_DECLARE_METATYPE(Gestes)

void TestControleCamera::controle_souris_data()
{
    QTest::addColumn<Gestes>("gestes");
    QTest::addColumn<bool>("borne");
    QTest::addColumn<float>("focale");
    QTest::addColumn<QPoint>("orbite"); // (turn, pitch) in degrees, applied on a reference camera
    const auto G = Qt::LeftButton;
    const auto S = Qt::ShiftModifier;
    const auto C = Qt::ControlModifier;
    const Qt::KeyboardModifiers aucune;
    QTest::addRow("zoom depuis l'origine")
            << Gestes{ { 'a', 100, 100, G, S }, { 'd', 100, 150, G, S } } << true << 12.0f
            << QPoint();
    QTest::addRow("zoom non cumulé")
            << Gestes{ { 'a', 100, 100, G, S }, { 'd', 100, 150, G, S }, { 'd', 90, 80, G, S } }
            << true << 5.0f << QPoint();
    QTest::addRow("focale négative ramenée à 1")
            << Gestes{ { 'a', 100, 100, G, S }, { 'd', 100, 20, G, S } } << true << 1.0f
            << QPoint();
    QTest::addRow("focale négative gardée sans borne")
            << Gestes{ { 'a', 100, 100, G, S }, { 'd', 100, 20, G, S } } << false << -1.0f
            << QPoint();
    QTest::addRow("zoom sans appui armé")
            << Gestes{ { 'd', 100, 150, G, S } } << true << 7.0f << QPoint();
    QTest::addRow("relâcher désarme")
            << Gestes{ { 'a', 100, 100, G, S }, { 'r', 100, 100, {}, S }, { 'd', 100, 150, G, S } }
            << true << 7.0f << QPoint();
    QTest::addRow("pavé numérique sans effet")
            << Gestes{ { 'a', 100, 100, G, S | Qt::KeypadModifier },
                       { 'd', 100, 130, G, S | Qt::KeypadModifier } }
            << true << 10.0f << QPoint();
    QTest::addRow("orbite au bouton gauche")
            << Gestes{ { 'd', 110, 120, G, aucune } } << true << 7.0f << QPoint(-10, -20);
    QTest::addRow("orbite depuis le dernier pas")
            << Gestes{ { 'd', 110, 120, {}, aucune }, { 'd', 105, 125, G, aucune } } << true << 7.0f
            << QPoint(5, -5);
    QTest::addRow("Ctrl+gauche ne tourne pas")
            << Gestes{ { 'd', 110, 120, G, C } } << true << 7.0f << QPoint();
    QTest::addRow("deux boutons ne tournent pas")
            << Gestes{ { 'd', 110, 120, G | Qt::RightButton, aucune } } << true << 7.0f << QPoint();
    QTest::addRow("le zoom ne déplace pas l'origine d'orbite") << Gestes{
        { 'a', 100, 100, G, S }, { 'd', 150, 150, G, S }, { 'd', 110, 100, G, aucune }
    } << true << 12.0f << QPoint(-10, 0);
}

void TestControleCamera::controle_souris()
{
    QFETCH(Gestes, gestes);
    QFETCH(bool, borne);
    QFETCH(float, focale);
    QFETCH(QPoint, orbite);
    auto prepare = [](Scene &scene) {
        scene.camera().definir_cible(scene.cree<Ancre>());
        scene.camera().definir_position({ 0, 0, 10 });
        scene.camera().definir_focale(7);
    };
    Scene scene, reference;
    prepare(scene);
    prepare(reference);
    ControleCameraSouris controle;
    controle.definir_borne_focale(borne);
    Camera &camera = scene.camera();
    // The view is never shown: its mouse signals are emitted by hand.
    Vue3D vue;
    controle.attacher(vue, camera);
    emit vue.souris_deplace({ 100, 100 }, {}, {});
    for (const Geste &g : gestes) {
        if (g.genre == 'a')
            emit vue.souris_appui({ g.x, g.y }, g.boutons, g.touches);
        else if (g.genre == 'd')
            emit vue.souris_deplace({ g.x, g.y }, g.boutons, g.touches);
        else
            emit vue.souris_relache({ g.x, g.y }, g.boutons, g.touches);
    }
    QCOMPARE(camera.focale(), focale);
    controle.detacher();
    emit vue.souris_deplace({ 0, 0 }, Qt::LeftButton, {});
    reference.camera().orbite(float(orbite.y()), float(orbite.x()));
    QVERIFY2(proches(camera.position(), reference.camera().position()),
             qPrintable(texte(camera.position()) + " au lieu de "
                        + texte(reference.camera().position())));
}

int execute_test_controle_camera(int argc, char **argv)
{
    TestControleCamera t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_controle_camera.moc"
