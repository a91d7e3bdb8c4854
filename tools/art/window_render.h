// A small perspective ray marcher for the window pictures: the craft seen from any side
// under several lamps, where the sprites only ever look straight down.
#pragma once

#include <functional>
#include <vector>

#include "tools/art/canvas.h"
#include "tools/art/solid.h"

namespace art {

inline Vec3 CrossProduct(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Runs row(y) for every y in 0..height-1 on all cores. Each row is computed on its own from
// its coordinates, so the result does not depend on which thread took it.
void ForEachRow(int height, const std::function<void(int)>& row);

struct Ray {
    Vec3 origin;
    Vec3 direction;  // unit length
};

class Camera {
public:
    // Looks from eye at target; focal is in pixels, centre is where the target lands in the picture.
    Camera(Vec3 eye, Vec3 target, Vec3 upHint, double focal, double centreX, double centreY);
    // The ray through picture point (x, y).
    Ray Through(double x, double y) const;

private:
    Vec3 eye_, forward_, right_, down_;
    double focal_, centreX_, centreY_;
};

// What a surface is made of where a ray hit it.
struct Material {
    Colour albedo;
    double specular = 0.4;
    double power = 24;
    double mirror = 0;  // share of the sky reflected (glass)
    Colour emission;
};

struct Lamp {
    Vec3 toward;  // unit vector from the scene toward the lamp
    Colour colour;
    bool castsShadow = false;
};

struct Lighting {
    std::vector<Lamp> lamps;
    Colour ambient;
    Colour rim;  // light grazing the silhouette from behind
    Colour skyTop, skyBottom;  // what glass reflects, above and below
};

using SceneFunction = std::function<Distance(Vec3)>;
using MaterialFunction = std::function<Material(Vec3 point, int material)>;

struct Solid {
    SceneFunction scene;
    MaterialFunction material;
    Vec3 boundCentre;  // a sphere the whole solid lies in
    double boundRadius;
    double stride = 0.8;  // below 1 for scenes that overestimate their distances
};

// A glowing stretch of gas (an exhaust): brightest at from, fading out by to.
struct GlowTrail {
    Vec3 from, to;
    double radius;  // at from; it widens toward to
    Colour colour;
};

// The solid as seen by the camera, with glows added in front of and around it; uncovered
// pixels keep cover 0. Edges are supersampled n x n.
Canvas RenderSolid(int width, int height, const Camera& camera, const Solid& solid, const Lighting& lighting,
                   const std::vector<GlowTrail>& glows = {}, int n = 4);

}  // namespace art
