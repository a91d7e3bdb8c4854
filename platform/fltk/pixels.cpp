#include "platform/fltk/pixels.h"

#include <bit>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

namespace toolkit {

bool DisplayTakesPixelsAsTheyAre() {
    if (std::endian::native != std::endian::little) return false;
    const XVisualInfo& visual = *fl_visual;
    return visual.c_class == TrueColor && visual.depth >= 24 && visual.red_mask == 0xFF0000 &&
           visual.green_mask == 0x00FF00 && visual.blue_mask == 0x0000FF && ImageByteOrder(fl_display) == LSBFirst;
}

namespace {

// Puts the width x height pixels at pixels (stride pixels a row) onto drawable at (x, y), as
// they are; false, having drawn nothing, when the display does not take them so.
bool PutPixels(Drawable drawable, GC gc, const std::uint32_t* pixels, int stride, int x, int y, int width,
               int height) {
    if (!DisplayTakesPixelsAsTheyAre()) return false;
    // The image only points at the pixels, which it never writes.
    XImage* image = XCreateImage(fl_display, fl_visual->visual, fl_visual->depth, ZPixmap, 0,
                                 const_cast<char*>(reinterpret_cast<const char*>(pixels)), width, height, 32,
                                 stride * 4);
    if (!image) return false;
    const bool fits = image->bits_per_pixel == 32;
    if (fits) XPutImage(fl_display, drawable, gc, image, 0, 0, x, y, width, height);
    image->data = nullptr;
    XDestroyImage(image);
    return fits;
}

struct RowSource {
    const std::uint32_t* pixels;
    int stride;
};

void ConvertRow(void* data, int x, int y, int width, unsigned char* rgb) {
    const RowSource& source = *static_cast<RowSource*>(data);
    const std::uint32_t* row = source.pixels + static_cast<std::ptrdiff_t>(y) * source.stride + x;
    for (int i = 0; i < width; ++i) {
        rgb[i * 3] = static_cast<unsigned char>(row[i] >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(row[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(row[i]);
    }
}

}  // namespace

void DrawPixels(const std::uint32_t* pixels, int width, int height, int stride, int x, int y) {
    int clipX = 0;
    int clipY = 0;
    int clipW = 0;
    int clipH = 0;
    fl_clip_box(x, y, width, height, clipX, clipY, clipW, clipH);
    if (clipW <= 0 || clipH <= 0) return;
    const std::uint32_t* first = pixels + static_cast<std::ptrdiff_t>(clipY - y) * stride + (clipX - x);
    if (PutPixels(fl_window, fl_gc, first, stride, clipX, clipY, clipW, clipH)) return;
    RowSource source{first, stride};
    fl_draw_image(ConvertRow, &source, clipX, clipY, clipW, clipH, 3);
}

}  // namespace toolkit
