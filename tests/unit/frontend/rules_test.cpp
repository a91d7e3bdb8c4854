#include <gtest/gtest.h>

#include <string>

#include "frontend/app_path.h"
#include "frontend/colour_rule.h"

namespace {

TEST(DisplayAccepted, RefusesEightTo257Colours) {
    struct Case {
        int bitsPerPixel;
        int planes;
        bool accepted;
    };
    const Case cases[] = {
        {1, 1, true},    {2, 1, true},                   // 2 and 4 colours
        {0, 7, true},    {0, 8, false},  {1, 4, false},  // the lower bound, 8, is refused
        {4, 1, false},   {8, 1, false},  {1, 128, false},  // 16 and 256 colours
        {0, 257, false}, {0, 258, true}, {1, 129, true},   // the upper bound is 257, not 256
        {16, 1, true},   {24, 1, true},  {32, 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayAccepted(c.bitsPerPixel, c.planes), c.accepted) << c.bitsPerPixel << " bits, " << c.planes
                                                                        << " planes";
    }
}

TEST(ProgramDirectory, IsTheExecutablesDirectoryWhateverItsName) {
    const std::string deep = "/" + std::string(300, 'd') + "/voidraid";
    struct Case {
        std::string programFile;
        std::string directory;
    };
    const Case cases[] = {
        {"/usr/games/voidraid", "/usr/games/"},
        {"/usr/games/VOIDRAID.EXE", "/usr/games/"},
        {"/home/ann/void raider/vr", "/home/ann/void raider/"},
        {"/voidraid", "/"},
        {"/opt/game/voidraid (deleted)", "/opt/game/"},
        {deep, deep.substr(0, deep.size() - 8)},
        {"relative/voidraid", "relative/"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgramDirectory(c.programFile, "/cwd"), c.directory) << c.programFile;
}

TEST(ProgramDirectory, WithoutADirectoryIsTheCurrentOne) {
    EXPECT_EQ(ProgramDirectory("", "/home/ann"), "/home/ann/");
    EXPECT_EQ(ProgramDirectory("voidraid", "/home/ann/"), "/home/ann/");
    EXPECT_EQ(ProgramDirectory("", "/"), "/");
}

}  // namespace
