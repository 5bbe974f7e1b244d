// The Win32 main dialog driven as a user would, with the prompts answered by the test.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "conversion/source_types.h"
#include "core/messages.h"
#include "dialog/dialog_texts.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "ui/win32/resource.h"
#include "ui/win32/utf16.h"
#include "ui/win32/zembrix_dlg.h"
#include "dialog_driver.h"
#include "drop_files.h"
#include "scripted_user_prompts.h"
#include "ui_template.h"

namespace {

namespace fs = std::filesystem;

// What Run gives when the test left the dialog open.
constexpr INT_PTR kLeftOpen = 4242;

std::wstring Text(Message message) { return Utf16FromUtf8(MessageText(message)); }

fs::path LvhuaExample() {
  return fs::path(ZEMBRIX_SOURCE_DIR) / u8"examples/lvhua/绿化大师.txt";
}

fs::path KuaibaExample() { return fs::path(ZEMBRIX_SOURCE_DIR) / "examples/kuaiba/KB.XML"; }

// The success box says "生成成功!" first; the conversion's figures follow below.
std::wstring FirstLine(const std::wstring& text) { return text.substr(0, text.find(L'\n')); }

// A rectangle of the dialog's client area in pixels.
RECT ClientRectOf(HWND dialog, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// As the dialog manager places a control: its position and its size each
// turned into pixels on their own.
RECT Pixels(HWND dialog, const TemplateRect& units) {
  RECT mapped{units.x, units.y, units.width, units.height};
  MapDialogRect(dialog, &mapped);
  return {mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1,
                      L'\0');
    item.resize(static_cast<std::size_t>(
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.push_back(item);
  }
  return items;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void SetField(HWND dialog, int id, const fs::path& path) {
  SetDlgItemTextW(dialog, id, path.c_str());
}

std::wstring Field(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

int PositionOf(DisklessType type) { return static_cast<int>(IndexOf(type)); }

void SelectType(HWND dialog, DisklessType type) {
  SendDlgItemMessageW(dialog, IDC_TYPE_COMBO, CB_SETCURSEL, IndexOf(type), 0);
}

int SelectedPosition(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageW(dialog, IDC_TYPE_COMBO, CB_GETCURSEL, 0, 0));
}

// The Qt templates' object names for the Win32 control IDs.
const std::pair<const char*, int> kMainControls[] = {
    {"okButton", IDOK},
    {"cancelButton", IDCANCEL},
    {"typeLabel", IDC_TYPE_LABEL},
    {"typeCombo", IDC_TYPE_COMBO},
    {"sourceLabel", IDC_SOURCE_LABEL},
    {"sourceEdit", IDC_SOURCE_EDIT},
    {"sourceBrowseButton", IDC_SOURCE_BROWSE},
    {"outputLabel", IDC_OUTPUT_LABEL},
    {"outputEdit", IDC_OUTPUT_EDIT},
    {"outputBrowseButton", IDC_OUTPUT_BROWSE},
    {"hintLabel", IDC_HINT},
    {"recognizedLabel", IDC_RECOGNIZED},
};

const std::pair<const char*, int> kAboutControls[] = {
    {"iconLabel", IDC_ABOUT_ICON},
    {"versionLabel", IDC_ABOUT_VERSION},
    {"noticeLabel", IDC_ABOUT_NOTICE},
    {"okButton", IDOK},
};

// Checks a dialog against its Qt template: title, client size, each control's
// place and size in dialog units, and every text the template sets.
void ExpectMatchesTemplate(HWND dialog, const UiTemplate& ui,
                           std::span<const std::pair<const char*, int>> controls) {
  EXPECT_EQ(WindowText(dialog), ui.title);
  RECT client;
  GetClientRect(dialog, &client);
  const RECT size = Pixels(dialog, {0, 0, ui.rect.width, ui.rect.height});
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);
  ASSERT_EQ(ui.widgets.size(), controls.size());
  for (const auto& [name, id] : controls) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(ui.widgets.contains(name));
    const TemplateWidget& widget = ui.widgets.at(name);
    const HWND control = GetDlgItem(dialog, id);
    ASSERT_NE(control, nullptr);
    const RECT expected = Pixels(dialog, widget.rect);
    const RECT actual = ClientRectOf(dialog, control);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    // A combo box's template height is its open list; an icon takes its own size.
    if (id != IDC_TYPE_COMBO && id != IDC_ABOUT_ICON) {
      EXPECT_EQ(actual.right, expected.right);
      EXPECT_EQ(actual.bottom, expected.bottom);
    } else if (id == IDC_TYPE_COMBO) {
      EXPECT_EQ(actual.right, expected.right);
    }
    if (!widget.text.empty()) {
      EXPECT_EQ(WindowText(control), widget.text);
    }
  }
}

class MainDialog : public testing::Test {
 protected:
  // Runs the dialog modally and act inside its loop once it shows; then
  // handles what act queued. Gives what DoModal gave, or kLeftOpen when the
  // dialog was still open after that.
  INT_PTR Run(std::function<void(HWND)> act) {
    bool shown = false;
    WhenShown(
        [this]() -> HWND {
          return dialog.hwnd() && IsWindowVisible(dialog.hwnd()) ? dialog.hwnd() : nullptr;
        },
        [act, &shown](HWND hwnd) {
          shown = true;
          act(hwnd);
          PumpMessages(hwnd);
          if (IsWindowVisible(hwnd)) EndDialog(hwnd, kLeftOpen);
        });
    const INT_PTR result = dialog.DoModal();
    CancelWhenShown();
    // -1: no window could be made (under Wine: no display for its desktop).
    EXPECT_NE(result, -1) << "the dialog could not be created";
    EXPECT_TRUE(shown) << "the dialog never showed";
    return result;
  }

  ScratchDir dir;
  ScriptedUserPrompts prompts;
  CZembrixDlg dialog{GetModuleHandleW(nullptr), prompts};
};

TEST_F(MainDialog, StartsLikeTheQtTemplateWithAldSelectedAndTheTwentyTwoNamesInOrder) {
  const UiTemplate ui = ReadUiTemplate(QtTemplatePath("zembrix_dlg.ui"));
  const INT_PTR result = Run([&](HWND hwnd) {
    ExpectMatchesTemplate(hwnd, ui, kMainControls);
    std::vector<std::wstring> names;
    for (const SourceTypeInfo& row : SourceTypes()) names.push_back(Utf16FromUtf8(row.displayName));
    const HWND typeList = GetDlgItem(hwnd, IDC_TYPE_COMBO);
    EXPECT_EQ(ComboItems(typeList), names);
    EXPECT_EQ(SelectedPosition(hwnd), 0);
    EXPECT_EQ(GetWindowLongW(typeList, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"");
    EXPECT_EQ(Field(hwnd, IDC_OUTPUT_EDIT), L"");
    EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"");
    EXPECT_EQ(LOWORD(SendMessageW(hwnd, DM_GETDEFID, 0, 0)), IDOK);
    // A test beside this one on the display may have taken the activation; on
    // getting it back the dialog gives the focus to the control that had it.
    SetActiveWindow(hwnd);
    EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, IDOK));
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
  });
  EXPECT_EQ(result, kLeftOpen);
  EXPECT_EQ(prompts.Asked(), 0);
}

