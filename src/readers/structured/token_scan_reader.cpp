// The token-scan reader: name, MAC and IP at fixed distances from a key token.
#include "readers/structured/token_scan_reader.h"

#include <algorithm>
#include <deque>

#include "core/ascii.h"
#include "core/source_bytes.h"
#include "readers/structured/token_scan.h"

ReadOutcome ReadTokenScanSource(const SourceRequest& request, const TokenScanLayout& layout) {
  const WholeSourceFile file = ReadWholeSourceFile(request.source, request.messages);
  if (file.failure) return ReadOutcome::Failed(*file.failure);
  const platform::CodePage& ansi = request.context.ansi();
  const auto isKey = [&](std::string_view token) {
    return EqualsIgnoringAsciiCase(token, layout.keyToken);
  };
  const auto contentFailed = [] { return ReadOutcome::Failed(Message::ReadShunwupanContentFailed); };
  // Only the tokens from a key's name to its IP are held: the window's first
  // token stands window - 1 tokens before the newest.
  const std::ptrdiff_t windowSize = layout.ipDistance - layout.nameDistance + 1;
  std::deque<std::string_view> window;
  std::ptrdiff_t newest = -1;  // the index of the newest token
  const auto at = [&](std::ptrdiff_t index) {
    return window[static_cast<std::size_t>(index - (newest - std::ssize(window) + 1))];
  };
  ReadOutcome outcome;
  TokenScanner scanner(file.bytes, ansi);
  for (std::string_view token; scanner.Next(token);) {
    window.push_back(token);
    if (std::ssize(window) > windowSize) window.pop_front();
    const std::ptrdiff_t key = ++newest - layout.ipDistance;  // its tokens are all read now
    if (key < 0 || !isKey(at(key))) continue;
    if (key + layout.nameDistance < 0) return contentFailed();
    outcome.machines.Add(ansi.Decode(at(key + layout.macDistance)),
                         ansi.Decode(at(key + layout.ipDistance)),
                         ansi.Decode(at(key + layout.nameDistance)));
  }
  // A key among the last tokens lacks its IP.
  for (std::ptrdiff_t key = std::max<std::ptrdiff_t>(0, newest - layout.ipDistance + 1);
       key <= newest; ++key) {
    if (isKey(at(key))) return contentFailed();
  }
  return outcome;
}
