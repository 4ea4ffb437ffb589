// The 3D view with a real GL context (Mesa's software GL under Xvfb): the word
// is drawn, the background has its colour, picking finds the object under a pixel.
#include "engine3d/ancre.h"
#include "engine3d/boite.h"
#include "engine3d/controle_camera.h"
#include "engine3d/texte3d.h"
#include "engine3d/vue3d.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace fantrel::engine3d;

Q_DECLARE_METATYPE(fantrel::engine3d::CouleurRVBA)

namespace {

QColor en_couleur(const CouleurRVBA &c)
{
    return QColor::fromRgbF(c.r, c.g, c.b);
}

bool meme_couleur(QRgb pixel, const QColor &attendue)
{
    return std::abs(qRed(pixel) - attendue.red()) <= 1
            && std::abs(qGreen(pixel) - attendue.green()) <= 1
            && std::abs(qBlue(pixel) - attendue.blue()) <= 1;
}

QString decrit(QRgb pixel)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

// The main window's word: camera at (-20, 0, 10), focal 7, aiming at an anchor;
// the word turned -62 degrees to face it, scale 0.8, lit by its emission only.
struct ScenePrincipale
{
    Vue3D vue;
    Texte3D *mot = nullptr;

    explicit ScenePrincipale(const CouleurRVBA &emission)
    {
        vue.resize(983, 586);
        Scene &scene = vue.scene();
        scene.definir_lumiere_ambiante({ 0, 0, 0, 1 });
        Ancre *cible = scene.cree<Ancre>();
        scene.camera().definir_cible(cible);
        scene.camera().definir_position({ -20, 0, 10 });
        scene.camera().definir_focale(7);
        mot = scene.cree<Texte3D>();
        mot->tourne_y(-62);
        mot->definir_echelle(0.8f);
        mot->definir_emission(emission);
        mot->definir_diffuse({ 0, 0, 0, 1 });
        mot->definir_ambiante({ 0, 0, 0, 1 });
    }
};

} // namespace

class TestVue3D : public QObject
{
    Q_OBJECT
private slots:
    void mot_dessine_data();
    void mot_dessine();
    void fond_seul_data();
    void fond_seul();
    void pique_data();
    void pique();
    void demandes_fusionnees();
    void image_preparee_montree_a_la_demande();
    void souris_transmise();
};

void TestVue3D::mot_dessine_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<CouleurRVBA>("emission");
    QTest::addColumn<qint32>("fond");
    QTest::addColumn<bool>("affichee");
    QTest::addColumn<double>("largeur_min");
    QTest::addColumn<double>("largeur_max");
    QTest::addRow("mot sur fond système") << QStringLiteral("cacaéaé") << CouleurRVBA{ 1, 1, 0, 1 }
                                          << qint32(-2147483620) << true << 0.2 << 0.45;
    QTest::addRow("masque sur fond blanc")
            << QStringLiteral("&&&&&&&&&&&") << CouleurRVBA{ 1, 0, 0, 1 } << qint32(0xFFFFFF)
            << true << 0.4 << 0.8;
    QTest::addRow("fenêtre pas encore montrée")
            << QStringLiteral("cacaéaé") << CouleurRVBA{ 0, 0, 1, 1 } << qint32(15780518) << false
            << 0.2 << 0.45;
}

// The word shows in its colour around the middle, at a readable width (the
// seven-letter word about a third of the view), and the corners keep the
// background colour.
void TestVue3D::mot_dessine()
{
    QFETCH(QString, texte);
    QFETCH(CouleurRVBA, emission);
    QFETCH(qint32, fond);
    QFETCH(bool, affichee);
    QFETCH(double, largeur_min);
    QFETCH(double, largeur_max);
    ScenePrincipale s(emission);
    s.mot->definir_texte(texte);
    s.vue.definir_couleur_fond(fond);
    QCOMPARE(s.vue.couleur_fond(), fond);
    if (affichee) {
        s.vue.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.vue));
    }
    s.vue.repeint_maintenant();
    const QImage image = s.vue.capture();
    QCOMPARE(image.size(), QSize(983, 586));
    const QColor couleur_fond = en_couleur(couleur_depuis_valeur(fond));
    for (QPoint coin : { QPoint(3, 3), QPoint(979, 3), QPoint(3, 582), QPoint(979, 582) })
        QVERIFY2(meme_couleur(image.pixel(coin), couleur_fond),
                 qPrintable(decrit(image.pixel(coin))));
    const QColor couleur_mot = en_couleur(emission);
    int nombre = 0, gauche = image.width(), droite = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (meme_couleur(image.pixel(x, y), couleur_mot)) {
                ++nombre;
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
            }
    QVERIFY2(nombre > 2000, qPrintable(QStringLiteral("%1 pixels du mot").arg(nombre)));
    QVERIFY2(std::abs((gauche + droite) / 2 - image.width() / 2) < 20, "le mot n'est pas centré");
    const double largeur = double(droite - gauche) / image.width();
    QVERIFY2(largeur > largeur_min && largeur < largeur_max,
             qPrintable(QStringLiteral("largeur %1").arg(largeur)));
}

