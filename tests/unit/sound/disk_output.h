// SDL's "disk" audio driver writes the mixed output to a file in real time, 16-bit stereo at
// the mixer's rate: the tests read back what was played.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "files.h"

constexpr int OutputRate = platform::MixDefaultRate;
constexpr std::int64_t Seconds(double s) { return static_cast<std::int64_t>(s * OutputRate); }

struct Frame {
    std::int16_t left, right;
};

inline bool Near(const Frame& f, int level) { return std::abs(f.left - level) <= 3 && std::abs(f.right - level) <= 3; }

inline std::int64_t CountNear(const std::vector<Frame>& frames, int level) {
    return std::count_if(frames.begin(), frames.end(), [level](const Frame& f) { return Near(f, level); });
}

class DiskOutput {
public:
    // Chooses the driver for the next audio start; SDL reads these when audio starts.
    explicit DiskOutput(fs::path file) : file_(std::move(file)) {
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    }

    std::int64_t Frames() const {
        std::error_code error;
        const auto size = fs::file_size(file_, error);
        return error ? 0 : static_cast<std::int64_t>(size / sizeof(Frame));
    }
    // Waits for the output to reach frames; generous, since a loaded machine runs late.
    void WaitFor(std::int64_t frames) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Frames() < frames && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GE(Frames(), frames) << "the audio thread wrote too little";
    }
    std::vector<Frame> Read(std::int64_t from, std::int64_t to) const {
        std::vector<Frame> frames(static_cast<std::size_t>(to - from));
        std::ifstream in(file_, std::ios::binary);
        in.seekg(from * static_cast<std::int64_t>(sizeof(Frame)));
        in.read(reinterpret_cast<char*>(frames.data()), static_cast<std::streamsize>(frames.size() * sizeof(Frame)));
        return frames;
    }

private:
    fs::path file_;
};

// Where the build puts the program and its sound files: bin/ beside this test's tests/.
inline fs::path ProgramDir() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin"; }