TEST_F(MainDialog, TabGoesThroughTheTemplatesOrder) {
  Run([](HWND hwnd) {
    const std::vector<int> order = {IDOK,          IDCANCEL,        IDC_TYPE_COMBO,
                                    IDC_SOURCE_EDIT, IDC_SOURCE_BROWSE, IDC_OUTPUT_EDIT,
                                    IDC_OUTPUT_BROWSE};
    std::vector<int> chain;
    HWND control = GetDlgItem(hwnd, IDOK);
    for (std::size_t i = 0; i < order.size(); ++i) {
      chain.push_back(GetDlgCtrlID(control));
      control = GetNextDlgTabItem(hwnd, control, FALSE);
    }
    EXPECT_EQ(chain, order);
    EXPECT_EQ(control, GetDlgItem(hwnd, IDOK));  // and round again
  });
}

TEST_F(MainDialog, SourceBrowseOffersTheFilterOfTheTypeSelectedThen) {
  const struct {
    DisklessType type;
    std::vector<FileTypeFilter> filters;
  } cases[] = {
      {DisklessType::Xinyou,
       {{L"文件(*.txt)", L"*.txt"}, {L"文件(*.json)", L"*.json"}, {L" All Files (*.*)", L"*.*"}}},
      {DisklessType::Ccboot, {{L"文件(db.XML)", L"db.XML"}, {L"All Files (*.*)", L"*.*"}}},
  };
  Run([&](HWND hwnd) {
    for (const auto& c : cases) {
      SelectType(hwnd, c.type);
      prompts.fileAnswers.push_back(L"C:\\srv\\机器列表.txt");
      Click(hwnd, IDC_SOURCE_BROWSE);
      ASSERT_FALSE(prompts.offeredFilters.empty());
      EXPECT_EQ(prompts.offeredFilters.back(), c.filters);
      EXPECT_EQ(prompts.fileOwners.back(), hwnd);
      EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"C:\\srv\\机器列表.txt");
      EXPECT_EQ(SelectedPosition(hwnd), static_cast<int>(IndexOf(c.type)));
    }
  });
}

