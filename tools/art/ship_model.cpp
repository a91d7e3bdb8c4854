#include "tools/art/ship_model.h"

#include <cmath>

namespace art {

Distance ShipScene(Vec3 world, double roll) {
    const Vec3 p = Roll(world, -roll);
    const Vec3 side{std::fabs(p.x), p.y, p.z};  // the ship is mirror-symmetric

    // Fuselage: a long cone from the nose, widening to the cockpit, closing to the tail. Flattened.
    const Vec3 flat{p.x, p.y, p.z * 1.6};
    const double fore = SdRoundCone(flat, {0, -14.2, 0}, {0, 2, 0}, 0.55, 3.6);
    const double aft = SdRoundCone(flat, {0, 2, 0}, {0, 10.5, 0}, 3.6, 2.2);
    double hull = std::min(fore, aft) / 1.6;

    // Strakes carrying the guns beside the nose.
    const double strake = SdRoundBox(side - Vec3{2.9, -2.5, 0}, {1.5, 3.0, 0.45}, 0.35);
    hull = SmoothUnion(hull, strake, 0.8);

    // Swept main wings from the hull into the pods.
    Vec3 w = side - Vec3{7.0, 4.6, -0.1};
    w.y -= 0.55 * (side.x - 7.0);
    const double wing = SdRoundBox(w, {4.0, 2.0, 0.5}, 0.45);

    const double canopy = SdEllipsoid(p - Vec3{0, -3.2, 1.55}, {1.45, 3.3, 1.3});
    const double gun = SdCapsule(side, {4.0, -9.5, 0.35}, {4.0, -1.0, 0.35}, 0.62);

    const Vec3 podAxis{ShipPodOffset, 0, 0};
    const double podNose = SdRoundCone(side - podAxis, {0, -7.5, 0}, {0, -1.5, 0}, 0.9, 2.6);
    const double podBody = SdRoundCone(side - podAxis, {0, -1.5, 0}, {0, ShipPodRear - 0.6, 0}, 2.6, 2.2);
    const double pod = SmoothUnion(podNose, podBody, 0.5);
    const double nozzle = SdCapsule(side - podAxis, {0, ShipPodRear - 0.6, 0}, {0, ShipPodRear + 0.4, 0}, 1.7);

    Distance d{hull, ShipHull};
    d = Closer(d, {wing, ShipWing});
    d = Closer(d, {canopy, ShipCanopy});
    d = Closer(d, {gun, ShipGun});
    d = Closer(d, {pod, ShipPod});
    d = Closer(d, {nozzle, ShipNozzle});
    return d;
}

Colour ShadeShip(const Hit& hit, double roll) {
    const Vec3 n = hit.normal;
    const Vec3 local = Roll(hit.point, -roll);  // paint follows the ship, light stays put
    const double diffuse = std::max(0.0, Dot(n, LightDirection()));
    double ambient = 0.30;
    double specular = 0.35;
    double power = 20;
    Colour albedo;
    switch (hit.material) {
        case ShipCanopy:
            albedo = Rgb255(40, 90, 190);
            ambient = 0.45;
            specular = 1.1;
            power = 40;
            break;
        case ShipPod:
            albedo = Rgb255(120, 132, 158);
            // A red band round each pod behind its nose.
            if (local.y > -4.4 && local.y < -2.9) albedo = Rgb255(205, 40, 30);
            break;
        case ShipNozzle:
            albedo = Rgb255(70, 60, 64);
            specular = 0.15;
            break;
        case ShipGun:
            albedo = Rgb255(95, 100, 112);
            specular = 0.7;
            power = 30;
            break;
        case ShipWing:
            albedo = Rgb255(170, 178, 196);
            // Darker where the wings run into the pods.
            if (std::fabs(local.x) > 7.6) albedo = Rgb255(150, 155, 175);
            break;
        default:
            albedo = Rgb255(214, 218, 228);
            // A dark seam down the spine behind the cockpit.
            if (std::fabs(local.x) < 0.45 && local.y > 1.0 && local.z > 0) albedo = Rgb255(120, 126, 142);
            break;
    }
    const Colour white{1, 1, 1};
    return albedo * (ambient + 0.85 * diffuse) + white * (specular * Highlight(n, power));
}

Paint ShipPaint(double x, double y, double roll, double thrust) {
    const Hit hit = CastDown([roll](Vec3 p) { return ShipScene(p, roll); }, x, y);
    Paint paint;
    if (hit.hit) paint = {ShadeShip(hit, roll), 1};
    if (thrust <= 0) return paint;
    // Exhaust behind both nozzles, where the rolled pods put them.
    for (const double side : {-1.0, 1.0}) {
        const Vec3 nozzle = Roll({side * ShipPodOffset, ShipPodRear + 2.4, 0}, roll);
        const double dx = (x - nozzle.x) / 1.2;
        const double dy = (y - nozzle.y) / (2.2 * thrust);
        if (dy < -0.8) continue;
        const double heat = std::exp(-(dx * dx + dy * dy) * 1.6);
        if (heat < 0.02) continue;
        const Colour flame = Mix(Rgb255(255, 90, 20), Rgb255(255, 235, 160), heat);
        const double cover = Clamp01(heat * 1.8) * (1 - paint.cover);
        paint.colour = paint.colour + flame * cover;
        paint.cover += cover;
    }
    return paint;
}

}  // namespace art
