#include "tools/art/solid.h"

namespace art {

Vec3 Rotate(Vec3 p, Vec3 axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const Vec3 cross{axis.y * p.z - axis.z * p.y, axis.z * p.x - axis.x * p.z, axis.x * p.y - axis.y * p.x};
    return p * c + cross * s + axis * (Dot(axis, p) * (1 - c));
}

double Highlight(Vec3 normal, double power) {
    const Vec3 half = Normalize(LightDirection() + Vec3{0, 0, 1});
    return std::pow(std::max(0.0, Dot(normal, half)), power);
}

double SdSphere(Vec3 p, double radius) { return Length(p) - radius; }

double SdEllipsoid(Vec3 p, Vec3 r) {
    const double k0 = Length({p.x / r.x, p.y / r.y, p.z / r.z});
    const double k1 = Length({p.x / (r.x * r.x), p.y / (r.y * r.y), p.z / (r.z * r.z)});
    return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min({r.x, r.y, r.z});
}

double SdCapsule(Vec3 p, Vec3 a, Vec3 b, double radius) {
    const Vec3 pa = p - a, ba = b - a;
    const double h = std::clamp(Dot(pa, ba) / Dot(ba, ba), 0.0, 1.0);
    return Length(pa - ba * h) - radius;
}

double SdRoundCone(Vec3 p, Vec3 a, Vec3 b, double r1, double r2) {
    const Vec3 ba = b - a;
    const double l2 = Dot(ba, ba);
    const double rr = r1 - r2;
    const double a2 = l2 - rr * rr;
    const double il2 = 1.0 / l2;
    const Vec3 pa = p - a;
    const double y = Dot(pa, ba);
    const double z = y - l2;
    const Vec3 xv = pa * l2 - ba * y;
    const double x2 = Dot(xv, xv);
    const double y2 = y * y * l2;
    const double z2 = z * z * l2;
    const double k = (rr > 0 ? 1 : -1) * rr * rr * x2;
    if ((z > 0 ? 1 : -1) * a2 * z2 > k) return std::sqrt(x2 + z2) * il2 - r2;
    if ((y > 0 ? 1 : -1) * a2 * y2 < k) return std::sqrt(x2 + y2) * il2 - r1;
    return (std::sqrt(x2 * a2 * il2) + y * rr) * il2 - r1;
}

double SdRoundBox(Vec3 p, Vec3 half, double rounding) {
    const Vec3 q = Abs(p) - half + Vec3{rounding, rounding, rounding};
    return Length(Max(q, 0.0)) + std::min(std::max({q.x, q.y, q.z}), 0.0) - rounding;
}

double SmoothUnion(double a, double b, double k) {
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b + (a - b) * h - k * h * (1 - h);
}

}  // namespace art
