// The token-scan reader: name, MAC and IP at fixed distances from a "mac" token.
#include "readers/structured/token_scan_reader.h"

#include <algorithm>
#include <deque>
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
  // Only the tokens from a key's name to its IP are held: the window's first
  // token stands kWindow - 1 tokens before the newest.
  constexpr std::ptrdiff_t kWindow = kIpDistance - kNameDistance + 1;
  std::deque<std::string_view> window;
  std::ptrdiff_t newest = -1;  // the index of the newest token
  const auto at = [&](std::ptrdiff_t index) {
    return window[static_cast<std::size_t>(index - (newest - std::ssize(window) + 1))];
  };
  TokenScanner scanner(*file);
  for (std::string_view token; scanner.Next(token);) {
    window.push_back(token);
    if (std::ssize(window) > kWindow) window.pop_front();
    const std::ptrdiff_t key = ++newest - kIpDistance;  // its tokens are all read now
    if (key < 0 || !IsKeyToken(at(key))) continue;
    if (key + kNameDistance < 0) {
      host.ShowMessage(Message::ReadShunwupanContentFailed);
      return false;
    }
    AppendMachineEntry(output, AnsiToWide(at(key + kMacDistance)), AnsiToWide(at(key + kIpDistance)),
                       AnsiToWide(at(key + kNameDistance)));
  }
  // A key among the last tokens lacks its IP.
  for (std::ptrdiff_t key = std::max<std::ptrdiff_t>(0, newest - kIpDistance + 1); key <= newest;
       ++key) {
    if (IsKeyToken(at(key))) {
      host.ShowMessage(Message::ReadShunwupanContentFailed);
      return false;
    }
  }
  return true;
}
