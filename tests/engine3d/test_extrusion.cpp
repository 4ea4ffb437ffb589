// Extruded glyph meshes, their anchoring and their cache: no GL context needed.
#include "outils_maillage.h"

#include "engine3d/cache_maillages_texte.h"
#include "engine3d/extrusion_texte.h"
#include "engine3d/texte3d.h"

#include <QTest>

#include <cmath>

using namespace fantrel::engine3d;

class TestExtrusion : public QObject
{
    Q_OBJECT
private slots:
    void texte_ferme_data();
    void texte_ferme();
    void trou_garde_data();
    void trou_garde();
    void texte_vide_data();
    void texte_vide();
    void taille_police();
    void ancrage_centre_data();
    void ancrage_centre();
    void ancrage_ligne_de_base_data();
    void ancrage_ligne_de_base();
    void cache_reutilise();
    void cache_evince_le_plus_ancien();
};

void TestExtrusion::texte_ferme_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<float>("profondeur");
    QTest::addRow("mot de départ") << QStringLiteral("cacaéaé") << 1.0f;
    QTest::addRow("lettre à trou") << QStringLiteral("o") << 1.0f;
    QTest::addRow("masque d'esperluettes") << QStringLiteral("&&&&&&&&&&&") << 1.0f;
    QTest::addRow("masque de dièses") << QStringLiteral("############") << 1.0f;
    QTest::addRow("étiquette des résultats") << QStringLiteral("Connoté") << 0.2f;
    QTest::addRow("signes mêlés") << QStringLiteral("*%@0") << 0.3f;
}

// A closed solid: front and back faces at ±depth/2, walls whose normals point
// out of the filled glyph, and no open or doubled edge.
void TestExtrusion::texte_ferme()
{
    QFETCH(QString, texte);
    QFETCH(float, profondeur);
    const Maillage m = construit_texte_extrude({ texte, QStringLiteral("Arial"), 19, profondeur });
    const auto avant = essais::triangles_de_normale(m, { 0, 0, 1 });
    const auto arriere = essais::triangles_de_normale(m, { 0, 0, -1 });
    const auto cotes = essais::triangles_lateraux(m);
    QVERIFY2(!avant.empty() && !arriere.empty() && !cotes.empty(), "face ou côtés manquants");
    QCOMPARE(avant.size(), arriere.size());
    QCOMPARE(avant.size() + arriere.size() + cotes.size(), m.indices.size() / 3);
    QCOMPARE(m.minimum().z(), -profondeur / 2);
    QCOMPARE(m.maximum().z(), profondeur / 2);
    for (std::size_t t : avant) {
        QCOMPARE(m.sommets[m.indices[3 * t]].position.z(), profondeur / 2);
        QVERIFY2(essais::normale_geometrique(m, t).z() >= 0,
                 "triangle de face tourné vers l'arrière");
    }
    for (std::size_t t : arriere)
        QVERIFY2(essais::normale_geometrique(m, t).z() <= 0, "triangle du dos tourné vers l'avant");
    const QString fermeture = essais::defaut_fermeture(m);
    QVERIFY2(fermeture.isEmpty(), qPrintable(fermeture));

    // Just outside a wall there is no glyph, just inside there is.
    constexpr float ecart = 0.004f;
    for (std::size_t t : cotes) {
        const QVector3D n = m.sommets[m.indices[3 * t]].normale;
        QVERIFY2(QVector3D::dotProduct(essais::normale_geometrique(m, t), n) > 0,
                 "mur tourné à l'envers");
        QVector3D a, b;
        int sur_face = 0;
        for (int k = 0; k < 3; ++k) {
            const QVector3D p = m.sommets[m.indices[3 * t + k]].position;
            if (p.z() > 0)
                (sur_face++ == 0 ? a : b) = p;
        }
        if (sur_face != 2 || (b - a).length() < 4 * ecart)
            continue;
        const QVector3D milieu = (a + b) / 2;
        const QPointF dehors(milieu.x() + n.x() * ecart, milieu.y() + n.y() * ecart);
        const QPointF dedans(milieu.x() - n.x() * ecart, milieu.y() - n.y() * ecart);
        QVERIFY2(!essais::couvert(m, avant, dehors) && essais::couvert(m, avant, dedans),
                 qPrintable(QStringLiteral("normale de mur rentrante en (%1, %2)")
                                    .arg(milieu.x())
                                    .arg(milieu.y())));
    }
}

