// libFuzzer target: the first byte picks one of the target's source types, the
// rest is the source file. The target's types are the rows of the type table
// whose reader family is ZEMBRIX_FUZZ_FAMILY; "convert" takes every type and
// runs whole conversions into a scratch folder.
//
// With ZEMBRIX_FUZZ_LIST_TYPES set in the environment it prints its types'
// slugs, one per line in type-byte order, and ends (fuzz/run seeds from them).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"

namespace {

constexpr std::string_view kFamily = ZEMBRIX_FUZZ_FAMILY;
constexpr bool kWholeRun = kFamily == "convert";

class SilentHost final : public ConversionHost {
 public:
  void ShowMessage(Message, std::string_view) override {}
  void EndDialogOk() override {}
};

struct ScratchFolder {
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zembrix-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

std::vector<const SourceTypeInfo*> TargetTypes() {
  std::vector<const SourceTypeInfo*> types;
  for (const SourceTypeInfo& row : SourceTypes()) {
    const std::string_view family =
        std::visit([](const auto& layout) { return layout.kFamily; }, row.settings);
    if (kWholeRun || family == kFamily) types.push_back(&row);
  }
  if (types.empty()) {
    std::fprintf(stderr, "no type reads with the family %s\n", ZEMBRIX_FUZZ_FAMILY);
    std::abort();
  }
  return types;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::getenv("ZEMBRIX_FUZZ_LIST_TYPES")) return 0;
  for (const SourceTypeInfo* row : TargetTypes()) {
    std::printf("%.*s\n", static_cast<int>(row->slug.size()), row->slug.data());
  }
  std::exit(0);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::vector<const SourceTypeInfo*> types = TargetTypes();
  static const ConversionContext context = ConversionContext::Default();
  static ScratchFolder scratch;
  const SourceTypeInfo& row = *types[data[0] % types.size()];
  const std::filesystem::path source = scratch.path / "source";
  std::FILE* file = std::fopen(source.c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  if constexpr (kWholeRun) {
    SilentHost host;
    const std::filesystem::path output = scratch.path / "computer.ONC";
    ConvertMachineList(row.type, source, output, context, host);
    std::filesystem::remove(output);
  } else {
    try {
      (void)ReadWithSettings({source, context, row.messages}, row.settings);
    } catch (const std::exception&) {
      // The run turns these into a message; only crashes and hangs are findings.
    }
  }
  return 0;
}
