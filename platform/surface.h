// A plain 32-bit pixel surface and the unscaled copy between two of them.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// 0x00RRGGBB. Pure black is the transparent colour of every image list.
using Pixel = std::uint32_t;

constexpr Pixel Rgb(int red, int green, int blue) {
    return (static_cast<Pixel>(red & 0xFF) << 16) | (static_cast<Pixel>(green & 0xFF) << 8) |
           static_cast<Pixel>(blue & 0xFF);
}
constexpr int RedOf(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int GreenOf(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int BlueOf(Pixel p) { return static_cast<int>(p & 0xFF); }

constexpr Pixel Black = 0;

class Surface {
public:
    Surface(int width, int height, Pixel fill = Black);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Takes the new size; the old picture is dropped and the surface is filled.
    void Resize(int width, int height, Pixel fill = Black);
    void Fill(Pixel colour);

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Pixel p) { pixels_[Index(x, y)] = p; }
    // Clipped single-pixel write: outside the surface nothing happens.
    void Plot(int x, int y, Pixel p) {
        if (Contains(x, y)) Set(x, y, p);
    }

    const Pixel* Row(int y) const { return pixels_.data() + Index(0, y); }
    Pixel* Row(int y) { return pixels_.data() + Index(0, y); }
    const Pixel* Data() const { return pixels_.data(); }
    Pixel* Data() { return pixels_.data(); }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

// Copies the width x height rectangle at (sx, sy) of src onto dst at (dx, dy), unscaled.
// Whatever falls outside either surface is left out.
void BitBlt(Surface& dst, int dx, int dy, int width, int height, const Surface& src, int sx, int sy);

}  // namespace platform
