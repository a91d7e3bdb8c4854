#include "platform/fltk/picture.h"

#include <algorithm>
#include <vector>

#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include "platform/fltk/pixels.h"

namespace toolkit {

struct Picture::Converted {
    std::vector<unsigned char> rgb;
    std::unique_ptr<Fl_RGB_Image> image;
};

Picture::Picture(int width, int height, const std::uint32_t* pixels, std::string standInWord)
    : width_(width), height_(height), pixels_(width > 0 && height > 0 ? pixels : nullptr),
      standInWord_(std::move(standInWord)) {}

const Fl_RGB_Image* Picture::Image() const {
    if (!pixels_) return nullptr;
    if (!image_) {
        auto made = std::make_shared<Converted>();
        const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        made->rgb.resize(count * 3);
        for (std::size_t i = 0; i < count; ++i) {
            made->rgb[i * 3] = static_cast<unsigned char>(pixels_[i] >> 16);
            made->rgb[i * 3 + 1] = static_cast<unsigned char>(pixels_[i] >> 8);
            made->rgb[i * 3 + 2] = static_cast<unsigned char>(pixels_[i]);
        }
        made->image = std::make_unique<Fl_RGB_Image>(made->rgb.data(), width_, height_, 3);
        image_ = std::move(made);
    }
    return image_->image.get();
}

void Picture::Draw(int x, int y) const {
    if (pixels_) {
        DrawPixels(pixels_, width_, height_, width_, x, y);
        return;
    }
    if (width_ <= 0 || height_ <= 0) return;
    fl_color(fl_rgb_color(255, 255, 0));
    fl_rectf(x, y, width_, height_);
    fl_color(FL_BLACK);
    fl_font(FL_HELVETICA_BOLD, std::clamp(height_ * 2 / 3, 8, 18));
    fl_draw(standInWord_.c_str(), x, y, width_, height_, FL_ALIGN_CENTER | FL_ALIGN_CLIP);
}

}  // namespace toolkit
