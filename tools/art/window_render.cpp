#include "tools/art/window_render.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace art {

void ForEachRow(int height, const std::function<void(int)>& row) {
    std::atomic<int> next{0};
    auto work = [&] {
        for (int y = next++; y < height; y = next++) row(y);
    };
    const unsigned cores = std::max(1u, std::min(16u, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < cores; ++i) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
}

Camera::Camera(Vec3 eye, Vec3 target, Vec3 upHint, double focal, double centreX, double centreY)
    : eye_(eye), focal_(focal), centreX_(centreX), centreY_(centreY) {
    forward_ = Normalize(target - eye);
    // The model axes are left-handed as seen (x right, y down, z toward the viewer), so the
    // products run this way round to keep the picture unmirrored.
    right_ = Normalize(CrossProduct(upHint, forward_));
    down_ = CrossProduct(right_, forward_);
}

Ray Camera::Through(double x, double y) const {
    const Vec3 d = forward_ * focal_ + right_ * (x - centreX_) + down_ * (y - centreY_);
    return {eye_, Normalize(d)};
}

namespace {

constexpr double HitEpsilon = 0.002;

struct Sample {
    Paint paint;
    int id = 0;  // material hit, 0 for none
};

struct Tracer {
    const Solid& solid;
    const Lighting& lighting;
    const std::vector<GlowTrail>& glows;

    double At(Vec3 p) const { return solid.scene(p).d; }

    Vec3 NormalAt(Vec3 p) const {
        const double e = 0.004;
        const Vec3 a{1, -1, -1}, b{-1, -1, 1}, c{-1, 1, -1}, d{1, 1, 1};
        return Normalize(a * At(p + a * e) + b * At(p + b * e) + c * At(p + c * e) + d * At(p + d * e));
    }

    // Penumbra from how closely the way to the lamp grazes the solid.
    double Shadow(Vec3 from, Vec3 toward) const {
        double light = 1;
        double t = 0.06;
        const double reach = 2.2 * solid.boundRadius;
        for (int i = 0; i < 64 && t < reach; ++i) {
            const double h = At(from + toward * t);
            light = std::min(light, 10 * h / t);
            if (light < 0.004) return 0;
            t += std::clamp(h, 0.04, 1.2);
        }
        return Clamp01(light);
    }

    double Occlusion(Vec3 p, Vec3 n) const {
        double hidden = 0, weight = 1;
        for (int i = 1; i <= 5; ++i) {
            const double h = 0.25 * i;
            hidden += (h - At(p + n * h)) * weight;
            weight *= 0.6;
        }
        return Clamp01(1 - 0.9 * hidden);
    }

    Colour Shade(Vec3 p, Vec3 n, Vec3 view, int id) const {
        const Material m = solid.material(p, id);
        const Vec3 lifted = p + n * 0.03;
        const double ao = Occlusion(p, n);
        Colour c = m.albedo * lighting.ambient * ao;
        for (const Lamp& lamp : lighting.lamps) {
            const double diffuse = Dot(n, lamp.toward);
            if (diffuse <= 0) continue;
            const double shadow = lamp.castsShadow ? Shadow(lifted, lamp.toward) : 1;
            if (shadow <= 0) continue;
            const double spec = std::pow(std::max(0.0, Dot(n, Normalize(lamp.toward + view))), m.power);
            c = c + (m.albedo * lamp.colour) * (diffuse * shadow) + lamp.colour * (m.specular * spec * shadow);
        }
        const double facing = std::max(0.0, Dot(n, view));
        const double edge = std::pow(1 - facing, 3);
        c = c + lighting.rim * (edge * ao);
        if (m.mirror > 0) {
            const Vec3 r = n * (2 * Dot(n, view)) - view;
            const Colour sky = Mix(lighting.skyBottom, lighting.skyTop, Clamp01(0.5 + 0.5 * r.z));
            c = Mix(c, sky, m.mirror * (0.35 + 0.65 * edge));
        }
        return c + m.emission;
    }

    // Closest approach of the ray to the trail's axis: the glow it passes through.
    Colour Glow(const Ray& ray, double hitT) const {
        Colour light;
        for (const GlowTrail& g : glows) {
            const Vec3 axis = g.to - g.from;
            const Vec3 w = ray.origin - g.from;
            const double a = Dot(axis, axis), b = Dot(axis, ray.direction), d = Dot(axis, w), e = Dot(ray.direction, w);
            const double denominator = a - b * b;
            double s = denominator > 1e-9 ? (d - b * e) / denominator : 0;
            s = Clamp01(s);
            const Vec3 onAxis = g.from + axis * s;
            const double t = std::max(0.0, Dot(onAxis - ray.origin, ray.direction));
            if (t > hitT) continue;  // behind the hull
            const Vec3 gap = ray.origin + ray.direction * t - onAxis;
            const double r = g.radius * (1 + 1.2 * s);
            const double spread = Dot(gap, gap) / (r * r);
            if (spread > 12) continue;  // too far out to add anything
            const double strength = std::exp(-spread) * std::pow(1 - s, 1.6);
            light = light + g.colour * strength;
        }
        return light;
    }

    Sample Trace(const Ray& ray) const {
        Sample out;
        double hitT = 1e30;
        const Vec3 oc = ray.origin - solid.boundCentre;
        const double b = Dot(oc, ray.direction);
        const double disc = b * b - (Dot(oc, oc) - solid.boundRadius * solid.boundRadius);
        if (disc > 0) {
            const double root = std::sqrt(disc);
            double t = std::max(0.0, -b - root);
            const double exit = -b + root;
            for (int step = 0; step < 300 && t < exit; ++step) {
                const Vec3 p = ray.origin + ray.direction * t;
                const Distance d = solid.scene(p);
                if (d.d < HitEpsilon) {
                    const Vec3 n = NormalAt(p);
                    out.paint = {Shade(p, n, ray.direction * -1, d.material), 1};
                    out.id = d.material;
                    hitT = t;
                    break;
                }
                t += std::max(d.d * solid.stride, HitEpsilon);
            }
        }
        const Colour glow = Glow(ray, hitT);
        if (!glows.empty()) {
            out.paint.colour = out.paint.colour + glow;
            out.paint.cover = std::min(1.0, out.paint.cover + std::max({glow.r, glow.g, glow.b}));
        }
        return out;
    }
};

bool Differs(const Sample& a, const Sample& b) {
    if (a.id != b.id) return true;
    return std::fabs(Luma(a.paint.colour) - Luma(b.paint.colour)) > 0.12;
}

}  // namespace

Canvas RenderSolid(int width, int height, const Camera& camera, const Solid& solid, const Lighting& lighting,
                   const std::vector<GlowTrail>& glows, int n) {
    const Tracer tracer{solid, lighting, glows};
    std::vector<Sample> first(static_cast<std::size_t>(width * height));
    ForEachRow(height, [&](int y) {
        for (int x = 0; x < width; ++x) first[y * width + x] = tracer.Trace(camera.Through(x + 0.5, y + 0.5));
    });
    Canvas canvas(width, height);
    ForEachRow(height, [&](int y) {
        for (int x = 0; x < width; ++x) {
            const Sample& here = first[y * width + x];
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy) {
                for (int dx = -1; dx <= 1 && !edge; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < width && ny < height) edge = Differs(here, first[ny * width + nx]);
                }
            }
            if (!edge) {
                canvas.At(x, y) = here.paint;
                continue;
            }
            Paint sum;
            const double share = 1.0 / (n * n);
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Paint p = tracer.Trace(camera.Through(x + (sx + 0.5) / n, y + (sy + 0.5) / n)).paint;
                    sum.colour = sum.colour + p.colour * share;
                    sum.cover += p.cover * share;
                }
            }
            canvas.At(x, y) = sum;
        }
    });
    return canvas;
}

}  // namespace art
