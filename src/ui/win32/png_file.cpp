// PNG with stored (uncompressed) deflate blocks: CRC-32 per chunk, Adler-32 for zlib.
#include "ui/win32/png_file.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

std::uint32_t Crc32(std::string_view bytes) {
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
  for (const char byte : bytes) {
    crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char byte : bytes) {
    a = (a + static_cast<std::uint8_t>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::string body(type);
  body += data;
  out += body;
  AppendBigEndian(out, Crc32(body));
}

// A zlib stream of stored blocks, each at most 65535 bytes.
std::string StoredZlib(std::string_view raw) {
  std::string out = "\x78\x01";
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
    const bool last = offset + length == raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>((~length >> 8) & 0xFF);
    out.append(raw.substr(offset, length));
    offset += length;
  } while (offset < raw.size());
  AppendBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::string PngBytes(int width, int height, const std::vector<std::uint8_t>& rgba) {
  if (width <= 0 || height <= 0) return {};
  const auto rowBytes = static_cast<std::size_t>(width) * 4;
  if (rgba.size() / rowBytes != static_cast<std::size_t>(height) || rgba.size() % rowBytes != 0) {
    return {};
  }
  std::string raw;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter: none
    const auto* row = rgba.data() + rowBytes * static_cast<std::size_t>(y);
    raw.append(reinterpret_cast<const char*>(row), rowBytes);
  }
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter set, no interlace

  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(raw));
  AppendChunk(png, "IEND", "");
  return png;
}

bool WritePngFile(const std::filesystem::path& path, int width, int height,
                  const std::vector<std::uint8_t>& rgba) {
  const std::string bytes = PngBytes(width, height, rgba);
  if (bytes.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}
