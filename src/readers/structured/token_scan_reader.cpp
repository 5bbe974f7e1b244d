// The token-scan reader: name, MAC and IP at fixed distances from a "mac" token.
#include "readers/structured/token_scan_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/code_page.h"
#include "core/machine_list_file.h"
#include "core/source_file.h"
#include "readers/structured/token_scan.h"

namespace {

constexpr WholeFileMessages kShunwupanFileMessages{
    Message::OpenShunwupanFailed, Message::ShunwupanSizeFailed, Message::ReadShunwupanFailed};

constexpr std::string_view kKeyToken = "mac";

// Distances from the key token, as in: PC01 mac : 00E04C123ABC ip : 192.168.0.21
constexpr std::ptrdiff_t kNameDistance = -1;
constexpr std::ptrdiff_t kMacDistance = 2;
constexpr std::ptrdiff_t kIpDistance = 5;

bool IsKeyToken(std::string_view token) {
  return std::equal(token.begin(), token.end(), kKeyToken.begin(), kKeyToken.end(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

}  // namespace

bool ReadTokenScanSource(DisklessType, const std::u16string& sourcePath, std::u16string& output,
                         ConversionHost& host) {
  const std::optional<std::string> file =
      ReadWholeSourceFile(sourcePath, kShunwupanFileMessages, host);
  if (!file) return false;
  const std::vector<std::string_view> tokens = ScanTokens(*file);
  const auto count = static_cast<std::ptrdiff_t>(tokens.size());
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (!IsKeyToken(tokens[i])) continue;
    if (i + kNameDistance < 0 || i + kIpDistance >= count) {
      host.ShowMessage(Message::ReadShunwupanContentFailed);
      return false;
    }
    AppendMachineEntry(output, AnsiToWide(tokens[i + kMacDistance]),
                       AnsiToWide(tokens[i + kIpDistance]), AnsiToWide(tokens[i + kNameDistance]));
  }
  return true;
}
