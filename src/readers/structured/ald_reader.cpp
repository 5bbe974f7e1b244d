// The ALD reader: one entry per record, an empty slot included, the file read
// a few hundred records at a time.
#include "readers/structured/ald_reader.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/ansi_decoder.h"
#include "core/ascii.h"
#include "core/field_format.h"
#include "core/source_bytes.h"
#include "platform/source_file.h"

namespace {

constexpr std::size_t kIpSize = 4;
constexpr std::size_t kRecordsPerRead = 256;

std::string_view FieldBytes(std::string_view record, std::size_t offset, std::size_t size) {
  if (offset >= record.size()) return {};
  return record.substr(offset, size);
}

std::string_view UpToNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// Printable ASCII decodes to itself in every code page a conversion takes.
bool IsPrintableAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// The dotted address, the first byte the first octet, as FormatIPv4 gives it.
void SetIPv4(std::string_view bytes, std::u16string& text) {
  char16_t digits[4 * 4];
  std::size_t length = 0;
  for (std::size_t i = 0; i < kIpSize; ++i) {
    if (i != 0) digits[length++] = u'.';
    const unsigned octet = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    if (octet >= 100) digits[length++] = static_cast<char16_t>(u'0' + octet / 100);
    if (octet >= 10) digits[length++] = static_cast<char16_t>(u'0' + octet / 10 % 10);
    digits[length++] = static_cast<char16_t>(u'0' + octet % 10);
  }
  text.assign(digits, length);
}

// The MAC and name of a record whose fields are printable ASCII, straight from
// their bytes: what decoding them and ApplyMachineRules would give.
void SetAsciiValues(const MachineRules& rules, std::string_view mac, std::string_view name,
                    std::u16string& macText, std::u16string& nameText) {
  const auto unit = [&](char c) {
    return static_cast<char16_t>(rules.upperCase ? AsciiUpper(c) : c);
  };
  const bool colons = rules.mac == MacForm::ColonAfterEachPair;
  macText.resize(colons && !mac.empty() ? mac.size() + (mac.size() - 1) / 2 : mac.size());
  char16_t* out = macText.data();
  for (std::size_t i = 0; i < mac.size(); ++i) {
    if (colons && i != 0 && i % 2 == 0) *out++ = u':';
    *out++ = rules.mac == MacForm::DashesAsColons && mac[i] == '-' ? u':' : unit(mac[i]);
  }
  nameText.resize(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) nameText[i] = unit(name[i]);
}

class AldRecords {
 public:
  AldRecords(const AldLayout& layout, const platform::CodePage& ansi)
      : layout_(layout), decoder_(ansi) {}

  // The record's machine. A record is whole: a last one cut short is padded
  // with zeros, which is how the fields past the end of the file read.
  void Add(std::string_view record, MachineList& machines) {
    SetIPv4(FieldBytes(record, layout_.ipOffset, kIpSize), ip_);
    const std::string_view mac = UpToNul(FieldBytes(record, layout_.macOffset, layout_.macSize));
    const std::string_view name =
        UpToNul(FieldBytes(record, layout_.nameOffset, layout_.nameSize));
    if (IsPrintableAscii(mac) && IsPrintableAscii(name)) {
      SetAsciiValues(layout_.rules, mac, name, mac_, name_);
    } else {
      decoder_.Decode(mac, mac_);
      decoder_.Decode(name, name_);
      ApplyMachineRules(layout_.rules, mac_, name_);
    }
    machines.Add(mac_, ip_, name_);
  }

 private:
  const AldLayout& layout_;
  const AnsiDecoder decoder_;
  // Kept from record to record, so their room is reused.
  std::u16string mac_;
  std::u16string ip_;
  std::u16string name_;
};

// Fills the buffer from the file; false when a read fails or the file ends first.
bool ReadFully(platform::SourceFile& file, char* buffer, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const std::optional<std::size_t> count = file.Read(buffer + done, size - done);
    if (!count || *count == 0) return false;
    done += *count;
  }
  return true;
}

}  // namespace

ReadOutcome ReadAldSource(const SourceRequest& request, const AldLayout& layout) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadOutcome::Failed(request.messages.openFailed);
  // The size is a 32-bit count in ALD's own system.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size == 0 || *size > kMaxWholeFileSize) {
    return ReadOutcome::Failed(request.messages.sizeFailed);
  }
  AldRecords records(layout, request.context.ansi());
  std::vector<char> buffer(layout.recordSize * kRecordsPerRead);
  ReadOutcome outcome;
  // Only the bytes of the size taken at the start are read.
  for (std::uint64_t left = *size; left > 0;) {
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
    if (!ReadFully(*file, buffer.data(), wanted)) {
      return ReadOutcome::Failed(request.messages.readFailed);
    }
    left -= wanted;
    const std::size_t recordCount = (wanted + layout.recordSize - 1) / layout.recordSize;
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(wanted),
              buffer.begin() + static_cast<std::ptrdiff_t>(recordCount * layout.recordSize), '\0');
    for (std::size_t i = 0; i < recordCount; ++i) {
      records.Add({buffer.data() + i * layout.recordSize, layout.recordSize}, outcome.machines);
    }
  }
  return outcome;
}
