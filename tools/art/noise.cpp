#include "tools/art/noise.h"

#include <cmath>

namespace art {
namespace {

std::uint32_t Hash(int x, int y, int z, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<std::uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Dot product with one of the twelve edge directions of a cube.
double Gradient(std::uint32_t hash, double x, double y, double z) {
    switch (hash % 12) {
        case 0: return x + y;
        case 1: return -x + y;
        case 2: return x - y;
        case 3: return -x - y;
        case 4: return x + z;
        case 5: return -x + z;
        case 6: return x - z;
        case 7: return -x - z;
        case 8: return y + z;
        case 9: return -y + z;
        case 10: return y - z;
        default: return -y - z;
    }
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double Lerp(double a, double b, double t) { return a + (b - a) * t; }

}  // namespace

std::uint64_t Random::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Noise3(double x, double y, double z, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    const double dx = x - fx, dy = y - fy, dz = z - fz;
    const double u = Fade(dx), v = Fade(dy), w = Fade(dz);
    auto corner = [&](int cx, int cy, int cz) {
        return Gradient(Hash(ix + cx, iy + cy, iz + cz, seed), dx - cx, dy - cy, dz - cz);
    };
    const double x00 = Lerp(corner(0, 0, 0), corner(1, 0, 0), u);
    const double x10 = Lerp(corner(0, 1, 0), corner(1, 1, 0), u);
    const double x01 = Lerp(corner(0, 0, 1), corner(1, 0, 1), u);
    const double x11 = Lerp(corner(0, 1, 1), corner(1, 1, 1), u);
    return Lerp(Lerp(x00, x10, v), Lerp(x01, x11, v), w);
}

double Fbm3(double x, double y, double z, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * Noise3(x, y, z, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += weight;
        weight *= 0.5;
        x *= 2;
        y *= 2;
        z *= 2;
    }
    return sum / norm;
}

}  // namespace art
