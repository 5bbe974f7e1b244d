// Detection over every fixture whose type is known: the first choice must
// convert it to the list the user meant; and the cheap looks it ranks by.
#include "conversion/source_detection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "conversion/conversion_run.h"
#include "conversion/file_name_evidence.h"
#include "conversion/source_types.h"
#include "support/golden_files.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// What converting with the type writes; nothing when the run fails.
std::optional<std::string> ConvertedBytes(DisklessType type, const fs::path& source) {
  ScratchDir dir;
  RecordingHost host;
  ConvertMachineList(type, source, dir / "out.ONC", ConversionContext::Default(), host);
  if (host.messages != std::vector{Message::Success}) return std::nullopt;
  return ReadFileBytes(dir / "out.ONC");
}

std::size_t MachinesReadAs(DisklessType type, const fs::path& source) {
  const SourceTypeInfo& row = SourceTypeOf(type);
  const ConversionContext context = ConversionContext::Default();
  return ReadWithSettings({source, context, row.messages}, row.settings).machines.size();
}

std::string Slug(DisklessType type) { return std::string(SourceTypeOf(type).slug); }

// The top-1 table: every golden pair and every example, with the right type
// known from its name. A first choice other than the known type is right only
// when converting with it writes the very same list.
TEST(SourceDetection, FirstChoiceConvertsEveryFixtureToItsList) {
  std::size_t right = 0, sameList = 0, total = 0;
  std::string table = "case | known | first choice (machines) | verdict\n";
  for (const GoldenCase& golden : AllGoldenCases()) {
    ScratchDir dir;
    const fs::path source = SourceFileOf(golden, dir.path());
    const std::vector<DetectedType> found =
        DetectSourceTypes(source, ConversionContext::Default());
    ++total;
    if (found.empty()) {
      ADD_FAILURE() << golden.name << ": no type detected";
      table += golden.name + " | " + Slug(golden.type) + " | none | wrong\n";
      continue;
    }
    const DetectedType first = found.front();
    std::string verdict = "right";
    if (first.type == golden.type) {
      ++right;
    } else if (ConvertedBytes(first.type, source) == ReadFileBytes(golden.expected)) {
      ++sameList;
      verdict = "same list";
    } else {
      verdict = "wrong";
      ADD_FAILURE() << golden.name << ": detected " << Slug(first.type) << ", known "
                    << Slug(golden.type);
    }
    table += golden.name + " | " + Slug(golden.type) + " | " + Slug(first.type) + " (" +
             std::to_string(first.machines) + ") | " + verdict + "\n";
    // Every count is what converting with that type writes.
    for (const DetectedType& candidate : found) {
      EXPECT_EQ(candidate.machines, MachinesReadAs(candidate.type, source))
          << golden.name << " as " << Slug(candidate.type);
    }
  }
  std::printf("%s%zu of %zu first choices are the known type, %zu more write the same list\n",
              table.c_str(), right, total, sameList);
}

}  // namespace

namespace {

TEST(FileNameEvidence, TheNamedFileBeforeTheNamedExtension) {
  const struct {
    std::string_view filter;
    std::string_view name;
    int evidence;
  } cases[] = {
      {"文件(wsk.dat)|wsk.dat|All Files (*.*)|*.*||", "WSK.DAT", 2},
      {"文件(wsk.dat)|wsk.dat|All Files (*.*)|*.*||", "wsk.dat.bak", 0},
      {"文件(*.wcf)|*.wcf|All Files (*.*)|*.*||", "clients.WCF", 1},
      {"文件(*.wcf)|*.wcf|All Files (*.*)|*.*||", ".wcf", 0},
      {"文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||", "list.json", 0},
      {"All Files (*.*)|*.*||", "anything", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameEvidence(c.filter, c.name), c.evidence) << c.name;
}

std::vector<std::string> Slugs(const std::vector<DetectedType>& found) {
  std::vector<std::string> slugs;
  for (const DetectedType& candidate : found) slugs.push_back(Slug(candidate.type));
  return slugs;
}

// Sources built to tell types apart that read each other's files.
TEST(SourceDetection, RanksByStructureThenFileNameAndKeepsMachinelessTypesLast) {
  ScratchDir dir;
  const struct {
    const char* what;
    std::string name;
    std::string bytes;
    std::vector<std::string> expected;
  } cases[] = {
      {"a 快吧 file named as 绿茶's", "LC.XML",
       "<KB><wks><c cName=\"a\" MAC=\"00e04c123a01\" clientIP=\"10.0.0.1\"/></wks></KB>",
       {"kuaiba"}},
      {"a container without machines is read, and found empty", "KB.XML", "<KB><wks/></KB>",
       {"kuaiba"}},
      {"OBM's keys hold 锐起's too: the one with every key first", "x.ini",
       "[1]\nMAC=00e04c123a01\nIPAddr=10.0.0.1\nWksName=a\n", {"obm", "ruiqi"}},
      {"a CSV line under a heading", "list.txt", "name,ip,mac\na,10.0.0.1,00e04c123a01\n",
       {"xinyou"}},
      {"a 信佑6 list that opens with a comment", "list.txt",
       "// clients\n" R"({"macList":[{"mac":"00e04c123a01","ip":"10.0.0.1","pc":"a"}]})",
       {"xinyou6", "shunwupan"}},
      {"text that shows no type's structure is tried with every type", "notes",
       "hello\n",
       {"ald", "mzd", "obm", "ruiqi", "wangzhong", "xinyou", "fanggezi-v5", "shunwupan", "lvhua"}},
  };
  for (const auto& c : cases) {
    WriteFileBytes(dir / c.name, c.bytes);
    EXPECT_EQ(Slugs(DetectSourceTypes(dir / c.name, ConversionContext::Default())), c.expected)
        << c.what;
    fs::remove(dir / c.name);
  }
}

TEST(SourceDetection, AMissingFileOrAFolderHasNoType) {
  ScratchDir dir;
  EXPECT_TRUE(DetectSourceTypes(dir / "missing", ConversionContext::Default()).empty());
  EXPECT_TRUE(DetectSourceTypes(dir.path(), ConversionContext::Default()).empty());
}

// Detection only reads: not even a database's journal appears beside it.
TEST(SourceDetection, WritesNothing) {
  ScratchDir dir;
  const fs::path database = dir / "Config.db";
  fs::copy_file(ExampleSources("vhd").front(), database);
  const auto before = fs::last_write_time(database);
  ASSERT_FALSE(DetectSourceTypes(database, ConversionContext::Default()).empty());
  EXPECT_EQ(fs::last_write_time(database), before);
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(dir.path())) entries.push_back(entry.path());
  EXPECT_EQ(entries, std::vector{database});
}

}  // namespace