TEST_F(MainDialog, CancelledBrowsesChangeNothing) {
  Run([&](HWND hwnd) {
    SetDlgItemTextW(hwnd, IDC_SOURCE_EDIT, L"earlier source");
    SetDlgItemTextW(hwnd, IDC_OUTPUT_EDIT, L"earlier output");
    Click(hwnd, IDC_SOURCE_BROWSE);
    Click(hwnd, IDC_OUTPUT_BROWSE);
    EXPECT_EQ(prompts.offeredFilters.size(), 1u);
    EXPECT_EQ(prompts.folderTitles.size(), 1u);
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"earlier source");
    EXPECT_EQ(Field(hwnd, IDC_OUTPUT_EDIT), L"earlier output");
  });
}

TEST_F(MainDialog, FolderBrowsePutsComputerOncIntoThePickedFolder) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\网吧\\导出", L"C:\\网吧\\导出\\computer.ONC"},
      {L"D:\\", L"D:\\computer.ONC"},
  };
  Run([&](HWND hwnd) {
    for (const auto& [folder, expected] : cases) {
      prompts.folderAnswers.push_back(folder);
      Click(hwnd, IDC_OUTPUT_BROWSE);
      EXPECT_EQ(Field(hwnd, IDC_OUTPUT_EDIT), expected);
      EXPECT_EQ(prompts.folderTitles.back(), L"请选择文件夹：");
      EXPECT_EQ(prompts.folderOwners.back(), hwnd);
    }
  });
}

