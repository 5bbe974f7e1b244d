// Laying out and writing the machine list file.
#include "core/machine_list_file.h"

#include "platform/replacement_file.h"

namespace {

using namespace std::string_view_literals;

// The layout, handed piece by piece to `put`, which takes UTF-16 text.
template <typename Put>
void LayOutEntry(const MachineEntry& entry, Put&& put) {
  put(u"["sv);
  put(entry.mac);
  put(u"]\t\nIPAddr="sv);
  put(entry.ip);
  put(u"\t\nName="sv);
  put(entry.name);
  put(u"\t\n"sv);
}

// Whether the code page writes each of U+0000 to U+007F as the one byte of the
// same value; only then may an ASCII entry skip the conversion.
bool WritesAsciiAsItself(const platform::CodePage& codePage) {
  std::u16string ascii(0x80, u'\0');
  for (char16_t c = 0; c < 0x80; ++c) ascii[c] = c;
  return codePage.Encode(ascii) == std::string(ascii.begin(), ascii.end());
}

// Lays out an entry whose values are all ASCII straight into bytes; false,
// the bytes as they were, for any other.
bool AppendAsciiEntry(std::string& bytes, const MachineEntry& entry) {
  std::size_t size = 0;
  LayOutEntry(entry, [&](std::u16string_view text) { size += text.size(); });
  const std::size_t start = bytes.size();
  bytes.resize(start + size);
  char* out = bytes.data() + start;
  char16_t any = 0;
  LayOutEntry(entry, [&](std::u16string_view text) {
    for (const char16_t c : text) {
      any |= c;
      *out++ = static_cast<char>(c);
    }
  });
  if (any < 0x80) return true;
  bytes.resize(start);
  return false;
}

}  // namespace

void AppendMachineEntry(std::u16string& text, const MachineEntry& entry) {
  LayOutEntry(entry, [&](std::u16string_view piece) { text += piece; });
}

WriteResult WriteMachineListFile(const std::filesystem::path& outputPath,
                                 const MachineList& machines, const platform::CodePage& codePage) {
  std::optional<platform::ReplacementFile> file = platform::ReplacementFile::Create(outputPath);
  if (!file) return WriteResult::CreateFailed;
  // Each entry converts on its own (it ends in ASCII), so entries are laid out
  // and encoded one at a time and written a piece at a time: only one piece is
  // ever held beside the machines. Entries of ASCII values, most of them, need
  // no conversion.
  constexpr std::size_t kPieceSize = 1 << 16;
  const bool asciiAsItself = WritesAsciiAsItself(codePage);
  std::string piece;
  std::u16string entryText;  // an entry to convert, its room reused
  for (const MachineEntry& entry : machines) {
    if (!asciiAsItself || !AppendAsciiEntry(piece, entry)) {
      entryText.clear();
      AppendMachineEntry(entryText, entry);
      piece += codePage.Encode(entryText);
    }
    if (piece.size() < kPieceSize) continue;
    if (!file->Write(piece)) return WriteResult::WriteFailed;
    piece.clear();
  }
  if (!piece.empty() && !file->Write(piece)) return WriteResult::WriteFailed;
  return file->Commit() ? WriteResult::Written : WriteResult::WriteFailed;
}
