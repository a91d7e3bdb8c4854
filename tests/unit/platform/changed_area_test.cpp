// The back buffer's account of what it drew: a clear that blackens only last frame's drawing
// must still leave the whole buffer black, and a screen sent only the changed parts must end up
// showing exactly the buffer.
#include "platform/back_buffer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pixel_checks.h"
#include "platform/rect_list.h"

namespace {

using platform::BackBuffer;
using platform::Black;
using platform::ImageList;
using platform::Pixel;
using platform::Rect;
using platform::RectList;
using platform::Rgb;
using platform::Surface;

constexpr int FieldW = 484;
constexpr int FieldH = 300;

// A 16 x 16 sprite: a ring with a black (transparent) centre and corners, so that the shape
// and not only the box matters.
ImageList Ring() {
    std::vector<Pixel> pixels(16 * 16, Black);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15;
            const int dy = 2 * y - 15;
            const int d = dx * dx + dy * dy;
            if (d > 8 * 8 && d < 15 * 15) pixels[y * 16 + x] = Rgb(90 + 10 * x, 200, 40 + 10 * y);
        }
    }
    return ImageList(16, 16, std::move(pixels));
}

struct Op {
    enum Kind { Sprite, Line, Text, Fill } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    Pixel colour = Rgb(200, 200, 200);
};
Op SpriteAt(int x, int y) { return {Op::Sprite, x, y, 0, 0, "", Black}; }
Op LineOf(int x1, int y1, int x2, int y2, Pixel colour) { return {Op::Line, x1, y1, x2, y2, "", colour}; }
Op TextAt(int x, int y, std::string text) { return {Op::Text, x, y, 0, 0, std::move(text), Rgb(200, 200, 200)}; }
Op FillWith(Pixel colour) { return {Op::Fill, 0, 0, 0, 0, "", colour}; }

// The smallest rectangle holding every rectangle of the list.
Rect BoundsOf(const RectList& list) {
    Rect all;
    for (const Rect& r : list.Rects()) all = platform::Bounds(all, r);
    return all;
}

// A frame as the game draws one: a clear, then the drawing; shown or not afterwards.
struct Frame {
    std::vector<Op> ops;
    bool shown = true;
};

// A screen that is only ever sent the changed parts, as the window's is.
class ModelScreen {
public:
    void Show(const BackBuffer& buffer) {
        RectList parts;
        if (shown_ && picture_.Width() == buffer.Width() && picture_.Height() == buffer.Height()) {
            parts = buffer.ChangedSince(*shown_);
        } else {
            picture_ = Surface(buffer.Width(), buffer.Height(), Rgb(128, 128, 128));
            parts.Add({0, 0, buffer.Width(), buffer.Height()});
        }
        for (const Rect& r : parts.Rects()) {
            ASSERT_EQ(platform::ClipTo(r, buffer.Width(), buffer.Height()), r) << "a part outside the buffer";
            platform::BitBlt(picture_, r.x, r.y, r.width, r.height, buffer, r.x, r.y);
        }
        shown_ = buffer.Frame();
    }
    const Surface& Picture() const { return picture_; }

private:
    Surface picture_{0, 0};
    std::optional<std::uint64_t> shown_;
};

void Play(BackBuffer& buffer, const ImageList& ring, const std::vector<Op>& ops) {
    for (const Op& op : ops) {
        switch (op.kind) {
        case Op::Sprite:
            buffer.Draw(ring, 1, op.x1, op.y1);
            break;
        case Op::Line:
            buffer.SetForeColor(op.colour);
            buffer.Line(static_cast<float>(op.x1), static_cast<float>(op.y1), static_cast<float>(op.x2),
                        static_cast<float>(op.y2));
            break;
        case Op::Text:
            buffer.SetForeColor(op.colour);
            buffer.SetTextPosition(op.x1, op.y1);
            buffer.Print(op.text);
            break;
        case Op::Fill:
            pixel_checks::PaintAll(buffer, op.colour);
            break;
        }
    }
}

