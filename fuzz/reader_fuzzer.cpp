// libFuzzer target: the first byte picks one of the target's source types, the
// rest is the source file. The whole-run variant converts into a scratch folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <string>

#include "core/conversion_run.h"
#include "core/source_types.h"
#include "core/utf8.h"

namespace {

constexpr int kTypeIndexes[] = {ZEMBRIX_FUZZ_TYPES};

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static ScratchFolder scratch;
  const auto type = static_cast<DisklessType>(kTypeIndexes[data[0] % std::size(kTypeIndexes)]);
  const std::filesystem::path source = scratch.path / "source";
  std::FILE* file = std::fopen(source.c_str(), "wb");
  if (!file) std::abort();
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  SilentHost host;
  const std::u16string sourcePath = Utf8ToWide(source.string());
#ifdef ZEMBRIX_FUZZ_WHOLE_RUN
  const std::filesystem::path output = scratch.path / "computer.ONC";
  ConvertMachineList(type, sourcePath, Utf8ToWide(output.string()), host);
  std::filesystem::remove(output);
#else
  std::u16string text;
  try {
    (void)SourceTypeOf(type).reader(type, sourcePath, text, host);
  } catch (const std::exception&) {
    // The run turns these into a message; only crashes and hangs are findings.
  }
#endif
  return 0;
}
