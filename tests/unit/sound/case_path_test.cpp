// Finding files from a path whose letter case was lost.
#include <gtest/gtest.h>

#include "files.h"
#include "platform/mixer/case_path.h"

namespace {

TEST(FindPathIgnoringCase, MatchesEachComponentWhateverItsCase) {
    ScratchDir dir;
    const fs::path root = dir.Path();
    WriteBytes(root / "Program Files" / "VoidRaid" / "0000_000.X25", {1});
    WriteBytes(root / "Program Files" / "VoidRaid" / "readme", {1});
    WriteBytes(root / "both" / "Tune.wav", {1});
    WriteBytes(root / "both" / "tune.wav", {2});
    WriteBytes(root / "both" / "TUNE.WAV", {3});
    WriteBytes(root / "pair" / "Tune.wav", {1});
    WriteBytes(root / "pair" / "TUNE.WAV", {2});

    struct Case {
        std::string asked;
        std::string found;  // empty: not found
    };
    const std::string r = root.string();
    const Case cases[] = {
        {r + "/program files/voidraid/0000_000.x25", r + "/Program Files/VoidRaid/0000_000.X25"},
        {r + "/PROGRAM FILES/VOIDRAID/README", r + "/Program Files/VoidRaid/readme"},
        {r + "/program files/voidraid/0000_001.x25", ""},
        {r + "/program files/voidraid/0000_000.x2", ""},
        {r + "/programfiles/voidraid/0000_000.x25", ""},
        {r + "/both/tune.wav", r + "/both/tune.wav"},  // the exact spelling wins
        {r + "/pair/tune.wav", r + "/pair/TUNE.WAV"},  // otherwise the first in byte order
        {r + "/program files/voidraid/", r + "/Program Files/VoidRaid/"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        const auto found = platform::FindPathIgnoringCase(c.asked);
        if (c.found.empty()) {
            EXPECT_FALSE(found.has_value());
        } else {
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(*found, c.found);
        }
    }
}

TEST(FindPathIgnoringCase, RelativePathsStartAtTheCurrentDirectory) {
    ScratchDir dir;
    WriteBytes(dir.Path() / "Sounds" / "Click.X25", {1});
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    const auto found = platform::FindPathIgnoringCase("sounds/click.x25");
    fs::current_path(before);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, "Sounds/Click.X25");
}

}  // namespace
