// Detection: a cheap look at every type, then full reads of those whose
// structure showed, best first.
#include "conversion/source_detection.h"

#include <algorithm>
#include <array>

#include "conversion/file_name_evidence.h"
#include "conversion/source_read.h"
#include "conversion/source_types.h"
#include "conversion/structure_evidence.h"

namespace {

struct Look {
  const SourceTypeInfo* row;
  int structure;
  int fileName;
};

// The read a conversion makes; nothing when it fails.
std::optional<std::size_t> MachinesRead(const SourceTypeInfo& row,
                                        const std::filesystem::path& source,
                                        const ConversionContext& context) {
  const ReadOutcome outcome = ReadSourceAs(row, source, context);
  if (outcome.failure) return std::nullopt;
  return outcome.machines.size();
}

}  // namespace

std::vector<DetectedType> DetectSourceTypes(const std::filesystem::path& source,
                                            const ConversionContext& context) {
  const std::optional<SourceHead> head = ReadSourceHead(source);
  if (!head) return {};
  std::vector<Look> looks;
  for (const SourceTypeInfo& row : SourceTypes()) {
    looks.push_back({&row, StructureEvidence(row.settings, *head, context.ansi()),
                     FileNameEvidence(row.browseFilter, head->fileName)});
  }
  // Stronger evidence first; stable, so the index decides what is left.
  std::stable_sort(looks.begin(), looks.end(), [](const Look& a, const Look& b) {
    if (a.structure != b.structure) return a.structure > b.structure;
    return a.fileName > b.fileName;
  });

  std::vector<DetectedType> found;
  std::array<bool, kDisklessTypeCount> read{};
  const auto readLook = [&](const Look& look) {
    read[IndexOf(look.row->type)] = true;
    if (const std::optional<std::size_t> machines = MachinesRead(*look.row, source, context)) {
      found.push_back({look.row->type, *machines});
    }
  };
  // Only the leading types are read in full, those whose structure showed
  // best or at least their storage: on a large source each read costs about
  // what a conversion does, and a hint of an outline (a line of three words)
  // is no match where another type's machines showed.
  const int leading = std::min(looks.front().structure, kStorageStructure);
  for (const Look& look : looks) {
    if (look.structure > kNoStructure && look.structure >= leading) readLook(look);
  }
  // A source that shows no type's structure is tried with every type.
  if (found.empty()) {
    for (const Look& look : looks) {
      if (!read[IndexOf(look.row->type)]) readLook(look);
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const DetectedType& a, const DetectedType& b) {
    return (a.machines > 0) > (b.machines > 0);
  });
  return found;
}
