// The program's one pseudo-random generator: seeded from the clock at start-up,
// drawing uniform integers in 0 .. n − 1. Tests seed their own.
#pragma once
#include <cstdint>
#include <random>

namespace fantrel::platform {

class Hasard
{
public:
    void graine(std::uint64_t valeur) { m_moteur.seed(valeur); }
    void graine_horloge();
    // Uniform in 0 .. n − 1; 0 when n ≤ 0.
    int tirage(int n);

private:
    std::mt19937_64 m_moteur{ 5489u };
};

} // namespace fantrel::platform
