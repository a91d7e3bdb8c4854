// Writes the eight sound files into the directory named on the command line.
#include <cstdio>
#include <string>

#include "tools/sounds/sounds.h"

namespace {

struct SoundFile {
    const char* name;
    sounds::Samples (*make)();
    int channels;
    float peak;  // the effects stand well above the music, which plays under everything;
                 // the music and any one effect together stay within full scale
};

const SoundFile Files[] = {
    {"0000_000.X25", sounds::MakeMusic, 2, 0.3f},
    {"0000_001.X25", sounds::MakeGunLeft, 1, 0.7f},
    {"0000_002.X25", sounds::MakeEnemyFire, 1, 0.65f},
    {"0000_003.X25", sounds::MakeGunRight, 1, 0.7f},
    {"0000_004.X25", sounds::MakeEnemyBlast, 1, 0.7f},
    {"0000_005.X25", sounds::MakeAsteroidBlast, 1, 0.7f},
    {"0000_006.X25", sounds::MakeTurbo, 1, 0.55f},
    {"0000_007.X25", sounds::MakeClick, 1, 0.65f},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string directory = std::string(argv[1]) + "/";
    for (const SoundFile& file : Files) {
        sounds::Samples samples = file.make();
        sounds::Normalise(samples, file.peak);
        if (!sounds::WriteWav(directory + file.name, samples, file.channels)) {
            std::fprintf(stderr, "cannot write %s%s\n", directory.c_str(), file.name);
            return 1;
        }
    }
    return 0;
}
