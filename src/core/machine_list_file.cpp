// Laying out and writing the machine list file.
#include "core/machine_list_file.h"

#include "platform/replacement_file.h"

void AppendMachineEntry(std::u16string& text, const MachineEntry& entry) {
  text += u'[';
  text += entry.mac;
  text += u"]\t\nIPAddr=";
  text += entry.ip;
  text += u"\t\nName=";
  text += entry.name;
  text += u"\t\n";
}

WriteResult WriteMachineListFile(const std::filesystem::path& outputPath,
                                 const MachineList& machines, const platform::CodePage& codePage) {
  std::optional<platform::ReplacementFile> file = platform::ReplacementFile::Create(outputPath);
  if (!file) return WriteResult::CreateFailed;
  // Each code unit converts on its own, so entries are laid out and encoded a
  // piece at a time: only one piece is ever held beside the machines.
  constexpr std::size_t kPieceUnits = 1 << 16;
  std::u16string piece;
  for (const MachineEntry& entry : machines) {
    AppendMachineEntry(piece, entry);
    if (piece.size() < kPieceUnits) continue;
    if (!file->Write(codePage.Encode(piece))) return WriteResult::WriteFailed;
    piece.clear();
  }
  if (!piece.empty() && !file->Write(codePage.Encode(piece))) return WriteResult::WriteFailed;
  return file->Commit() ? WriteResult::Written : WriteResult::WriteFailed;
}