TEST(ChangedArea, ClearsToBlackAndTheScreenShowsEveryFrameExactly) {
    const Frame fullField{{SpriteAt(20, 40), SpriteAt(100, 120), SpriteAt(300, 200), SpriteAt(440, 30),
                           LineOf(2, 2, 102, 2, Rgb(255, 0, 0)), TextAt(240, 2, "123,456")}};
    const struct {
        const char* what;
        std::vector<Frame> frames;
    } cases[] = {
        {"sprites moving a pixel a frame", {{{SpriteAt(50, 50)}}, {{SpriteAt(51, 50)}}, {{SpriteAt(51, 51)}}}},
        {"sprites clipped at every edge",
         {{{SpriteAt(-8, 100), SpriteAt(476, 100), SpriteAt(200, -8), SpriteAt(200, 292), SpriteAt(-8, -8),
            SpriteAt(476, 292)}},
          {{SpriteAt(-15, 100), SpriteAt(483, 100), SpriteAt(200, -15), SpriteAt(200, 299)}},
          {{SpriteAt(0, 0)}}}},
        {"sprites wholly outside, then back",
         {{{SpriteAt(-16, 10), SpriteAt(484, 10), SpriteAt(10, 300), SpriteAt(-100000, 100000)}},
          {{SpriteAt(10, 284)}}}},
        {"lines any way round and clipped",
         {{{LineOf(2, 2, 102, 2, Rgb(255, 0, 0)), LineOf(102, 6, 2, 6, Rgb(128, 0, 0)),
            LineOf(-50, 150, 600, 150, Rgb(0, 0, 255)), LineOf(10, -20, 30, 320, Rgb(0, 255, 0))}},
          {{LineOf(2, 2, 60, 2, Rgb(255, 0, 0)), LineOf(300, 299, 250, 250, Rgb(9, 9, 9))}}}},
        {"text growing, shrinking, clipped",
         {{{TextAt(240, 2, "0")}}, {{TextAt(240, 2, "12,345")}}, {{TextAt(240, 2, "9")}},
          {{TextAt(-10, 295, "Edge"), TextAt(470, -5, "Corner")}}}},
        {"a frame that draws less than the last one", {fullField, {{SpriteAt(100, 120)}}, {{}}, fullField}},
        {"frames not shown leave the screen further behind",
         {fullField, {{SpriteAt(30, 30)}, false}, {{SpriteAt(60, 60)}, false}, {{SpriteAt(61, 60)}}, {{}}}},
        {"a picture filled with colour, then cleared", {{{FillWith(Rgb(0, 40, 0)), SpriteAt(5, 5)}}, {{}}}},
    };
    const ImageList ring = Ring();
    for (const auto& c : cases) {
        BackBuffer buffer;
        buffer.SetSize(FieldW, FieldH);
        ModelScreen screen;
        int number = 0;
        for (const Frame& frame : c.frames) {
            ++number;
            buffer.Clear();
            EXPECT_EQ(pixel_checks::InkOf(buffer).count, 0) << c.what << ": not black at the start of frame " << number;
            Play(buffer, ring, frame.ops);
            if (!frame.shown) continue;
            screen.Show(buffer);
            EXPECT_TRUE(pixel_checks::SamePixels(screen.Picture(), buffer)) << c.what << ": frame " << number;
        }
    }
}

TEST(ChangedArea, ANewSizeOrALongGapSendsTheWholePicture) {
    const ImageList ring = Ring();
    BackBuffer buffer;
    buffer.SetSize(FieldW, FieldH);
    buffer.Clear();
    const std::uint64_t shown = buffer.Frame();
    buffer.Clear();
    buffer.Clear();
    ASSERT_EQ(BoundsOf(buffer.ChangedSince(shown)), (Rect{0, 0, FieldW, FieldH}));

    const std::uint64_t beforeResize = buffer.Frame();
    buffer.Draw(ring, 1, 10, 10);
    buffer.SetSize(200, 100);
    EXPECT_EQ(BoundsOf(buffer.ChangedSince(beforeResize)), (Rect{0, 0, 200, 100}));
}