TEST_F(MainDialog, ASuccessfulConversionReportsAndClosesTheDialog) {
  HWND shown = nullptr;
  const INT_PTR result = Run([&](HWND hwnd) {
    shown = hwnd;
    SelectType(hwnd, DisklessType::Lvhua);
    SetField(hwnd, IDC_SOURCE_EDIT, LvhuaExample());
    SetField(hwnd, IDC_OUTPUT_EDIT, dir / "computer.ONC");
    Click(hwnd, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, L"生成成功!\n已写入 3 台机器");
  EXPECT_EQ(prompts.messages[0].caption, L"提示");
  EXPECT_EQ(prompts.messages[0].owner, shown);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            ReadFileBytes(TestDataPath("examples/lvhua.ONC")));
  EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST_F(MainDialog, AFailedConversionShowsItsMessageKeepsTheFieldsAndCanBeRetried) {
  const struct {
    fs::path source;
    fs::path output;
    Message message;
  } cases[] = {
      {"", "", Message::PathEmpty},
      {LvhuaExample(), "", Message::PathEmpty},
      {LvhuaExample(), dir / "no such folder" / "computer.ONC", Message::CreateFileFailed},
  };
  const INT_PTR result = Run([&](HWND hwnd) {
    SelectType(hwnd, DisklessType::Lvhua);
    for (const auto& c : cases) {
      prompts.messages.clear();
      SetField(hwnd, IDC_SOURCE_EDIT, c.source);
      SetField(hwnd, IDC_OUTPUT_EDIT, c.output);
      Click(hwnd, IDOK);
      ASSERT_EQ(prompts.messages.size(), 1u) << c.output;
      EXPECT_EQ(prompts.messages[0].text, Text(c.message));
      EXPECT_EQ(prompts.messages[0].caption, L"提示");
      EXPECT_EQ(prompts.messages[0].owner, hwnd);
      EXPECT_TRUE(IsWindowVisible(hwnd));
      EXPECT_EQ(SelectedPosition(hwnd), static_cast<int>(IndexOf(DisklessType::Lvhua)));
      EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), c.source.native());
      EXPECT_EQ(Field(hwnd, IDC_OUTPUT_EDIT), c.output.native());
    }
    prompts.messages.clear();
    SetField(hwnd, IDC_OUTPUT_EDIT, dir / "computer.ONC");
    Click(hwnd, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(FirstLine(prompts.messages[0].text), Text(Message::Success));
}

TEST_F(MainDialog, EnterInEitherFieldRunsTheConversion) {
  for (const int field : {IDC_SOURCE_EDIT, IDC_OUTPUT_EDIT}) {
    SCOPED_TRACE(field);
    ScratchDir out;
    prompts.messages.clear();
    const INT_PTR result = Run([&](HWND hwnd) {
      SelectType(hwnd, DisklessType::Lvhua);
      SetField(hwnd, IDC_SOURCE_EDIT, LvhuaExample());
      SetField(hwnd, IDC_OUTPUT_EDIT, out / "computer.ONC");
      SetFocus(GetDlgItem(hwnd, field));
      PostKey(GetDlgItem(hwnd, field), VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(FirstLine(prompts.messages[0].text), Text(Message::Success));
    EXPECT_TRUE(fs::exists(out / "computer.ONC"));
  }
}

// Where the shell delivers a drop at a point of the dialog's client area: to
// the window under it or the nearest one above that takes files.
HWND DropTargetAt(HWND dialog, POINT at) {
  for (HWND window = ChildWindowFromPointEx(dialog, at, CWP_SKIPINVISIBLE); window;
       window = GetAncestor(window, GA_PARENT)) {
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return window;
    if (window == dialog) break;
  }
  return nullptr;
}

POINT CenterOf(HWND dialog, int id) {
  const RECT rect = ClientRectOf(dialog, GetDlgItem(dialog, id));
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A place of the dialog with no control on it: its top left margin.
POINT BlankOf(HWND dialog) {
  const RECT margin = Pixels(dialog, {5, 5, 0, 0});
  return {margin.left, margin.top};
}

// Drops files at a point of the dialog as the shell does.
void DropAt(HWND dialog, POINT at, const std::vector<std::wstring>& files) {
  const HWND target = DropTargetAt(dialog, at);
  ASSERT_EQ(target, dialog) << "no window there takes the files";
  SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files, at)), 0);
}

// Puts the focus in the source field, types there, and moves on to the output field.
void TypeSourceAndLeave(HWND dialog, const fs::path& source) {
  SetFocus(GetDlgItem(dialog, IDC_SOURCE_EDIT));
  SetField(dialog, IDC_SOURCE_EDIT, source);
  SetFocus(GetDlgItem(dialog, IDC_OUTPUT_EDIT));
}

// A file chosen in any way makes the dialog select the type that reads it,
// when the selected one does not, and say so under the fields.
class ChosenSource : public MainDialog,
                     public testing::WithParamInterface<std::pair<const char*, int>> {
 protected:
  enum Way { kBrowsed, kDroppedOnDialog, kDroppedOnSourceField, kDroppedOnOutputField, kTyped };

  void Choose(HWND hwnd, const fs::path& file) {
    switch (GetParam().second) {
      case kBrowsed:
        prompts.fileAnswers.push_back(file.native());
        Click(hwnd, IDC_SOURCE_BROWSE);
        break;
      case kDroppedOnDialog:
        DropAt(hwnd, BlankOf(hwnd), {file.native()});
        break;
      case kDroppedOnSourceField:
        DropAt(hwnd, CenterOf(hwnd, IDC_SOURCE_EDIT), {file.native()});
        break;
      case kDroppedOnOutputField:
        DropAt(hwnd, CenterOf(hwnd, IDC_OUTPUT_EDIT), {file.native()});
        break;
      case kTyped:
        TypeSourceAndLeave(hwnd, file);
        break;
    }
    PumpMessages(hwnd);
  }
};

TEST_P(ChosenSource, SelectsTheTypeThatReadsItAndSaysSo) {
  Run([&](HWND hwnd) {
    Choose(hwnd, KuaibaExample());
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), KuaibaExample().native());
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Kuaiba));
    EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"已识别为：快吧");

    // The user may still pick another type; a file it reads keeps it and clears the line.
    SelectType(hwnd, DisklessType::Lvhua);
    Choose(hwnd, LvhuaExample());
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), LvhuaExample().native());
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Lvhua));
    EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"");
  });
  EXPECT_TRUE(prompts.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainDialog, ChosenSource,
    testing::Values(std::pair{"browsed", 0}, std::pair{"dropped_on_the_dialog", 1},
                    std::pair{"dropped_on_the_source_field", 2},
                    std::pair{"dropped_on_the_output_field", 3},
                    std::pair{"typed_and_left", 4}),
    [](const auto& info) { return std::string(info.param.first); });

