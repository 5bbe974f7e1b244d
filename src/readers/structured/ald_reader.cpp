// The ALD reader: one entry per record, an empty slot included.
#include "readers/structured/ald_reader.h"

#include <cstdint>
#include <string_view>

#include "core/field_format.h"
#include "core/source_bytes.h"

namespace {

constexpr std::size_t kIpSize = 4;

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

ReadOutcome ReadAldSource(const SourceRequest& request, const AldLayout& layout) {
  const WholeSourceFile file = ReadWholeSourceFile(request.source, request.messages);
  if (file.failure) return ReadOutcome::Failed(*file.failure);
  const platform::CodePage& ansi = request.context.ansi();
  const std::string_view bytes = file.bytes;
  ReadOutcome outcome;
  for (std::size_t offset = 0; offset < bytes.size(); offset += layout.recordSize) {
    const std::string_view record = bytes.substr(offset, layout.recordSize);
    const std::u16string ip =
        FormatIPv4(LittleEndianAddress(FieldBytes(record, layout.ipOffset, kIpSize)));
    std::u16string mac = ansi.Decode(FieldBytes(record, layout.macOffset, layout.macSize));
    std::u16string name = ansi.Decode(FieldBytes(record, layout.nameOffset, layout.nameSize));
    ApplyMachineRules(layout.rules, mac, name);
    outcome.machines.Add(mac, ip, name);
  }
  return outcome;
}
