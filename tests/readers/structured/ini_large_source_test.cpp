// INI sources far larger than any real one go through zembrix-cli in bounded
// memory, and one whose section names cannot fit is refused early.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "conversion/source_types.h"
#include "core/messages.h"
#include "core/value_buffer.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<const SourceTypeInfo*> IniTypes() {
  std::vector<const SourceTypeInfo*> types;
  for (const SourceTypeInfo& type : SourceTypes()) {
    if (std::holds_alternative<IniLayout>(type.settings)) types.push_back(&type);
  }
  return types;
}

const IniLayout& LayoutOf(const SourceTypeInfo& type) { return std::get<IniLayout>(type.settings); }

std::string Utf8(std::u16string_view ascii) { return std::string(ascii.begin(), ascii.end()); }

// The peak may be twice the source and 16 MiB more. Not checked where the
// system does not tell the peak, nor under the sanitizers, whose own memory
// is no figure of ours.
void ExpectWithinTheMemoryBound(const CliResult& result, const fs::path& source) {
#if defined(__SANITIZE_ADDRESS__)
  return;
#endif
  if (result.peakResidentKiB == 0) return;
  const std::uintmax_t allowed = (2 * fs::file_size(source) + (std::uintmax_t{16} << 20)) >> 10;
  EXPECT_LE(static_cast<std::uintmax_t>(result.peakResidentKiB), allowed)
      << "KiB at the peak for a source of " << fs::file_size(source) << " bytes";
}

CliResult Convert(const SourceTypeInfo& type, const ScratchDir& dir, const std::string& source) {
  CliOptions options;
  options.cwd = dir.path();
  options.timeoutSeconds = 60;
  return RunZembrixCli(
      {"convert", "--type", std::string(type.slug), "--output", "computer.ONC", source}, options);
}

TEST(IniLargeSource, AMillionSectionsEndInBufferTooSmallQuickly) {
  ScratchDir dir;
  const fs::path source = dir / "wks.ini";
  {
    std::ofstream out(source, std::ios::binary);
    std::string chunk;
    char section[64];
    for (int i = 0; i < 1'000'000; ++i) {
      std::snprintf(section, sizeof section, "[%012x]\nIpAddr=192.168.0.1\nWksName=pc\n", i);
      chunk += section;
      if (chunk.size() >= (1 << 20)) {
        out << chunk;
        chunk.clear();
      }
    }
    out << chunk;
    ASSERT_TRUE(out.good());
  }
  for (const SourceTypeInfo* type : IniTypes()) {
    const auto start = std::chrono::steady_clock::now();
    const CliResult result = Convert(*type, dir, "wks.ini");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.status, 1) << type->slug;
    EXPECT_NE(result.err.find(MessageText(Message::BufferTooSmall)), std::string::npos)
        << type->slug << ": " << result.err;
    EXPECT_FALSE(fs::exists(dir / "computer.ONC")) << type->slug;
    // Reading the whole file into maps took seconds; the names overflow
    // within the first thousand sections.
    EXPECT_LT(elapsed, std::chrono::seconds(2)) << type->slug;
    ExpectWithinTheMemoryBound(result, source);
  }
}

// One section whose value the type reads holds 40 MB: the machine list is the
// one of the same section with the value cut to the value buffer.
TEST(IniLargeSource, ASectionWithAFortyMegabyteValueConvertsAsItsCutValue) {
  constexpr std::size_t kValueSize = 40'000'000;
  for (const SourceTypeInfo* type : IniTypes()) {
    const IniLayout& layout = LayoutOf(*type);
    ASSERT_FALSE(layout.ip.key.empty()) << type->slug;
    const auto keyLine = [](const IniField& field, std::string_view value) {
      return field.key.empty() ? std::string() : Utf8(field.key) + "=" + std::string(value) + "\n";
    };
    const std::string head =
        "[00e04c123abc]\n" + keyLine(layout.mac, "00e04c123abc") + keyLine(layout.name, "pc1") +
        Utf8(layout.ip.key) + "=";
    ScratchDir dir;
    const fs::path source = dir / "large.ini";
    {
      std::ofstream out(source, std::ios::binary);
      out << head;
      const std::string chunk(1'000'000, '1');
      for (std::size_t written = 0; written < kValueSize; written += chunk.size()) out << chunk;
      out << "\n";
      ASSERT_TRUE(out.good());
    }
    WriteFileBytes(dir / "cut.ini", head + std::string(kValueBufferLimit, '1') + "\n");

    const CliResult expected = Convert(*type, dir, "cut.ini");
    ASSERT_EQ(expected.status, 0) << type->slug << ": " << expected.err;
    const std::string expectedList = ReadFileBytes(dir / "computer.ONC");
    fs::remove(dir / "computer.ONC");

    const CliResult result = Convert(*type, dir, "large.ini");
    EXPECT_EQ(result.status, 0) << type->slug << ": " << result.err;
    EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), expectedList) << type->slug;
    ExpectWithinTheMemoryBound(result, source);
  }
}

}  // namespace
