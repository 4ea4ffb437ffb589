#include "engine3d/maillage.h"

#include <algorithm>
#include <atomic>

namespace fantrel::engine3d {

namespace {
std::atomic<std::uint64_t> prochain_numero{ 1 };
}

Maillage::Maillage() : numero(prochain_numero++) { }

QVector3D Maillage::minimum() const
{
    if (sommets.empty())
        return {};
    QVector3D m = sommets.front().position;
    for (const SommetMaillage &s : sommets)
        m = QVector3D(std::min(m.x(), s.position.x()), std::min(m.y(), s.position.y()),
                      std::min(m.z(), s.position.z()));
    return m;
}

QVector3D Maillage::maximum() const
{
    if (sommets.empty())
        return {};
    QVector3D m = sommets.front().position;
    for (const SommetMaillage &s : sommets)
        m = QVector3D(std::max(m.x(), s.position.x()), std::max(m.y(), s.position.y()),
                      std::max(m.z(), s.position.z()));
    return m;
}

} // namespace fantrel::engine3d
