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
    EXPECT_EQ(LOWORD(SendMessageW(hwnd, DM_GETDEFID, 0, 0)), IDOK);
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
  EXPECT_EQ(prompts.messages[0].text, L"生成成功!");
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
  EXPECT_EQ(prompts.messages[0].text, Text(Message::Success));
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
    EXPECT_EQ(prompts.messages[0].text, Text(Message::Success));
    EXPECT_TRUE(fs::exists(out / "computer.ONC"));
  }
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
