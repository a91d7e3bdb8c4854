#include "platform/png_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t ReadBigEndian(const Bytes& data, std::size_t at) {
    return (std::uint32_t{data.at(at)} << 24) | (std::uint32_t{data.at(at + 1)} << 16) |
           (std::uint32_t{data.at(at + 2)} << 8) | std::uint32_t{data.at(at + 3)};
}

// Bitwise CRC-32, written independently of the writer's table-driven one.
std::uint32_t ReferenceCrc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

struct Chunk {
    std::string type;
    Bytes data;
};

// Splits a PNG file into its chunks, checking the signature and every CRC on the way.
std::vector<Chunk> ReadChunks(const Bytes& file) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));
    std::vector<Chunk> chunks;
    std::size_t at = signature.size();
    while (at + 12 <= file.size()) {
        const std::uint32_t length = ReadBigEndian(file, at);
        const std::size_t typeAt = at + 4;
        EXPECT_LE(typeAt + 4 + length + 4, file.size());
        if (typeAt + 4 + length + 4 > file.size()) break;
        Chunk chunk{std::string(file.begin() + static_cast<std::ptrdiff_t>(typeAt),
                                file.begin() + static_cast<std::ptrdiff_t>(typeAt + 4)),
                    Bytes(file.begin() + static_cast<std::ptrdiff_t>(typeAt + 4),
                          file.begin() + static_cast<std::ptrdiff_t>(typeAt + 4 + length))};
        EXPECT_EQ(ReadBigEndian(file, typeAt + 4 + length), ReferenceCrc(file.data() + typeAt, 4 + length))
            << "chunk " << chunk.type;
        chunks.push_back(std::move(chunk));
        at = typeAt + 4 + length + 4;
    }
    EXPECT_EQ(at, file.size()) << "bytes after the last chunk";
    return chunks;
}

// Unwraps a zlib stream made only of stored deflate blocks and checks its Adler-32.
Bytes InflateStored(const Bytes& stream) {
    EXPECT_GE(stream.size(), 6u);
    EXPECT_EQ(stream[0] & 0x0F, 8) << "compression method deflate";
    EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0) << "zlib header check bits";
    EXPECT_EQ(stream[1] & 0x20, 0) << "no preset dictionary";
    Bytes out;
    std::size_t at = 2;
    bool last = false;
    while (!last && at + 5 <= stream.size()) {
        last = (stream[at] & 1) != 0;
        EXPECT_EQ((stream[at] >> 1) & 3, 0) << "stored block expected";
        const unsigned length = stream[at + 1] | (stream[at + 2] << 8);
        const unsigned inverse = stream[at + 3] | (stream[at + 4] << 8);
        EXPECT_EQ(length ^ 0xFFFFu, inverse);
        at += 5;
        EXPECT_LE(at + length, stream.size());
        if (at + length > stream.size()) return out;
        out.insert(out.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                   stream.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    EXPECT_TRUE(last) << "final block missing";
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(at + 4, stream.size());
    EXPECT_EQ(ReadBigEndian(stream, at), (b << 16) | a) << "Adler-32";
    return out;
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::path(testing::TempDir()) / name;
}

TEST(PngWriter, FileDecodesBackToThePixels) {
    // 1 x 1, a single row, and one picture big enough to need several stored blocks.
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {37, 1}, {160, 150}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        platform::Surface image(size.width, size.height);
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                image.Set(x, y, platform::Rgb(x * 7 + y, 255 - y, (x * y) ^ 0x5A));
            }
        }
        const auto path = TempPath("png_writer_test.png");
        ASSERT_TRUE(platform::WritePng(path.string(), image));

        const std::vector<Chunk> chunks = ReadChunks(ReadFile(path));
        ASSERT_GE(chunks.size(), 3u);
        EXPECT_EQ(chunks.front().type, "IHDR");
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_TRUE(chunks.back().data.empty());

        const Bytes& header = chunks.front().data;
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(ReadBigEndian(header, 0), static_cast<std::uint32_t>(size.width));
        EXPECT_EQ(ReadBigEndian(header, 4), static_cast<std::uint32_t>(size.height));
        EXPECT_EQ(header[8], 8) << "bit depth";
        EXPECT_EQ(header[9], 2) << "colour type RGB";
        EXPECT_EQ(header[10], 0) << "compression";
        EXPECT_EQ(header[11], 0) << "filter method";
        EXPECT_EQ(header[12], 0) << "interlace";

        Bytes stream;
        for (const Chunk& chunk : chunks) {
            if (chunk.type == "IDAT") stream.insert(stream.end(), chunk.data.begin(), chunk.data.end());
        }
        const Bytes raw = InflateStored(stream);
        const std::size_t stride = 1 + 3 * static_cast<std::size_t>(size.width);
        ASSERT_EQ(raw.size(), stride * static_cast<std::size_t>(size.height));
        int wrong = 0;
        for (int y = 0; y < size.height; ++y) {
            const std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * stride;
            EXPECT_EQ(row[0], 0) << "filter type of row " << y;
            for (int x = 0; x < size.width; ++x) {
                const platform::Pixel decoded = platform::Rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]);
                if (decoded != image.At(x, y)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels that did not survive the round trip";
        std::filesystem::remove(path);
    }
}

TEST(PngWriter, ReportsWhatItCannotWrite) {
    EXPECT_FALSE(platform::WritePng(TempPath("no such folder/picture.png").string(), platform::Surface(4, 4)));
    const auto empty = TempPath("png_writer_empty.png");
    EXPECT_FALSE(platform::WritePng(empty.string(), platform::Surface(0, 5)));
    EXPECT_FALSE(std::filesystem::exists(empty));
}

}  // namespace