void TestVue3D::fond_seul_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("visible");
    QTest::addRow("texte vide") << QString() << true;
    QTest::addRow("mot caché") << QStringLiteral("cacaéaé") << false;
}

void TestVue3D::fond_seul()
{
    QFETCH(QString, texte);
    QFETCH(bool, visible);
    ScenePrincipale s({ 1, 1, 0, 1 });
    s.vue.definir_couleur_fond(-2147483620);
    s.vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.vue));
    s.mot->definir_texte(QStringLiteral("bateau"));
    s.vue.repeint_maintenant();
    s.mot->definir_texte(texte);
    s.mot->definir_visible(visible);
    s.vue.repeint_maintenant();
    const QImage image = s.vue.capture();
    const QRgb fond = image.pixel(0, 0);
    QVERIFY2(meme_couleur(fond, QColor(215, 228, 242)), qPrintable(decrit(fond)));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != fond)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) = %3")
                                         .arg(x)
                                         .arg(y)
                                         .arg(decrit(image.pixel(x, y)))));
}

void TestVue3D::pique_data()
{
    QTest::addColumn<QPoint>("pointeur");
    QTest::addColumn<int>("rayon");
    QTest::addColumn<QString>("attendu");
    // 400 x 300 view, 75 pixels per unit, the origin at (200, 150).
    QTest::addRow("boîte devant l'autre") << QPoint(125, 150) << 1 << "devant";
    QTest::addRow("boîte de derrière seule") << QPoint(65, 150) << 1 << "derriere";
    QTest::addRow("texte") << QPoint(290, 150) << 1 << "texte";
    QTest::addRow("fond vide") << QPoint(200, 150) << 1 << "";
    QTest::addRow("ancre jamais piquée") << QPoint(200, 38) << 1 << "";
    QTest::addRow("boîte cachée") << QPoint(200, 262) << 1 << "";
    QTest::addRow("bord de boîte dans le carré") << QPoint(166, 150) << 5 << "devant";
    QTest::addRow("bord de boîte hors du pixel") << QPoint(166, 150) << 0 << "";
}

void TestVue3D::pique()
{
    QFETCH(QPoint, pointeur);
    QFETCH(int, rayon);
    QFETCH(QString, attendu);
    Vue3D vue;
    vue.resize(400, 300);
    Scene &scene = vue.scene();
    scene.camera().definir_cible(scene.cree<Ancre>());
    scene.camera().definir_position({ 0, 0, 10 });
    scene.camera().definir_focale(10);
    Boite *derriere = scene.cree<Boite>();
    derriere->definir_position({ -1.5f, 0, -2 });
    derriere->definir_largeur(1.4f);
    derriere->definir_hauteur(2);
    Boite *devant = scene.cree<Boite>();
    devant->definir_position({ -1, 0, 0 });
    Boite *cachee = scene.cree<Boite>();
    cachee->definir_position({ 0, -1.5f, 0 });
    cachee->definir_echelle(0.5f);
    cachee->definir_visible(false);
    Texte3D *texte = scene.cree<Texte3D>();
    texte->definir_texte(QStringLiteral("I"));
    texte->definir_position({ 1.2f, 0, 0 });
    texte->definir_echelle(3);
    scene.cree<Ancre>()->definir_position({ 0, 1.5f, 0 });
    for (Objet *o : { static_cast<Objet *>(derriere), static_cast<Objet *>(devant),
                      static_cast<Objet *>(texte) })
        o->definir_tag(-1); // picking does not go by tags
    vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&vue));
    Objet *pique = vue.pique(pointeur, rayon);
    const QString nom = pique == derriere ? "derriere"
            : pique == devant             ? "devant"
            : pique == texte              ? "texte"
            : pique                       ? "autre"
                                          : "";
    QCOMPARE(nom, attendu);
}

// Requests merge into one frame, and a frame drawn at once satisfies a pending one.
void TestVue3D::demandes_fusionnees()
{
    ScenePrincipale s({ 1, 1, 0, 1 });
    s.vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.vue));
    // Late exposures of a new window draw frames too: start once they stop.
    for (int avant = -1, essais = 0; avant != s.vue.nb_images() && essais < 20; ++essais) {
        avant = s.vue.nb_images();
        QTest::qWait(150);
    }
    const int depart = s.vue.nb_images();
    s.vue.demande_repeint();
    s.mot->definir_texte(QStringLiteral("mot"));
    s.vue.demande_repeint();
    QTRY_COMPARE(s.vue.nb_images(), depart + 1);
    QTest::qWait(100);
    QCOMPARE(s.vue.nb_images(), depart + 1);
    s.mot->definir_texte(QStringLiteral("masque"));
    s.vue.repeint_maintenant();
    QTest::qWait(100);
    QCOMPARE(s.vue.nb_images(), depart + 2);
}

