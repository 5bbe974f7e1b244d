// The ALD reader: one entry per record, an empty slot included.
#include "readers/structured/ald_reader.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/code_page.h"
#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "readers/structured/ald_record.h"

namespace {

constexpr WholeFileMessages kAldFileMessages{Message::OpenAldFailed, Message::AldSizeFailed,
                                             Message::ReadAldFailed};

// The field's bytes that lie within the file: a last record may be cut short,
// and what it lacks reads as zeros.
std::string_view FieldBytes(std::string_view record, std::size_t offset, std::size_t size) {
  if (offset >= record.size()) return {};
  return record.substr(offset, size);
}

std::uint32_t LittleEndianAddress(std::string_view bytes) {
  std::uint32_t address = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    address |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return address;
}

}  // namespace

bool ReadAldSource(DisklessType, const std::u16string& sourcePath, std::u16string& output,
                   ConversionHost& host) {
  const std::optional<std::string> file = ReadWholeSourceFile(sourcePath, kAldFileMessages, host);
  if (!file) return false;
  const std::string_view bytes = *file;
  for (std::size_t offset = 0; offset < bytes.size(); offset += ald::kRecordSize) {
    const std::string_view record = bytes.substr(offset, ald::kRecordSize);
    const std::u16string ip =
        FormatIPv4(LittleEndianAddress(FieldBytes(record, ald::kIpOffset, ald::kIpSize)));
    std::u16string mac =
        FormatMacWithColons(AnsiToWide(FieldBytes(record, ald::kMacOffset, ald::kMacSize)));
    std::u16string name = AnsiToWide(FieldBytes(record, ald::kNameOffset, ald::kNameSize));
    UpperCaseAToZ(mac);
    UpperCaseAToZ(name);
    AppendMachineEntry(output, mac, ip, name);
  }
  return true;
}
