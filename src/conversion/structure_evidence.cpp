// The dispatch of the evidence to the reader family's own look.
#include "conversion/structure_evidence.h"

#include <variant>

int StructureEvidence(const ReaderSettings& settings, const SourceHead& head,
                      const platform::CodePage& ansi) {
  return std::visit([&](const auto& layout) { return StructureEvidence(layout, head, ansi); },
                    settings);
}
