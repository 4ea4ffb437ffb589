#include "outils_maillage.h"

#include <cmath>
#include <map>
#include <tuple>

namespace essais {

namespace {

QVector3D sommet(const Maillage &m, std::size_t t, int k)
{
    return m.sommets[m.indices[3 * t + k]].position;
}

// Positions rounded to 1e-5 so duplicated vertices of flat-shaded faces meet.
using Cle = std::tuple<long, long, long>;
Cle cle(const QVector3D &p)
{
    return { std::lround(p.x() * 1e5), std::lround(p.y() * 1e5), std::lround(p.z() * 1e5) };
}

} // namespace

std::vector<std::size_t> triangles_de_normale(const Maillage &m, const QVector3D &normale)
{
    std::vector<std::size_t> resultat;
    for (std::size_t t = 0; t < m.indices.size() / 3; ++t) {
        bool tous = true;
        for (int k = 0; k < 3; ++k)
            tous = tous && (m.sommets[m.indices[3 * t + k]].normale - normale).length() < 1e-4f;
        if (tous)
            resultat.push_back(t);
    }
    return resultat;
}

std::vector<std::size_t> triangles_lateraux(const Maillage &m)
{
    std::vector<std::size_t> resultat;
    for (std::size_t t = 0; t < m.indices.size() / 3; ++t)
        if (std::abs(m.sommets[m.indices[3 * t]].normale.z()) < 1e-4f)
            resultat.push_back(t);
    return resultat;
}

QVector3D normale_geometrique(const Maillage &m, std::size_t t)
{
    const QVector3D a = sommet(m, t, 0), b = sommet(m, t, 1), c = sommet(m, t, 2);
    return QVector3D::crossProduct(b - a, c - a);
}

QString defaut_fermeture(const Maillage &m)
{
    std::map<std::pair<Cle, Cle>, int> aretes;
    for (std::size_t t = 0; t < m.indices.size() / 3; ++t)
        for (int k = 0; k < 3; ++k) {
            Cle a = cle(sommet(m, t, k)), b = cle(sommet(m, t, (k + 1) % 3));
            if (b < a)
                std::swap(a, b);
            ++aretes[{ a, b }];
        }
    for (const auto &[arete, nombre] : aretes)
        if (nombre != 2)
            return QStringLiteral("arête (%1, %2, %3)-(%4, %5, %6) utilisée %7 fois")
                    .arg(std::get<0>(arete.first) / 1e5)
                    .arg(std::get<1>(arete.first) / 1e5)
                    .arg(std::get<2>(arete.first) / 1e5)
                    .arg(std::get<0>(arete.second) / 1e5)
                    .arg(std::get<1>(arete.second) / 1e5)
                    .arg(std::get<2>(arete.second) / 1e5)
                    .arg(nombre);
    return {};
}

bool couvert(const Maillage &m, const std::vector<std::size_t> &triangles, QPointF p)
{
    auto cote = [](QPointF a, QPointF b, QPointF q) {
        return (b.x() - a.x()) * (q.y() - a.y()) - (b.y() - a.y()) * (q.x() - a.x());
    };
    for (std::size_t t : triangles) {
        const QVector3D a3 = sommet(m, t, 0), b3 = sommet(m, t, 1), c3 = sommet(m, t, 2);
        const QPointF a(a3.x(), a3.y()), b(b3.x(), b3.y()), c(c3.x(), c3.y());
        const double d1 = cote(a, b, p), d2 = cote(b, c, p), d3 = cote(c, a, p);
        if ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0))
            return true;
    }
    return false;
}

} // namespace essais
