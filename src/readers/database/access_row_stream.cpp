// The record layout between the Access query process and the reader.
#include "readers/database/access_row_stream.h"

#include <cstdint>

namespace {

constexpr char kRowTag = 'R';
constexpr char kEndTag = 'E';
constexpr char kErrorTag = 'X';

void AppendText(std::string& stream, std::string_view text) {
  const auto size = static_cast<std::uint32_t>(text.size());
  for (int shift = 0; shift < 32; shift += 8) stream += static_cast<char>((size >> shift) & 0xff);
  stream += text;
}

bool TakeText(std::string_view& bytes, std::string& text) {
  if (bytes.size() < 4) return false;
  std::uint32_t size = 0;
  for (int i = 0; i < 4; ++i)
    size |= std::uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  bytes.remove_prefix(4);
  if (bytes.size() < size) return false;
  text.assign(bytes.substr(0, size));
  bytes.remove_prefix(size);
  return true;
}

}  // namespace

void AppendAccessRow(std::string& stream, const AccessRow& row) {
  stream += kRowTag;
  for (const std::string& field : row) AppendText(stream, field);
}

void AppendAccessEnd(std::string& stream) { stream += kEndTag; }

void AppendAccessError(std::string& stream, std::string_view message) {
  stream += kErrorTag;
  AppendText(stream, message);
}

AccessRowStream ParseAccessRowStream(std::string_view bytes, std::size_t fieldsPerRow) {
  AccessRowStream result;
  while (!bytes.empty()) {
    const char tag = bytes.front();
    bytes.remove_prefix(1);
    if (tag == kRowTag) {
      AccessRow row(fieldsPerRow);
      for (std::string& field : row) {
        if (!TakeText(bytes, field)) return result;
      }
      result.rows.push_back(std::move(row));
    } else if (tag == kEndTag) {
      result.complete = bytes.empty();
      return result;
    } else if (tag == kErrorTag) {
      std::string message;
      if (TakeText(bytes, message) && bytes.empty()) result.error = std::move(message);
      return result;
    } else {
      return result;
    }
  }
  return result;
}
