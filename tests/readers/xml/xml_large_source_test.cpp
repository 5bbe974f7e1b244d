// XML sources far larger than any real one go through zembrix-cli in linear
// time and bounded memory: one start tag of 100 MB, streamed or read in the
// ANSI code page, and a million nested elements.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/value_buffer.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
constexpr std::size_t kSourceSize = 100'000'000;

// What expat itself takes for a start tag of 100 MB fed in 64 KiB pieces (the
// tag and its attribute values, 218 MiB), and 32 MiB of ours.
constexpr std::uintmax_t kAttributePeak = 250 * kMiB;

struct TimedRun {
  CliResult result;
  Clock::duration elapsed;
};

TimedRun RunCli(const std::vector<std::string>& arguments, const ScratchDir& dir) {
  CliOptions options;
  options.cwd = dir.path();
  options.timeoutSeconds = 120;
  const auto start = Clock::now();
  CliResult result = RunZembrixCli(arguments, options);
  return {std::move(result), Clock::now() - start};
}

TimedRun Convert(const ScratchDir& dir, const std::string& source,
                 const std::string& type = "kuaiba") {
  return RunCli({"convert", "--type", type, "--output", "computer.ONC", source}, dir);
}

// Not checked where the system does not tell the peak, nor under the
// sanitizers, whose own memory is no figure of ours.
void ExpectPeakWithin(const CliResult& result, std::uintmax_t bytes, const char* what) {
#if defined(__SANITIZE_ADDRESS__)
  return;
#endif
  if (result.peakResidentKiB == 0) return;
  EXPECT_LE(static_cast<std::uintmax_t>(result.peakResidentKiB), bytes >> 10)
      << "KiB at the peak: " << what;
}

// head, then what `piece` gives for 0, 1, ... until that is `size` bytes or
// more, then tail.
void WriteSource(const fs::path& path, const std::string& head, std::size_t size,
                 const std::function<std::string(std::size_t)>& piece, const std::string& tail) {
  std::ofstream out(path, std::ios::binary);
  out << head;
  std::string chunk;
  for (std::size_t written = 0, i = 0; written + chunk.size() < size; ++i) {
    chunk += piece(i);
    if (chunk.size() >= (1 << 20)) {
      written += chunk.size();
      out << chunk;
      chunk.clear();
    }
  }
  out << chunk << tail;
  ASSERT_TRUE(out.good());
}

TEST(XmlLargeSource, AHundredMegabyteAttributeTakesTheTimeOfAHundredMegabytesOfMachines) {
  ScratchDir dir;
  WriteSource(
      dir / "machines.xml", "<KB><wks>\n", kSourceSize,
      [](std::size_t i) {
        char line[96];
        std::snprintf(line, sizeof line,
                      "<pc cName=\"pc%07zu\" MAC=\"00e04c%06zx\" clientIP=\"10.%zu.%zu.%zu\"/>\n", i,
                      i & 0xFFFFFF, (i >> 16) & 255, (i >> 8) & 255, i & 255);
        return std::string(line);
      },
      "</wks></KB>");
  const TimedRun machines = Convert(dir, "machines.xml");
  ASSERT_EQ(machines.result.status, 0) << machines.result.err;
  fs::remove(dir / "machines.xml");

  // Streamed as it declares itself, and read in the ANSI code page.
  const struct {
    const char* slug;
    std::string head, tail;
    std::string detected;  // the first line of detect
  } layouts[] = {
      {"kuaiba", "<KB><wks><pc cName=\"pc", "\" MAC=\"00e04c123abc\" clientIP=\"10.0.0.1\"/></wks></KB>",
       "8\tkuaiba\t快吧\t1"},
      {"pxd", "<PXD><Wks><W ComName=\"pc", "\" MAC=\"00e04c123abc\" WksIP=\"10.0.0.1\"/></Wks></PXD>",
       "5\tpxd\tPXD\t1"},
  };
  const std::string chunk(1 << 20, 'x');
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.slug);
    WriteSource(dir / "cut.xml", layout.head, kValueBufferLimit - 2, [](std::size_t) { return "x"; },
                layout.tail);
    ASSERT_EQ(Convert(dir, "cut.xml", layout.slug).result.status, 0);
    const std::string cutList = ReadFileBytes(dir / "computer.ONC");
    WriteSource(dir / "attribute.xml", layout.head, kSourceSize, [&](std::size_t) { return chunk; },
                layout.tail);

    const TimedRun attribute = Convert(dir, "attribute.xml", layout.slug);
    EXPECT_EQ(attribute.result.status, 0) << attribute.result.err;
    const std::string list = ReadFileBytes(dir / "computer.ONC");
    EXPECT_TRUE(list == cutList) << "a list of " << list.size() << " bytes, not " << cutList.size();
    EXPECT_LE(attribute.elapsed, 3 * machines.elapsed);
    ExpectPeakWithin(attribute.result, kAttributePeak, "convert");

    const TimedRun detected = RunCli({"detect", "attribute.xml"}, dir);
    EXPECT_EQ(detected.result.status, 0) << detected.result.err;
    EXPECT_EQ(detected.result.out.substr(0, detected.result.out.find('\n')), layout.detected);
    EXPECT_LE(detected.elapsed, 3 * machines.elapsed);
    ExpectPeakWithin(detected.result, kAttributePeak, "detect");
    fs::remove(dir / "attribute.xml");
  }
}

// Refused at the first element too deep, within the streaming bound: twice the
// source and 16 MiB (there is no output).
TEST(XmlLargeSource, AMillionNestedElementsAreRefusedInBoundedMemory) {
  ScratchDir dir;
  constexpr std::size_t kDepth = 1'000'000;
  WriteSource(dir / "KB.XML", "<KB><wks>", 7 * kDepth,
              [](std::size_t i) { return i < kDepth ? "<d>" : "</d>"; }, "</wks></KB>");
  const std::uintmax_t bound = 2 * fs::file_size(dir / "KB.XML") + 16 * kMiB;

  const TimedRun converted = Convert(dir, "KB.XML");
  EXPECT_EQ(converted.result.status, 1);
  EXPECT_EQ(converted.result.err, std::string(MessageText(Message::SourceFormatInvalid)) +
                                      "\nline 1: nesting deeper than 1000 elements\n");
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
  ExpectPeakWithin(converted.result, bound, "convert");

  const TimedRun detected = RunCli({"detect", "KB.XML"}, dir);
  EXPECT_EQ(detected.result.out.find("kuaiba"), std::string::npos) << detected.result.out;
  ExpectPeakWithin(detected.result, bound, "detect");
}

}  // namespace
