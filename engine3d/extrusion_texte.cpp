#include "engine3d/extrusion_texte.h"

#include <QFont>
#include <QPainterPath>
#include <QTransform>

#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace fantrel::engine3d {

namespace {

// Outlines are flattened at this multiple of the font size: Qt flattens curves to
// half a unit, which shows facets once a 19-pixel word is drawn 60 pixels tall.
// Twice is smooth there; more adds triangles, which software GL pays per frame.
constexpr double sur_echantillonnage = 2.0;

using Contour = std::vector<QPointF>;

// Closed polygons without the repeated closing point nor repeated points.
std::vector<Contour> contours_du_texte(const ParametresTexte &p, Qt::FillRule &regle)
{
    QFont police(p.famille);
    police.setPixelSize(p.hauteur_pixels);
    police.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath chemin;
    chemin.addText(QPointF(0, 0), police, p.texte);
    regle = chemin.fillRule();
    const QList<QPolygonF> polygones = chemin.toSubpathPolygons(
            QTransform::fromScale(sur_echantillonnage, -sur_echantillonnage));
    std::vector<Contour> contours;
    contours.reserve(polygones.size());
    for (const QPolygonF &poly : polygones) {
        Contour c;
        c.reserve(poly.size());
        for (const QPointF &pt : poly)
            if (c.empty() || c.back() != pt)
                c.push_back(pt);
        while (c.size() > 1 && c.back() == c.front())
            c.pop_back();
        if (c.size() >= 3)
            contours.push_back(std::move(c));
    }
    return contours;
}

double aire_signee(const Contour &c)
{
    double a = 0;
    for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
        a += c[j].x() * c[i].y() - c[i].x() * c[j].y();
    return a / 2;
}

bool contient(const Contour &c, const QPointF &q)
{
    bool dedans = false;
    for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        const QPointF &a = c[i], &b = c[j];
        if ((a.y() > q.y()) != (b.y() > q.y())
            && q.x() < (b.x() - a.x()) * (q.y() - a.y()) / (b.y() - a.y()) + a.x())
            dedans = !dedans;
    }
    return dedans;
}

// Tessellation state shared with the GLU callbacks.
struct EtatTessellation
{
    std::vector<QPointF> points;
    std::vector<std::uint32_t> triangles;
    bool erreur = false;
};

void GLAPIENTRY rappel_debut(GLenum, void *) { }
void GLAPIENTRY rappel_bord(GLboolean, void *) { }
void GLAPIENTRY rappel_sommet(void *sommet, void *donnees)
{
    static_cast<EtatTessellation *>(donnees)->triangles.push_back(
            static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(sommet)));
}
void GLAPIENTRY rappel_combinaison(GLdouble coords[3], void *[4], GLfloat[4], void **sortie,
                                   void *donnees)
{
    auto *etat = static_cast<EtatTessellation *>(donnees);
    *sortie = reinterpret_cast<void *>(static_cast<std::uintptr_t>(etat->points.size()));
    etat->points.emplace_back(coords[0], coords[1]);
}
void GLAPIENTRY rappel_erreur(GLenum, void *donnees)
{
    static_cast<EtatTessellation *>(donnees)->erreur = true;
}

// Triangles of the filled outlines, counter-clockwise in the x-y plane.
EtatTessellation tessellation(const std::vector<Contour> &contours, Qt::FillRule regle)
{
    EtatTessellation etat;
    std::size_t total = 0;
    for (const Contour &c : contours)
        total += c.size();
    std::vector<std::array<GLdouble, 3>> coords;
    coords.reserve(total); // GLU keeps pointers into it until the polygon ends
    etat.points.reserve(total + total / 8);

    GLUtesselator *tess = gluNewTess();
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(&rappel_debut));
    // With an edge-flag callback GLU hands out plain triangles only.
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(&rappel_bord));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(&rappel_sommet));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA,
                    reinterpret_cast<_GLUfuncptr>(&rappel_combinaison));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&rappel_erreur));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE,
                    regle == Qt::OddEvenFill ? GLU_TESS_WINDING_ODD : GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    gluTessBeginPolygon(tess, &etat);
    for (const Contour &c : contours) {
        gluTessBeginContour(tess);
        for (const QPointF &pt : c) {
            const auto indice = static_cast<std::uintptr_t>(etat.points.size());
            etat.points.push_back(pt);
            coords.push_back({ pt.x(), pt.y(), 0.0 });
            gluTessVertex(tess, coords.back().data(), reinterpret_cast<void *>(indice));
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);

    etat.triangles.resize(etat.triangles.size() - etat.triangles.size() % 3);
    for (std::size_t t = 0; t < etat.triangles.size(); t += 3) {
        const QPointF a = etat.points[etat.triangles[t]], b = etat.points[etat.triangles[t + 1]],
                      c = etat.points[etat.triangles[t + 2]];
        if ((b.x() - a.x()) * (c.y() - a.y()) - (b.y() - a.y()) * (c.x() - a.x()) < 0)
            std::swap(etat.triangles[t + 1], etat.triangles[t + 2]);
    }
    return etat;
}

