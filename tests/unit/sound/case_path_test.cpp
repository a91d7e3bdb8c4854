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

TEST(FindPathIgnoringCaseUnder, TheProgramsOwnFilesWinOverAFolderSpeltAlike) {
    ScratchDir dir;
    const fs::path root = dir.Path();
    WriteBytes(root / "Game" / "0000_000.X25", {1});
    WriteBytes(root / "Game" / "0000_002.x25", {1});
    WriteBytes(root / "Game" / "0000_002.X25", {2});
    WriteBytes(root / "Game" / "Sub" / "Click.X25", {1});
    // Beside the program, spelt as the lower-cased paths are: none of it is the program's.
    WriteBytes(root / "game" / "0000_000.x25", {3});
    WriteBytes(root / "game" / "0000_001.x25", {3});
    WriteBytes(root / "game" / "sub" / "click.x25", {3});
    WriteBytes(root / "Other" / "Tune.X25", {1});

    struct Case {
        std::string home;
        std::string asked;
        std::string found;  // empty: not found
    };
    const std::string r = root.string();
    const Case cases[] = {
        {r + "/Game/", r + "/game/0000_000.x25", r + "/Game/0000_000.X25"},
        {r + "/Game/", r + "/game/0000_001.x25", ""},  // missing at home: never the other folder's
        {r + "/Game/", r + "/game/0000_002.x25", r + "/Game/0000_002.x25"},  // the exact spelling wins
        {r + "/Game/", r + "/game/sub/click.x25", r + "/Game/Sub/Click.X25"},
        {r + "/Game/", r + "/other/tune.x25", r + "/Other/Tune.X25"},  // outside home as before
        {r + "/game/", r + "/game/0000_000.x25", r + "/game/0000_000.x25"},
        {r + "/game/", r + "/game/0000_002.x25", ""},
        {"", r + "/game/0000_002.x25", ""},  // no home known: the exact folder, as before
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.home + " | " + c.asked);
        const auto found = platform::FindPathIgnoringCaseUnder(c.asked, c.home);
        if (c.found.empty()) {
            EXPECT_FALSE(found.has_value()) << *found;
        } else {
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(*found, c.found);
        }
    }
}

}  // namespace