TEST(ChangedArea, StaysCloseToWhatMoved) {
    // A frame that moves one sprite by a pixel changes a strip around it, not the field.
    const ImageList ring = Ring();
    BackBuffer buffer;
    buffer.SetSize(FieldW, FieldH);
    buffer.Clear();
    buffer.Draw(ring, 1, 100, 100);
    buffer.Draw(ring, 1, 400, 250);
    const std::uint64_t shown = buffer.Frame();
    buffer.Clear();
    buffer.Draw(ring, 1, 101, 100);
    buffer.Draw(ring, 1, 400, 251);
    const RectList changed = buffer.ChangedSince(shown);
    long long area = 0;
    for (const Rect& r : changed.Rects()) area += r.Area();
    EXPECT_LE(area, 2 * 17 * 17);
}

TEST(CopyDifferences, CopiesOnlyInsideTheRectangleAndReturnsWhatDiffered) {
    const struct {
        const char* what;
        std::vector<Rect> differing;  // pixels of src set apart from dst
        Rect area;
        Rect expected;
    } cases[] = {
        {"nothing differs", {}, {0, 0, 40, 30}, {}},
        {"one pixel", {{7, 9, 1, 1}}, {0, 0, 40, 30}, {7, 9, 1, 1}},
        {"two corners give their bounds", {{2, 3, 1, 1}, {30, 20, 2, 1}}, {0, 0, 40, 30}, {2, 3, 30, 18}},
        {"first and last column", {{10, 5, 1, 1}, {19, 6, 1, 1}}, {10, 5, 10, 10}, {10, 5, 10, 2}},
        {"differences outside are left", {{0, 0, 5, 5}, {20, 20, 3, 3}}, {10, 10, 20, 20}, {20, 20, 3, 3}},
    };
    for (const auto& c : cases) {
        Surface src(40, 30, Rgb(1, 2, 3));
        Surface dst(40, 30, Rgb(1, 2, 3));
        for (const Rect& d : c.differing) {
            for (int y = d.y; y < d.y + d.height; ++y) {
                for (int x = d.x; x < d.x + d.width; ++x) src.Set(x, y, Rgb(x, y, 200));
            }
        }
        const Surface before = dst;
        const Rect got = platform::CopyDifferences(src.Data(), src.Width(), dst.Data(), dst.Width(), c.area);
        EXPECT_EQ(got, c.expected) << c.what;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= c.area.x && x < c.area.x + c.area.width && y >= c.area.y &&
                                    y < c.area.y + c.area.height;
                ASSERT_EQ(dst.At(x, y), inside ? src.At(x, y) : before.At(x, y)) << c.what << " at " << x << ", " << y;
            }
        }
    }
}

TEST(RectList, JoinsNeighboursKeepsDistantRectanglesApart) {
    RectList list;
    list.Add({10, 10, 16, 16});
    list.Add({12, 11, 16, 16});  // overlaps: one box
    list.Add({300, 200, 16, 16});  // far away: a second
    list.Add({2, 2, 101, 1});
    list.Add({2, 3, 101, 1});  // gauge rows, one under the other: one box
    list.Add({});  // nothing
    ASSERT_EQ(list.Rects().size(), 3u);
    EXPECT_EQ(BoundsOf(list), (Rect{2, 2, 314, 214}));
    const RectList clipped = list.ClippedTo(100, 100);
    for (const Rect& r : clipped.Rects()) EXPECT_EQ(platform::ClipTo(r, 100, 100), r);
    EXPECT_EQ(BoundsOf(clipped), (Rect{2, 2, 98, 25}));
}

}  // namespace
