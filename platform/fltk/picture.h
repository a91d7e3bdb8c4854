// A picture for the windows, 32-bit pixels (0x00RRGGBB) built into the program and drawn
// straight from there; while the pixels are not there, a stand-in of the same size: a yellow
// field with a word in black.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class Fl_RGB_Image;

namespace toolkit {

class Picture {
public:
    Picture() = default;
    // pixels may be null: the stand-in shows in its place. They must outlive the picture.
    Picture(int width, int height, const std::uint32_t* pixels, std::string standInWord);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsStandIn() const { return pixels_ == nullptr; }
    // An image for the window system (a window's icon, say), made on first use; null for a
    // stand-in.
    const Fl_RGB_Image* Image() const;

    // Draws the picture unscaled with its top-left corner at (x, y), within the current clip.
    void Draw(int x, int y) const;

private:
    struct Converted;
    int width_ = 0;
    int height_ = 0;
    const std::uint32_t* pixels_ = nullptr;
    std::string standInWord_;
    mutable std::shared_ptr<const Converted> image_;
};

}  // namespace toolkit
