// Painting in floating point with coverage, then rounding to the program's pixels.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/surface.h"

namespace art {

// Red, green and blue from 0 to 1.
struct Colour {
    double r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour Mix(Colour a, Colour b, double t) { return a + (b - a) * t; }
// From 0-255 components, the way the colours are thought of.
constexpr Colour Rgb255(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
inline double Luma(Colour c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }
inline double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// A colour with the share of the pixel it covers, premultiplied (colour already scaled by cover).
struct Paint {
    Colour colour;
    double cover = 0;
};

// top laid over under.
inline Paint Layer(const Paint& top, const Paint& under) {
    return {top.colour + under.colour * (1 - top.cover), top.cover + under.cover * (1 - top.cover)};
}

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), cells_(static_cast<std::size_t>(width * height)) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Paint& At(int x, int y) { return cells_[static_cast<std::size_t>(y * width_ + x)]; }
    const Paint& At(int x, int y) const { return cells_[static_cast<std::size_t>(y * width_ + x)]; }

    // Lays colour over the pixel with the given cover (0 to 1); clipped.
    void Over(int x, int y, Colour colour, double cover);
    // Adds light to the pixel, as a glow does: it brightens and makes the pixel more solid.
    void Glow(int x, int y, Colour light);
    // Puts premultiplied paint over the whole canvas, pixel for pixel (sizes must match).
    void Over(const Canvas& top);

    // Pixels covered less than minCover become exact black (transparent); every other pixel
    // keeps its colour as seen against black, and is never rounded to exact black.
    platform::Surface ToSurface(double minCover = 0.2) const;

private:
    int width_;
    int height_;
    std::vector<Paint> cells_;
};

// Averages sample(x, y) over an n x n grid inside every pixel; sample takes continuous
// picture coordinates (pixel (i, j) spans i..i+1, j..j+1) and returns premultiplied paint.
template <class Sampler>
Canvas Supersample(int width, int height, int n, const Sampler& sample) {
    Canvas canvas(width, height);
    const double share = 1.0 / (n * n);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Paint sum;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Paint p = sample(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
                    sum.colour = sum.colour + p.colour * share;
                    sum.cover += p.cover * share;
                }
            }
            canvas.At(x, y) = sum;
        }
    }
    return canvas;
}

}  // namespace art
