// Seeded randomness for the drawings. Everything here is our own arithmetic, so the
// pictures come out byte for byte the same on every build.
#pragma once

#include <cstdint>

namespace art {

// splitmix64.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Uniform();  // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Uniform(); }
    int Below(int n) { return static_cast<int>(Uniform() * n); }

private:
    std::uint64_t state_;
};

// Smooth gradient noise, roughly -1 to 1, zero at the lattice points.
double Noise3(double x, double y, double z, std::uint32_t seed);
// Octaves of Noise3, each at twice the frequency and half the weight of the last.
double Fbm3(double x, double y, double z, int octaves, std::uint32_t seed);

}  // namespace art
