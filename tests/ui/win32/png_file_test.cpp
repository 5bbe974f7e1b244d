// The screenshot's PNG writer: a file any decoder reads, checked by taking it apart.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/win32/png_file.h"

namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return ~crc;
}

struct Chunk {
  std::string type;
  std::string data;
};

// The chunks after the signature; fails the test on a wrong length or CRC.
std::vector<Chunk> Chunks(const std::string& png) {
  std::vector<Chunk> chunks;
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t length = BigEndian(png, at);
    if (at + 12 + length > png.size()) break;
    Chunk chunk{png.substr(at + 4, 4), png.substr(at + 8, length)};
    EXPECT_EQ(BigEndian(png, at + 8 + length), Crc32(chunk.type + chunk.data)) << chunk.type;
    chunks.push_back(chunk);
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

// The data of a zlib stream of stored blocks.
std::string Stored(const std::string& zlib) {
  std::string data;
  std::size_t at = 2;
  for (bool last = false; !last && at + 5 <= zlib.size();) {
    last = zlib[at] & 1;
    EXPECT_EQ(zlib[at] & 6, 0) << "not a stored block";
    const std::size_t length = static_cast<std::uint8_t>(zlib[at + 1]) |
                               static_cast<std::uint8_t>(zlib[at + 2]) << 8;
    const std::size_t check = static_cast<std::uint8_t>(zlib[at + 3]) |
                              static_cast<std::uint8_t>(zlib[at + 4]) << 8;
    EXPECT_EQ(length ^ 0xFFFF, check);
    data += zlib.substr(at + 5, length);
    at += 5 + length;
  }
  std::uint32_t a = 1, b = 0;
  for (const char c : data) {
    a = (a + static_cast<std::uint8_t>(c)) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(at + 4, zlib.size());
  if (at + 4 <= zlib.size()) {
    EXPECT_EQ(BigEndian(zlib, at), b << 16 | a);
  }
  return data;
}

TEST(PngBytes, HoldsTheRowsEachAfterAFilterByte) {
  // 3 x 2 pixels, and an image whose rows need more than one stored block.
  for (const auto& [width, height] : {std::pair{3, 2}, std::pair{200, 120}}) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width * height * 4));
    for (std::size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 7);
    const std::string png = PngBytes(width, height, rgba);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(BigEndian(chunks[0].data, 0), static_cast<std::uint32_t>(width));
    EXPECT_EQ(BigEndian(chunks[0].data, 4), static_cast<std::uint32_t>(height));
    EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x06\x00\x00\x00", 5));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    std::string expected;
    for (int y = 0; y < height; ++y) {
      expected += '\0';
      expected.append(reinterpret_cast<const char*>(rgba.data()) + y * width * 4,
                      static_cast<std::size_t>(width * 4));
    }
    EXPECT_EQ(Stored(chunks[1].data), expected);
  }
}

TEST(PngBytes, RefusesPixelsThatDoNotFillTheImage) {
  const std::vector<std::uint8_t> sixPixels(24);
  const std::pair<int, int> sizes[] = {{3, 3}, {2, 2}, {0, 0}, {-3, -2}, {5, 1}};
  for (const auto& [width, height] : sizes) {
    EXPECT_EQ(PngBytes(width, height, sixPixels), "") << width << " x " << height;
  }
}

}  // namespace
