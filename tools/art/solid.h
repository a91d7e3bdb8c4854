// Small solids described by distance functions, seen from straight above and lit by one
// lamp. Picture axes: x to the right, y down the picture, z up towards the viewer.
#pragma once

#include <algorithm>
#include <cmath>

namespace art {

constexpr double Pi = 3.14159265358979323846;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a) {
    const double l = Length(a);
    return l > 0 ? a * (1 / l) : Vec3{0, 0, 1};
}
inline Vec3 Abs(Vec3 a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }
inline Vec3 Max(Vec3 a, double m) { return {std::max(a.x, m), std::max(a.y, m), std::max(a.z, m)}; }

// Turns about the axis of flight (the picture's y axis). A positive angle lowers the right-hand side.
inline Vec3 Roll(Vec3 p, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
}
// Rotation by angle about a unit axis (Rodrigues).
Vec3 Rotate(Vec3 p, Vec3 axis, double angle);

// The light of every picture comes from the upper left and above.
inline Vec3 LightDirection() { return Normalize({-0.7, -0.55, 0.6}); }
// Blinn highlight for a viewer straight above.
double Highlight(Vec3 normal, double power);

double SdSphere(Vec3 p, double radius);
double SdEllipsoid(Vec3 p, Vec3 radii);
double SdCapsule(Vec3 p, Vec3 a, Vec3 b, double radius);
// A cone with rounded ends, radius ra at a and rb at b.
double SdRoundCone(Vec3 p, Vec3 a, Vec3 b, double ra, double rb);
double SdRoundBox(Vec3 p, Vec3 half, double rounding);
// Polynomial smooth minimum: blends two solids over about k.
double SmoothUnion(double a, double b, double k);

// A distance together with the material found there.
struct Distance {
    double d = 1e9;
    int material = 0;
};
inline Distance Closer(Distance a, Distance b) { return b.d < a.d ? b : a; }

struct Hit {
    bool hit = false;
    Vec3 point;
    Vec3 normal;
    int material = 0;
};

// Casts a ray straight down through picture point (x, y) onto the solid scene(p) -> Distance,
// which must lie within |z| < depth. A scene that overestimates its distances (bumpy, blended
// or squashed solids) takes a smaller stride.
template <class Scene>
Hit CastDown(const Scene& scene, double x, double y, double depth = 10, double stride = 0.8) {
    Hit hit;
    double z = depth;
    for (int step = 0; step < 160 && z > -depth; ++step) {
        const Distance d = scene(Vec3{x, y, z});
        if (d.d < 0.002) {
            hit.hit = true;
            hit.point = {x, y, z};
            hit.material = d.material;
            const double e = 0.01;
            auto at = [&](Vec3 q) { return scene(q).d; };
            hit.normal = Normalize({at({x + e, y, z}) - at({x - e, y, z}), at({x, y + e, z}) - at({x, y - e, z}),
                                    at({x, y, z + e}) - at({x, y, z - e})});
            return hit;
        }
        z -= std::max(d.d * stride, 0.002);
    }
    return hit;
}

}  // namespace art