void TestExtrusion::trou_garde_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addRow("o") << QStringLiteral("o");
    QTest::addRow("O") << QStringLiteral("O");
    QTest::addRow("zéro") << QStringLiteral("0");
}

// The counter of a round glyph stays open while its stroke is filled.
void TestExtrusion::trou_garde()
{
    QFETCH(QString, texte);
    const Maillage m = construit_texte_extrude({ texte });
    const auto avant = essais::triangles_de_normale(m, { 0, 0, 1 });
    const QVector3D bas = m.minimum(), haut = m.maximum();
    const QPointF centre((bas.x() + haut.x()) / 2, (bas.y() + haut.y()) / 2);
    QVERIFY2(!essais::couvert(m, avant, centre), "le trou du glyphe est rempli");
    QVERIFY2(essais::couvert(m, avant, QPointF(bas.x() + 0.03, centre.y())),
             "le trait n'est pas rempli");
}

void TestExtrusion::texte_vide_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addRow("vide") << QString();
    QTest::addRow("espace") << QStringLiteral(" ");
    QTest::addRow("espaces") << QStringLiteral("     ");
}

void TestExtrusion::texte_vide()
{
    QFETCH(QString, texte);
    const Maillage m = construit_texte_extrude({ texte });
    QVERIFY(m.vide());
    QVERIFY(m.sommets.empty());
    Texte3D objet;
    objet.definir_texte(texte);
    QVERIFY(objet.maillage()->vide());
    QCOMPARE(objet.decalage_ancrage(), QVector3D());
}

// A capital is about 0.72 em tall in Arial; one font pixel is unites_par_pixel_police.
void TestExtrusion::taille_police()
{
    const Maillage petit =
            construit_texte_extrude({ QStringLiteral("H"), QStringLiteral("Arial"), 19, 1 });
    const Maillage grand =
            construit_texte_extrude({ QStringLiteral("H"), QStringLiteral("Arial"), 38, 1 });
    const float h19 = petit.maximum().y() - petit.minimum().y();
    const float h38 = grand.maximum().y() - grand.minimum().y();
    const float rapport = h19 / (19 * unites_par_pixel_police);
    QVERIFY2(rapport > 0.65f && rapport < 0.78f, qPrintable(QString::number(rapport)));
    QVERIFY2(std::abs(h38 / h19 - 2) < 0.04f, qPrintable(QString::number(h38 / h19)));
}

void TestExtrusion::ancrage_centre_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QVector3D>("echelle");
    QTest::addRow("mot de départ") << QStringLiteral("cacaéaé") << QVector3D(0.8f, 0.8f, 0.8f);
    QTest::addRow("masque étiré") << QStringLiteral("*****") << QVector3D(1.5f, 0.5f, 1);
    QTest::addRow("mot à jambages") << QStringLiteral("pâquerettes") << QVector3D(1, 1, 1);
}

// Centred text: the middle of its outline lands on the object's position,
// whatever the scale and the turn.
void TestExtrusion::ancrage_centre()
{
    QFETCH(QString, texte);
    QFETCH(QVector3D, echelle);
    Texte3D objet;
    objet.definir_texte(texte);
    objet.definir_position({ 0, 1, 0 });
    objet.tourne_y(-62);
    objet.definir_echelle(echelle);
    const auto m = objet.maillage();
    const QMatrix4x4 modele = objet.matrice_texte();
    const QVector3D milieu = (modele.map(m->minimum()) + modele.map(m->maximum())) / 2;
    QVERIFY2((milieu - objet.position()).length() < 1e-4f,
             qPrintable(QStringLiteral("milieu en (%1, %2, %3)")
                                .arg(milieu.x())
                                .arg(milieu.y())
                                .arg(milieu.z())));
}