namespace {
// Pixels of the word's colour in what the X server shows of the view now.
int pixels_a_l_ecran(Vue3D &vue, const QColor &couleur)
{
    const QImage image =
            QGuiApplication::primaryScreen()->grabWindow(vue.fenetre_gl()->winId()).toImage();
    int nombre = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            nombre += meme_couleur(image.pixel(x, y), couleur);
    return nombre;
}

void attend_images_stables(Vue3D &vue)
{
    for (int avant = -1, essais = 0; avant != vue.nb_images() && essais < 20; ++essais) {
        avant = vue.nb_images();
        QTest::qWait(150);
    }
}
} // namespace

// A prepared frame stays off screen, whatever repaint requests come meanwhile,
// until the view is repainted at once; a change of the scene drops it.
void TestVue3D::image_preparee_montree_a_la_demande()
{
    const QColor jaune(255, 255, 0);
    ScenePrincipale s({ 1, 1, 0, 1 });
    s.mot->definir_texte(QStringLiteral("mot"));
    s.vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.vue));
    attend_images_stables(s.vue);
    s.vue.repeint_maintenant();
    const int mot = pixels_a_l_ecran(s.vue, jaune);
    QVERIFY2(mot > 500, qPrintable(QString::number(mot)));

    const int depart = s.vue.nb_images();
    s.mot->definir_texte(QString());
    s.vue.demande_repeint();
    s.vue.prepare_image();
    QVERIFY(s.vue.image_preparee());
    QTest::qWait(150);
    QCOMPARE(s.vue.nb_images(), depart);
    QCOMPARE(pixels_a_l_ecran(s.vue, jaune), mot);
    s.vue.repeint_maintenant();
    QCOMPARE(s.vue.nb_images(), depart + 1);
    QCOMPARE(pixels_a_l_ecran(s.vue, jaune), 0);
    QTest::qWait(150);
    QCOMPARE(s.vue.nb_images(), depart + 1);

    // Changed after being prepared: the pending repaint shows the scene as it is.
    s.vue.prepare_image();
    s.mot->definir_texte(QStringLiteral("mot"));
    QVERIFY(!s.vue.image_preparee());
    QTRY_COMPARE(s.vue.nb_images(), depart + 2);
    QCOMPARE(pixels_a_l_ecran(s.vue, jaune), mot);
}

// Mouse events of the native window reach the view's signals with the held
// buttons and keys, and an attached control turns the camera.
void TestVue3D::souris_transmise()
{
    ScenePrincipale s({ 1, 1, 0, 1 });
    s.vue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.vue));
    ControleCameraSouris controle;
    controle.attacher(s.vue, s.vue.scene().camera());
    QSignalSpy appuis(&s.vue, &Vue3D::souris_appui);
    QSignalSpy deplacements(&s.vue, &Vue3D::souris_deplace);
    QSignalSpy relachements(&s.vue, &Vue3D::souris_relache);
    QWindow *fenetre = s.vue.fenetre_gl();
    const QVector3D depart = s.vue.scene().camera().position();
    QTest::mouseMove(fenetre, QPoint(100, 100));
    QTest::mousePress(fenetre, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
    // QTest moves carry no keys: this one is sent as the window system would.
    QMouseEvent deplacement(QEvent::MouseMove, QPointF(100, 150),
                            fenetre->mapToGlobal(QPointF(100, 150)), Qt::NoButton, Qt::LeftButton,
                            Qt::ShiftModifier);
    QCoreApplication::sendEvent(fenetre, &deplacement);
    QTest::mouseRelease(fenetre, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 150));
    QCOMPARE(appuis.size(), 1);
    QCOMPARE(appuis[0][0].toPoint(), QPoint(100, 100));
    QCOMPARE(appuis[0][1].value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(appuis[0][2].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QVERIFY(!deplacements.isEmpty());
    QCOMPARE(relachements.size(), 1);
    QCOMPARE(relachements[0][1].value<Qt::MouseButtons>(), Qt::MouseButtons());
    QCOMPARE(s.vue.scene().camera().focale(), 12.0f);
    QCOMPARE(s.vue.scene().camera().position(), depart);
}

int execute_test_vue3d(int argc, char **argv)
{
    TestVue3D t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_vue3d.moc"
