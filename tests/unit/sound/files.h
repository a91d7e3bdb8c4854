// Scratch directories and small WAV files for the tests that touch the disk.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/mixer/wavemix.h"

namespace fs = std::filesystem;

// A fresh directory, removed with everything in it when the object goes.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "vr-sound-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

inline void WriteBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// 16-bit mono PCM at the mixer's rate holding one constant level: once mixed, every output
// sample it reaches shows that level, so sums of channels can be read off the output directly.
inline std::vector<unsigned char> LevelWav(std::int16_t level, double seconds) {
    constexpr std::uint32_t rate = platform::MixDefaultRate;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<unsigned char> b(44 + std::size_t{frames} * 2);
    std::size_t at = 0;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at++] = static_cast<unsigned char>(value >> (8 * i));
    };
    const auto tag = [&](const char* text) {
        for (int i = 0; i < 4; ++i) b[at++] = static_cast<unsigned char>(text[i]);
    };
    tag("RIFF");
    put(36 + frames * 2, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) put(static_cast<std::uint16_t>(level), 2);
    return b;
}

inline std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}
