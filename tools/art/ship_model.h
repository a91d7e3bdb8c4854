// The player's ship as a solid: a pointed hull between two engine pods. Model units are
// sprite pixels; the origin lies on the centre line, 16 pixels below the top of the sprite.
#pragma once

#include "tools/art/canvas.h"
#include "tools/art/solid.h"

namespace art {

// Where the model's origin sits in the 32 x 32 sprite. The guns at +-4 from the centre line
// line up with the shots, which leave from 8 and 15 pixels right of the sprite's left edge.
constexpr double ShipCentreX = 15.5;
constexpr double ShipCentreY = 16.0;
constexpr double ShipPodOffset = 10.5;  // pod axes from the centre line, level
constexpr double ShipPodRear = 10.0;  // y of the nozzles

enum ShipMaterial { ShipHull = 1, ShipCanopy, ShipPod, ShipNozzle, ShipGun, ShipWing };

// The ship rolled by angle (positive: right-hand side down).
Distance ShipScene(Vec3 p, double roll);

// Lit colour of the ship's surface where a ray hit it.
Colour ShadeShip(const Hit& hit, double roll);

// Paint of the ship, hull and exhaust, at model point (x, y); the exhaust shows only when
// thrust is above 0.
Paint ShipPaint(double x, double y, double roll, double thrust);

}  // namespace art
