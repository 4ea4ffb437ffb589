// The program's one pseudo-random generator: seeded from the clock at start-up,
// drawing uniform integers in 0 .. n − 1. Tests seed their own.
#pragma once
#include <cstdint>
#include <random>

namespace fantrel::platform {

class Hasard
{
public:
    void graine(std::uint64_t valeur)
    {
        m_graine = valeur;
        m_moteur.seed(valeur);
    }
    // From the clock, or from FANTREL_GRAINE when it holds a number: a session's draws
    // replayed from the seed its row keeps (same build, same platform).
    void graine_horloge();
    std::uint64_t graine_posee() const { return m_graine; } // the last seed given
    // Uniform in 0 .. n − 1; 0 when n ≤ 0.
    int tirage(int n);

private:
    std::uint64_t m_graine = 5489u;
    std::mt19937_64 m_moteur{ m_graine };
};

} // namespace fantrel::platform
