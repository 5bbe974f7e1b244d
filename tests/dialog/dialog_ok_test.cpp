// The OK button: the three fields in, boxes and the closing out.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "core/diskless_type.h"
#include "core/messages.h"
#include "dialog/dialog_ok.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

// Remembers, in order, what the dialog was asked to do.
class RecordingWindow final : public DialogWindow {
 public:
  void ShowMessageBox(std::string_view caption, std::string_view text) override {
    events.push_back("box " + std::string(caption) + ": " + std::string(text));
  }
  void EndDialogOk() override { events.push_back("end ok"); }

  std::vector<std::string> events;
};

std::string Box(Message message) { return "box 提示: " + std::string(MessageText(message)); }

int PositionOf(DisklessType type) { return static_cast<int>(IndexOf(type)); }

fs::path LvhuaExample() {
  return fs::path(ZEMBRIX_SOURCE_DIR) / u8"examples/lvhua/绿化大师.txt";
}

TEST(OnDialogOk, AWrittenFileIsReportedThenTheDialogCloses) {
  ScratchDir dir;
  RecordingWindow window;
  OnDialogOk({PositionOf(DisklessType::Lvhua), LvhuaExample(), dir / "computer.ONC"}, window);
  EXPECT_EQ(window.events,
            (std::vector<std::string>{Box(Message::Success) + "\n已写入 3 台机器", "end ok"}));
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            ReadFileBytes(TestDataPath("examples/lvhua.ONC")));
}

// The box keeps "生成成功!" as its first line; the figures follow below it.
TEST(OnDialogOk, TheSuccessBoxTellsWhatWasSkippedAndRepeated) {
  ScratchDir dir;
  WriteFileBytes(dir / "list.txt",
                 "Name,IP,MAC\nA,10.0.0.1,AA\nB,10.0.0.1,AA\nC,10.0.0.2,,x\nD\nE,10.0.0.3,EE\n");
  RecordingWindow window;
  OnDialogOk({PositionOf(DisklessType::Xinyou), dir / "list.txt", dir / "computer.ONC"}, window);
  EXPECT_EQ(window.events,
            (std::vector<std::string>{
                "box 提示: 生成成功!\n已写入 3 台机器；跳过 2 条记录（缺少值 1，格式不符 1）；"
                "重复的 MAC 地址 1 个，重复的 IP 地址 1 个",
                "end ok"}));
}

// One box each, the message alone (a library's words stay out of it), and
// the dialog stays open for another try.
TEST(OnDialogOk, AFailureShowsOneBoxAndKeepsTheDialogOpen) {
  ScratchDir dir;
  WriteFileBytes(dir / "Config.db", "not a database, only text\n");
  const struct {
    DisklessType type;
    fs::path source;
    fs::path output;
    Message message;
  } cases[] = {
      {DisklessType::Lvhua, "", "", Message::PathEmpty},
      {DisklessType::Lvhua, LvhuaExample(), "", Message::PathEmpty},
      {DisklessType::Lvhua, LvhuaExample(), dir / "no such folder" / "computer.ONC",
       Message::CreateFileFailed},
      {DisklessType::Lvhua, LvhuaExample(), LvhuaExample(), Message::OutputIsSource},
      // The position picks the type: the CCBOOT reader wants XML.
      {DisklessType::Ccboot, LvhuaExample(), dir / "computer.ONC",
       Message::SourceFormatInvalid},
      {DisklessType::Vhd, dir / "Config.db", dir / "computer.ONC", Message::ReadDatabaseFailed},
  };
  for (const auto& c : cases) {
    RecordingWindow window;
    OnDialogOk({PositionOf(c.type), c.source, c.output}, window);
    EXPECT_EQ(window.events, std::vector{Box(c.message)}) << c.source << " " << c.output;
  }
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
}

TEST(OnDialogOk, WithoutATypeSelectedNothingHappens) {
  ScratchDir dir;
  for (const int position : {-1, static_cast<int>(kDisklessTypeCount), INT_MIN, INT_MAX}) {
    RecordingWindow window;
    OnDialogOk({position, LvhuaExample(), dir / "computer.ONC"}, window);
    EXPECT_TRUE(window.events.empty()) << position;
  }
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
}

}  // namespace
