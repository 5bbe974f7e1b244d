// What Windows reads from the three programs' resources: the version block
// Explorer's details show, from the project's version, and the manifest that
// runs them as the user, for Windows 7 to 11, long-path aware.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path_text.h"
#include "platform/windows/wide_text.h"
#include "zembrix_version.h"

namespace {

struct Program {
  const char* path;
  std::string_view fileName;
  std::string_view description;
};

const Program kPrograms[] = {
    {ZEMBRIX_GUI_PATH, "zembrix.exe", "无盘机器列表转换"},
    {ZEMBRIX_CLI_PATH, "zembrix-cli.exe", "无盘机器列表转换（命令行）"},
    {ZEMBRIX_ACCESS_QUERY_PATH, "zembrix-access-query.exe", "无盘机器列表转换：读取 Access 数据库"},
};

std::wstring PathOf(const Program& program) {
  return platform::PathFromArgument(program.path).native();
}

class VersionBlock {
 public:
  explicit VersionBlock(const std::wstring& path) {
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0) return;
    bytes_.resize(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, bytes_.data())) bytes_.clear();
  }
  bool Found() const { return !bytes_.empty(); }

  std::optional<VS_FIXEDFILEINFO> Fixed() const {
    const void* value = Query(L"\\");
    if (!value) return std::nullopt;
    return *static_cast<const VS_FIXEDFILEINFO*>(value);
  }
  std::optional<std::pair<WORD, WORD>> Translation() const {
    const WORD* value = static_cast<const WORD*>(Query(L"\\VarFileInfo\\Translation"));
    if (!value) return std::nullopt;
    return std::pair{value[0], value[1]};
  }
  // A string of the Chinese (PRC), UTF-16 table, as UTF-8.
  std::string String(const wchar_t* name) const {
    const void* value = Query(std::wstring(L"\\StringFileInfo\\080404b0\\") + name);
    return value ? platform::Utf8FromWide(static_cast<const wchar_t*>(value)) : "(none)";
  }

 private:
  const void* Query(const std::wstring& path) const {
    void* value = nullptr;
    UINT length = 0;
    return ::VerQueryValueW(bytes_.data(), path.c_str(), &value, &length) && length > 0 ? value
                                                                                       : nullptr;
  }
  std::vector<char> bytes_;
};

constexpr DWORD kVersionHigh = MAKELONG(ZEMBRIX_VERSION_MINOR, ZEMBRIX_VERSION_MAJOR);
constexpr DWORD kVersionLow = MAKELONG(0, ZEMBRIX_VERSION_PATCH);

TEST(ProgramResources, EveryProgramCarriesTheProjectsVersion) {
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.fileName);
    const VersionBlock block(PathOf(program));
    ASSERT_TRUE(block.Found()) << "error " << ::GetLastError();
    const std::optional<VS_FIXEDFILEINFO> fixed = block.Fixed();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, kVersionHigh);
    EXPECT_EQ(fixed->dwFileVersionLS, kVersionLow);
    EXPECT_EQ(fixed->dwProductVersionMS, kVersionHigh);
    EXPECT_EQ(fixed->dwProductVersionLS, kVersionLow);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(block.Translation(), (std::pair<WORD, WORD>{0x0804, 1200}));
    EXPECT_EQ(block.String(L"FileVersion"), ZEMBRIX_VERSION);
    EXPECT_EQ(block.String(L"ProductVersion"), ZEMBRIX_VERSION);
    EXPECT_EQ(block.String(L"ProductName"), "Zembrix");
    EXPECT_EQ(block.String(L"OriginalFilename"), program.fileName);
    EXPECT_EQ(block.String(L"InternalName"),
              program.fileName.substr(0, program.fileName.size() - 4));
    EXPECT_EQ(block.String(L"FileDescription"), program.description);
  }
}

// The manifest as the loader reads it: resource 1 of type RT_MANIFEST.
std::string ManifestOf(const std::wstring& path) {
  const HMODULE module =
      ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  if (const HRSRC found = ::FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)) {
    if (const HGLOBAL loaded = ::LoadResource(module, found)) {
      text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, found));
    }
  }
  ::FreeLibrary(module);
  return text;
}

TEST(ProgramResources, EveryProgramHasAManifestThatDeclaresLongPaths) {
  const std::string_view declarations[] = {
      R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
      R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)",  // 7
      R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)",  // 10, 11
      R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>)",
  };
  for (const Program& program : kPrograms) {
    SCOPED_TRACE(program.fileName);
    const std::string manifest = ManifestOf(PathOf(program));
    ASSERT_FALSE(manifest.empty()) << "no manifest resource";
    for (const std::string_view declaration : declarations) {
      EXPECT_NE(manifest.find(declaration), std::string::npos) << declaration;
    }
  }
}

}  // namespace
