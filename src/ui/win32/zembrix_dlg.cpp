// The main dialog: its start state, the two browse buttons, a dropped file,
// the type it selects for a chosen source, and the OK handler.
#include "ui/win32/zembrix_dlg.h"

#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog_ok.h"
#include "dialog/dialog_texts.h"
#include "dialog/output_path.h"
#include "dialog/source_chosen.h"
#include "dialog/type_list.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/dropped_file.h"
#include "ui/win32/resource.h"
#include "ui/win32/utf16.h"
#include "ui/win32/win32_dialog_window.h"

namespace {

// Not in every SDK's headers: the message that carries a drag's data across processes.
constexpr UINT kCopyGlobalData = 0x0049;

std::wstring ResourceString(HINSTANCE instance, UINT id) {
  // With no buffer, LoadStringW points at the resource's own text, which has no terminator.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

CZembrixDlg::CZembrixDlg(HINSTANCE instance, Win32UserPrompts& prompts)
    : instance_(instance),
      prompts_(prompts),
      bigIcon_(LoadProgramIcon(instance, GetSystemMetrics(SM_CXICON))),
      smallIcon_(LoadProgramIcon(instance, GetSystemMetrics(SM_CXSMICON))) {}

INT_PTR CZembrixDlg::DoModal(HWND owner) {
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ZEMBRIX_DIALOG), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CZembrixDlg::Create(HWND owner) {
  return CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_ZEMBRIX_DIALOG), owner, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CZembrixDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<CZembrixDlg*>(lParam)->hwnd_ = hwnd;
  }
  auto* dialog = reinterpret_cast<CZembrixDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!dialog) return FALSE;
  const INT_PTR result = dialog->OnMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    dialog->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR CZembrixDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_HELP:
      return TRUE;  // F1: the program has no help to show
    default:
      return FALSE;
  }
}

BOOL CZembrixDlg::OnInitDialog() {
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  if (HMENU systemMenu = GetSystemMenu(hwnd_, FALSE)) {
    const std::wstring about = ResourceString(instance_, IDS_ABOUTBOX);
    if (!about.empty()) {
      AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  // Position i in the list is type i.
  const HWND typeList = GetDlgItem(hwnd_, IDC_TYPE_COMBO);
  for (const std::string_view name : TypeListNames()) {
    SendMessageW(typeList, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Utf16FromUtf8(name).c_str()));
  }
  SendMessageW(typeList, CB_SETCURSEL, 0, 0);
  // The fields do not take files, so a file dropped on one comes to the dialog.
  DragAcceptFiles(hwnd_, TRUE);
  // Run as administrator, the dialog would otherwise never see a drag from Explorer.
  for (const UINT allowed : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, kCopyGlobalData}) {
    ChangeWindowMessageFilterEx(hwnd_, allowed, MSGFLT_ALLOW, nullptr);
  }
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, IDOK)), TRUE);
  return FALSE;  // the focus is set
}

BOOL CZembrixDlg::OnSysCommand(WPARAM command) {
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
  ShowAboutBox(instance_, hwnd_);
  return TRUE;
}

BOOL CZembrixDlg::OnCommand(WORD id, WORD code) {
  switch (id) {
    case IDOK:
      OnClickedOk();
      return TRUE;
    case IDCANCEL:
      EndDialog(hwnd_, IDCANCEL);
      return TRUE;
    case IDC_SOURCE_BROWSE:
      if (code == BN_CLICKED) OnClickedBrowseSource();
      return TRUE;
    case IDC_OUTPUT_BROWSE:
      if (code == BN_CLICKED) OnClickedBrowseFolder();
      return TRUE;
    case IDC_SOURCE_EDIT:
      if (code != EN_KILLFOCUS) return FALSE;
      OnSourceFieldLeft();
      return TRUE;
    default:
      return FALSE;
  }
}

void CZembrixDlg::OnClickedOk() {
  struct Converting {
    explicit Converting(bool& flag) : flag_(flag) { flag_ = true; }
    ~Converting() { flag_ = false; }
    bool& flag_;
  } converting(converting_);
  Win32DialogWindow window(hwnd_, prompts_);
  OnDialogOk({TypePosition(), FieldPath(IDC_SOURCE_EDIT), FieldPath(IDC_OUTPUT_EDIT)}, window);
}

void CZembrixDlg::OnClickedBrowseSource() {
  const int position = TypePosition();
  if (!TypeAtPosition(position)) return;
  if (const auto file = prompts_.OpenFile(hwnd_, FileTypeFiltersOf(BrowseFilterAt(position)))) {
    SetDlgItemTextW(hwnd_, IDC_SOURCE_EDIT, file->c_str());
    OnSourceChosen();
  }
}

void CZembrixDlg::OnDropFiles(HDROP drop) {
  const std::optional<std::wstring> file = TheOneDroppedFile(drop);
  DragFinish(drop);
  if (!file) return;
  SetDlgItemTextW(hwnd_, IDC_SOURCE_EDIT, file->c_str());
  OnSourceChosen();
}

void CZembrixDlg::OnSourceFieldLeft() {
  // Enter converts at once: the message box it shows, and the dialog closing
  // after it, take the focus from the field without the user leaving it.
  if (converting_ || !IsWindowVisible(hwnd_)) return;
  if (WindowText(GetDlgItem(hwnd_, IDC_SOURCE_EDIT)) == lookedAtSource_) return;
  OnSourceChosen();
}

void CZembrixDlg::OnSourceChosen() {
  lookedAtSource_ = WindowText(GetDlgItem(hwnd_, IDC_SOURCE_EDIT));
  const SourceChoice choice =
      ::OnSourceChosen(TypePosition(), std::filesystem::path(lookedAtSource_));
  SendDlgItemMessageW(hwnd_, IDC_TYPE_COMBO, CB_SETCURSEL, choice.typePosition, 0);
  SetDlgItemTextW(hwnd_, IDC_RECOGNIZED, Utf16FromUtf8(choice.line).c_str());
}

void CZembrixDlg::OnClickedBrowseFolder() {
  if (const auto folder = prompts_.PickFolder(hwnd_, Utf16FromUtf8(kFolderDialogTitle))) {
    const std::filesystem::path output = MachineListPathInFolder(std::filesystem::path(*folder));
    SetDlgItemTextW(hwnd_, IDC_OUTPUT_EDIT, output.c_str());
  }
}

int CZembrixDlg::TypePosition() const {
  // CB_ERR (-1) when nothing is selected.
  return static_cast<int>(SendDlgItemMessageW(hwnd_, IDC_TYPE_COMBO, CB_GETCURSEL, 0, 0));
}

std::filesystem::path CZembrixDlg::FieldPath(int id) const {
  return std::filesystem::path(WindowText(GetDlgItem(hwnd_, id)));
}