TEST_F(MainDialog, ADropOfOtherThanOneFileIsIgnored) {
  const struct {
    const char* what;
    std::vector<std::wstring> files;
  } cases[] = {
      {"two files", {KuaibaExample().native(), LvhuaExample().native()}},
      {"no file", {}},
  };
  Run([&](HWND hwnd) {
    SetDlgItemTextW(hwnd, IDC_SOURCE_EDIT, L"earlier source");
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      DropAt(hwnd, CenterOf(hwnd, IDC_SOURCE_EDIT), c.files);
      PumpMessages(hwnd);
      EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"earlier source");
      EXPECT_EQ(SelectedPosition(hwnd), 0);
      EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"");
    }
  });
  EXPECT_EQ(prompts.Asked(), 0);
}

TEST_F(MainDialog, PassingThroughTheSourceFieldKeepsTheTypeTheUserPicked) {
  Run([&](HWND hwnd) {
    TypeSourceAndLeave(hwnd, KuaibaExample());
    PumpMessages(hwnd);
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Kuaiba));
    SelectType(hwnd, DisklessType::Ald);
    SetFocus(GetDlgItem(hwnd, IDC_SOURCE_EDIT));
    SetFocus(GetDlgItem(hwnd, IDC_OUTPUT_EDIT));
    PumpMessages(hwnd);
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Ald));
  });
}

// Enter converts with the type selected. The box that follows takes the
// focus from the field; that is not the user leaving it.
TEST_F(MainDialog, EnterInTheSourceFieldConvertsWithoutLookingAtTheFile) {
  bool boxShown = false;
  prompts.onMessage = [&](ShownMessage shown) {
    WhenShown([caption = shown.caption] { return FindThreadWindow(caption); },
              [&](HWND box) {
                boxShown = true;
                SendMessageW(box, WM_COMMAND, IDOK, 0);
              });
    MessageBoxW(shown.owner, shown.text.c_str(), shown.caption.c_str(), MB_OK);
  };
  const INT_PTR result = Run([&](HWND hwnd) {
    const HWND source = GetDlgItem(hwnd, IDC_SOURCE_EDIT);
    SetField(hwnd, IDC_OUTPUT_EDIT, dir / "no such folder" / "computer.ONC");
    SetFocus(source);
    SetField(hwnd, IDC_SOURCE_EDIT, KuaibaExample());
    // Straight to the dialog manager: a loop could let another window of the
    // display take the focus first.
    MSG enter{};
    enter.hwnd = source;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    enter.lParam = 1;
    IsDialogMessageW(hwnd, &enter);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(boxShown);
    EXPECT_NE(FirstLine(prompts.messages[0].text), Text(Message::Success));
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Ald));
    EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"");

    // Moving on from the field afterwards does look at it.
    SetFocus(source);
    SetFocus(GetDlgItem(hwnd, IDC_OUTPUT_EDIT));
    PumpMessages(hwnd);
    EXPECT_EQ(SelectedPosition(hwnd), PositionOf(DisklessType::Kuaiba));
    EXPECT_EQ(Field(hwnd, IDC_RECOGNIZED), L"已识别为：快吧");
  });
  EXPECT_EQ(result, kLeftOpen);
}

