// Box and grid builders, colour values: no GL context needed.
#include "outils_maillage.h"

#include "engine3d/couleur.h"
#include "engine3d/geometrie.h"

#include <QTest>

#include <cmath>

using namespace fantrel::engine3d;

Q_DECLARE_METATYPE(fantrel::engine3d::ParametresGrille)

class TestGeometrie : public QObject
{
    Q_OBJECT
private slots:
    void boite_data();
    void boite();
    void grille_data();
    void grille();
    void couleur_data();
    void couleur();
};

void TestGeometrie::boite_data()
{
    QTest::addColumn<QVector3D>("taille");
    QTest::addRow("cube unité") << QVector3D(1, 1, 1);
    QTest::addRow("barre d'utilisateur") << QVector3D(0.8f, 2.55f, 0.4f);
    QTest::addRow("barre sans réponse") << QVector3D(0.8f, 0, 0.8f);
    QTest::addRow("tailles négatives") << QVector3D(-2, 3, -0.5f);
}

void TestGeometrie::boite()
{
    QFETCH(QVector3D, taille);
    const Maillage m = construit_boite(taille.x(), taille.y(), taille.z());
    QCOMPARE(m.primitive, Primitive::Triangles);
    QCOMPARE(m.sommets.size(), 24u);
    QCOMPARE(m.indices.size(), 36u);
    const QVector3D demi(std::abs(taille.x()) / 2, std::abs(taille.y()) / 2,
                         std::abs(taille.z()) / 2);
    QVERIFY2((m.minimum() + demi).length() < 1e-6f && (m.maximum() - demi).length() < 1e-6f,
             "la boîte n'est pas centrée sur l'origine à sa taille");
    int par_axe[3] = {};
    for (std::size_t t = 0; t < 12; ++t) {
        const QVector3D n = m.sommets[m.indices[3 * t]].normale;
        QVERIFY2(std::abs(n.length() - 1) < 1e-6f, "normale non unitaire");
        for (int a = 0; a < 3; ++a)
            par_axe[a] += std::abs(n[a]) > 0.5f;
        // Outward: the face lies on the side its normal points to, and the
        // triangle turns counter-clockwise seen from there.
        const QVector3D coin = m.sommets[m.indices[3 * t]].position;
        QVERIFY2(QVector3D::dotProduct(coin, n) >= -1e-6f, "normale tournée vers l'intérieur");
        if (QVector3D::crossProduct(m.sommets[m.indices[3 * t + 1]].position - coin,
                                    m.sommets[m.indices[3 * t + 2]].position - coin)
                    .lengthSquared()
            > 0)
            QVERIFY2(QVector3D::dotProduct(essais::normale_geometrique(m, t), n) > 0,
                     qPrintable(QStringLiteral("triangle %1 tourné à l'envers").arg(t)));
    }
    QCOMPARE(par_axe[0], 4);
    QCOMPARE(par_axe[1], 4);
    QCOMPARE(par_axe[2], 4);
    if (taille.y() != 0)
        QVERIFY2(essais::defaut_fermeture(m).isEmpty(), qPrintable(essais::defaut_fermeture(m)));
}

void TestGeometrie::grille_data()
{
    QTest::addColumn<ParametresGrille>("p");
    QTest::addColumn<int>("verticales");
    QTest::addColumn<int>("horizontales");
    // The results view's grid: x -3..3 every 1, y 0..7 every 0.3 (6.9 is the last).
    QTest::addRow("grille des résultats") << ParametresGrille{ -3, 3, 1, 0, 7, 0.3f } << 7 << 24;
    QTest::addRow("bornes atteintes malgré l'arrondi")
            << ParametresGrille{ 0, 1, 0.1f, 0, 0.9f, 0.3f } << 11 << 4;
    QTest::addRow("pas nul") << ParametresGrille{ -1, 1, 0, 0, 1, 0.5f } << 0 << 3;
    QTest::addRow("pas négatif") << ParametresGrille{ -1, 1, 1, 0, 1, -0.5f } << 3 << 0;
    QTest::addRow("plage inversée") << ParametresGrille{ 1, -1, 1, 0, 1, 0.5f } << 0 << 0;
}

void TestGeometrie::grille()
{
    QFETCH(ParametresGrille, p);
    QFETCH(int, verticales);
    QFETCH(int, horizontales);
    const Maillage m = construit_grille(p);
    QCOMPARE(m.primitive, Primitive::Lignes);
    QCOMPARE(int(m.indices.size()), 2 * (verticales + horizontales));
    int v = 0, h = 0;
    for (std::size_t i = 0; i < m.indices.size(); i += 2) {
        const QVector3D a = m.sommets[m.indices[i]].position,
                        b = m.sommets[m.indices[i + 1]].position;
        QCOMPARE(a.z(), 0.0f);
        QCOMPARE(b.z(), 0.0f);
        if (a.x() == b.x()) {
            ++v;
            QVERIFY2(std::min(a.y(), b.y()) == p.y_min && std::max(a.y(), b.y()) == p.y_max,
                     "une verticale ne va pas d'un bord à l'autre");
            QVERIFY(a.x() >= p.x_min - 1e-5f && a.x() <= p.x_max + 1e-5f);
        } else {
            ++h;
            QCOMPARE(a.y(), b.y());
            QVERIFY2(std::min(a.x(), b.x()) == p.x_min && std::max(a.x(), b.x()) == p.x_max,
                     "une horizontale ne va pas d'un bord à l'autre");
            QVERIFY(a.y() >= p.y_min - 1e-5f && a.y() <= p.y_max + 1e-5f);
        }
    }
    QCOMPARE(v, verticales);
    QCOMPARE(h, horizontales);
}

void TestGeometrie::couleur_data()
{
    QTest::addColumn<qint32>("valeur");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addRow("rouge pur 0x0000FF") << qint32(0x0000FF) << 255 << 0 << 0;
    QTest::addRow("bleu pur 0xFF0000") << qint32(0xFF0000) << 0 << 0 << 255;
    QTest::addRow("fond lu dans les réglages") << qint32(15780518) << 0xA6 << 0xCA << 0xF0;
    QTest::addRow("octet haut ignoré") << qint32(0x7F00FF00) << 0 << 255 << 0;
    QTest::addRow("système 28, fin du dégradé inactif") << qint32(-2147483620) << 215 << 228 << 242;
    QTest::addRow("système 0, barre de défilement") << qint32(0x80000000u) << 200 << 200 << 200;
    QTest::addRow("système 13, sélection") << qint32(0x80000000u + 13) << 0 << 120 << 215;
    QTest::addRow("système 30, barre de menus") << qint32(0x80000000u + 30) << 240 << 240 << 240;
    QTest::addRow("système 31 inconnu") << qint32(0x80000000u + 31) << 0 << 0 << 0;
    QTest::addRow("système hors table") << qint32(-1) << 0 << 0 << 0;
}

void TestGeometrie::couleur()
{
    QFETCH(qint32, valeur);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    const CouleurRVBA c = couleur_depuis_valeur(valeur);
    QCOMPARE(std::lround(c.r * 255), long(r));
    QCOMPARE(std::lround(c.g * 255), long(g));
    QCOMPARE(std::lround(c.b * 255), long(b));
    QCOMPARE(c.a, 1.0f);
}

int execute_test_geometrie(int argc, char **argv)
{
    TestGeometrie t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_geometrie.moc"
