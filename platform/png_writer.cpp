#include "platform/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A stored deflate block carries at most this many bytes.
constexpr std::size_t StoredBlockMax = 65535;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

// Every row behind filter type 0 (none), then the whole wrapped in a zlib stream of stored blocks.
Bytes ZlibStoredStream(const Surface& image) {
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(image.Height()) * (1 + 3 * static_cast<std::size_t>(image.Width())));
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0);
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            raw.push_back(static_cast<std::uint8_t>(RedOf(row[x])));
            raw.push_back(static_cast<std::uint8_t>(GreenOf(row[x])));
            raw.push_back(static_cast<std::uint8_t>(BlueOf(row[x])));
        }
    }

    Bytes stream = {0x78, 0x01};  // deflate, 32 KiB window, no preset dictionary
    std::size_t done = 0;
    do {
        const std::size_t length = std::min(StoredBlockMax, raw.size() - done);
        const bool last = done + length == raw.size();
        stream.push_back(last ? 1 : 0);
        stream.push_back(static_cast<std::uint8_t>(length));
        stream.push_back(static_cast<std::uint8_t>(length >> 8));
        stream.push_back(static_cast<std::uint8_t>(~length));
        stream.push_back(static_cast<std::uint8_t>(~length >> 8));
        stream.insert(stream.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                      raw.begin() + static_cast<std::ptrdiff_t>(done + length));
        done += length;
    } while (done < raw.size());
    PutBigEndian(stream, Adler32(raw));
    return stream;
}

}  // namespace

bool WritePng(const std::string& path, const Surface& image) {
    if (image.Width() <= 0 || image.Height() <= 0) return false;

    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.Width()));
    PutBigEndian(header, static_cast<std::uint32_t>(image.Height()));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibStoredStream(image));
    PutChunk(file, "IEND", {});

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace platform