// Front face at z = +demi, back face at z = -demi, the back wound the other way.
void ajoute_faces(const EtatTessellation &t, float echelle, float demi, Maillage &m)
{
    const auto base = static_cast<std::uint32_t>(m.sommets.size());
    const auto n = static_cast<std::uint32_t>(t.points.size());
    for (float z : { demi, -demi })
        for (const QPointF &p : t.points)
            m.sommets.push_back({ QVector3D(float(p.x()) * echelle, float(p.y()) * echelle, z),
                                  QVector3D(0, 0, z > 0 ? 1.0f : -1.0f) });
    for (std::uint32_t i : t.triangles)
        m.indices.push_back(base + i);
    for (std::size_t k = 0; k < t.triangles.size(); k += 3)
        for (std::size_t j : { 0, 2, 1 })
            m.indices.push_back(base + n + t.triangles[k + j]);
}

// Side walls with flat normals pointing out of the filled region. Under the
// even-odd rule a contour's inside is filled when it lies inside an even number
// of other contours, whatever way the font winds it.
void ajoute_murs(const std::vector<Contour> &contours, float echelle, float demi, Maillage &m)
{
    std::vector<QRectF> cadres;
    cadres.reserve(contours.size());
    for (const Contour &c : contours)
        cadres.push_back(QPolygonF(QList<QPointF>(c.begin(), c.end())).boundingRect());
    for (std::size_t i = 0; i < contours.size(); ++i) {
        const Contour &c = contours[i];
        int profondeur = 0;
        for (std::size_t j = 0; j < contours.size(); ++j)
            if (j != i && cadres[j].contains(c.front()) && contient(contours[j], c.front()))
                ++profondeur;
        const bool vers_la_droite = (aire_signee(c) > 0) == (profondeur % 2 == 0);
        for (std::size_t k = 0; k < c.size(); ++k) {
            const QPointF p = c[k] * echelle, q = c[(k + 1) % c.size()] * echelle;
            QVector3D normale(float(q.y() - p.y()), float(p.x() - q.x()), 0);
            if (normale.lengthSquared() == 0.0f)
                continue;
            normale.normalize();
            if (!vers_la_droite)
                normale = -normale;
            const auto base = static_cast<std::uint32_t>(m.sommets.size());
            m.sommets.push_back({ QVector3D(float(p.x()), float(p.y()), demi), normale });
            m.sommets.push_back({ QVector3D(float(q.x()), float(q.y()), demi), normale });
            m.sommets.push_back({ QVector3D(float(q.x()), float(q.y()), -demi), normale });
            m.sommets.push_back({ QVector3D(float(p.x()), float(p.y()), -demi), normale });
            static constexpr std::array<std::uint32_t, 6> vers_droite{ 0, 2, 1, 0, 3, 2 };
            static constexpr std::array<std::uint32_t, 6> vers_gauche{ 0, 1, 2, 0, 2, 3 };
            for (std::uint32_t d : vers_la_droite ? vers_droite : vers_gauche)
                m.indices.push_back(base + d);
        }
    }
}

} // namespace

Maillage construit_texte_extrude(const ParametresTexte &parametres)
{
    Maillage m;
    if (parametres.texte.isEmpty() || parametres.hauteur_pixels <= 0)
        return m;
    Qt::FillRule regle = Qt::OddEvenFill;
    const std::vector<Contour> contours = contours_du_texte(parametres, regle);
    if (contours.empty())
        return m;
    const auto echelle = static_cast<float>(unites_par_pixel_police / sur_echantillonnage);
    const float demi = std::abs(parametres.profondeur) / 2;
    const EtatTessellation faces = tessellation(contours, regle);
    m.sommets.reserve(faces.points.size() * 2 + faces.points.size() * 4);
    m.indices.reserve(faces.triangles.size() * 2 + faces.points.size() * 6);
    ajoute_faces(faces, echelle, demi, m);
    ajoute_murs(contours, echelle, demi, m);
    return m;
}

} // namespace fantrel::engine3d