TEST_F(MainDialog, CancelEscapeAndTheCloseBoxEndWithoutConverting) {
  const std::vector<std::function<void(HWND)>> ways = {
      [](HWND hwnd) { Click(hwnd, IDCANCEL); },
      [](HWND hwnd) { PostKey(GetDlgItem(hwnd, IDC_SOURCE_EDIT), VK_ESCAPE); },
      [](HWND hwnd) { PostMessageW(hwnd, WM_CLOSE, 0, 0); },
      [](HWND hwnd) { PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (std::size_t i = 0; i < ways.size(); ++i) {
    SCOPED_TRACE(i);
    const INT_PTR result = Run([&](HWND hwnd) {
      SelectType(hwnd, DisklessType::Lvhua);
      SetField(hwnd, IDC_SOURCE_EDIT, LvhuaExample());
      SetField(hwnd, IDC_OUTPUT_EDIT, dir / "computer.ONC");
      ways[i](hwnd);
    });
    EXPECT_EQ(result, IDCANCEL);
  }
  EXPECT_EQ(prompts.Asked(), 0);
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
}

TEST_F(MainDialog, F1DoesNothing) {
  const INT_PTR result = Run([&](HWND hwnd) {
    SetDlgItemTextW(hwnd, IDC_SOURCE_EDIT, L"a source");
    for (const HWND target : {hwnd, GetDlgItem(hwnd, IDC_SOURCE_EDIT),
                              GetDlgItem(hwnd, IDC_TYPE_COMBO)}) {
      SetFocus(target);
      PostKey(target, VK_F1);
      PumpMessages(hwnd);
      HELPINFO help{sizeof(help), HELPINFO_WINDOW, GetDlgCtrlID(target), target, 0, {0, 0}};
      SendMessageW(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    }
    PumpMessages(hwnd);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(FindThreadWindow(L"关于 Zembrix"), nullptr);
    EXPECT_EQ(GetWindow(hwnd, GW_ENABLEDPOPUP), nullptr);
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"a source");
    EXPECT_EQ(SelectedPosition(hwnd), 0);
  });
  EXPECT_EQ(result, kLeftOpen);
  EXPECT_EQ(prompts.Asked(), 0);
}

TEST_F(MainDialog, TheSystemMenuOpensTheAboutBoxWhichClosesWithOk) {
  const UiTemplate mainUi = ReadUiTemplate(QtTemplatePath("zembrix_dlg.ui"));
  const UiTemplate aboutUi = ReadUiTemplate(QtTemplatePath("about_dlg.ui"));
  bool aboutShown = false;
  const INT_PTR result = Run([&](HWND hwnd) {
    SetDlgItemTextW(hwnd, IDC_SOURCE_EDIT, L"a source");
    const HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
    wchar_t item[64] = {};
    GetMenuStringW(systemMenu, IDM_ABOUTBOX, item, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(item), mainUi.actionTexts.at("aboutAction"));
    WhenShown([&aboutUi] { return FindThreadWindow(aboutUi.title); },
              [&](HWND about) {
                aboutShown = true;
                ExpectMatchesTemplate(about, aboutUi, kAboutControls);
                EXPECT_EQ(GetWindow(about, GW_OWNER), hwnd);
                EXPECT_FALSE(IsWindowEnabled(hwnd));  // modal
                EXPECT_EQ(WindowText(GetDlgItem(about, IDC_ABOUT_VERSION)),
                          Utf16FromUtf8(AboutVersionText()));
                EXPECT_NE(SendDlgItemMessageW(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0);
                EXPECT_EQ(LOWORD(SendMessageW(about, DM_GETDEFID, 0, 0)), IDOK);
                Click(about, IDOK);
              });
    SendMessageW(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
    EXPECT_EQ(FindThreadWindow(aboutUi.title), nullptr);
    EXPECT_EQ(Field(hwnd, IDC_SOURCE_EDIT), L"a source");
  });
  EXPECT_EQ(result, kLeftOpen);
  EXPECT_EQ(prompts.Asked(), 0);
}

}  // namespace