void TestExtrusion::ancrage_ligne_de_base_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("jambage");
    QTest::addRow("mot de départ") << QStringLiteral("cacaéaé") << false;
    QTest::addRow("étiquette") << QStringLiteral("Connoté") << false;
    QTest::addRow("mot à jambages") << QStringLiteral("page") << true;
}

// Left-baseline text starts at the pen position (a small side bearing aside)
// and sits on y = 0, descenders going below.
void TestExtrusion::ancrage_ligne_de_base()
{
    QFETCH(QString, texte);
    QFETCH(bool, jambage);
    Texte3D objet;
    objet.definir_ancrage(Texte3D::Ancrage::GaucheLigneBase);
    objet.definir_texte(texte);
    QCOMPARE(objet.decalage_ancrage(), QVector3D());
    const QVector3D bas = objet.maillage()->minimum();
    QVERIFY2(bas.x() >= 0 && bas.x() < 0.15f, qPrintable(QString::number(bas.x())));
    if (jambage)
        QVERIFY2(bas.y() < -0.15f, qPrintable(QString::number(bas.y())));
    else
        QVERIFY2(bas.y() > -0.03f && bas.y() < 0.01f, qPrintable(QString::number(bas.y())));
    QVERIFY(objet.maillage()->maximum().y() > 0.4f);
}

// Flipping a text between a mask and a word builds each mesh once; a text
// prepared in advance is not built again when shown.
void TestExtrusion::cache_reutilise()
{
    auto &cache = CacheMaillagesTexte::commun();
    cache.vide();
    Texte3D objet;
    const std::size_t avant = cache.nb_constructions();
    std::shared_ptr<const Maillage> premiers[2];
    for (int i = 0; i < 6; ++i) {
        objet.definir_texte(i % 2 ? QStringLiteral("&&&&&&&&&&&") : QStringLiteral("bateau"));
        const auto m = objet.maillage();
        if (i < 2)
            premiers[i] = m;
        else
            QCOMPARE(m.get(), premiers[i % 2].get());
    }
    QCOMPARE(cache.nb_constructions() - avant, 2u);
    objet.definir_extrusion(0.2f);
    QVERIFY(objet.maillage() != premiers[1]);
    QCOMPARE(cache.nb_constructions() - avant, 3u);
    objet.prepare_texte(QStringLiteral("bateau"));
    QCOMPARE(cache.nb_constructions() - avant, 4u);
    QCOMPARE(objet.texte(), QStringLiteral("&&&&&&&&&&&"));
    objet.definir_texte(QStringLiteral("bateau"));
    QCOMPARE(objet.maillage()->minimum().z(), -0.1f);
    QCOMPARE(cache.nb_constructions() - avant, 4u);
}

void TestExtrusion::cache_evince_le_plus_ancien()
{
    CacheMaillagesTexte cache(2);
    const auto a = cache.maillage({ QStringLiteral("a") });
    cache.maillage({ QStringLiteral("b") });
    QCOMPARE(cache.maillage({ QStringLiteral("a") }).get(), a.get()); // a is now the most recent
    cache.maillage({ QStringLiteral("c") }); // drops b
    QCOMPARE(cache.taille(), 2u);
    QCOMPARE(cache.nb_constructions(), 3u);
    QCOMPARE(cache.maillage({ QStringLiteral("a") }).get(), a.get());
    cache.maillage({ QStringLiteral("b") });
    QCOMPARE(cache.nb_constructions(), 4u);
}

int execute_test_extrusion(int argc, char **argv)
{
    TestExtrusion t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_extrusion.moc"
