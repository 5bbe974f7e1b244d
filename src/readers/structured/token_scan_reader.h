// 顺无盘's *.clt client list, read by token positions around each "mac" (type 20).
#pragma once

#include <cstddef>
#include <string_view>

#include "core/read_outcome.h"
#include "core/source_request.h"

// Distances from the key token, as in: PC01 mac : 00E04C123ABC ip : 192.168.0.21
struct TokenScanLayout {
  static constexpr std::string_view kFamily = "token_scan";

  std::string_view keyToken;  // matched with A to Z folded
  std::ptrdiff_t nameDistance;
  std::ptrdiff_t macDistance;
  std::ptrdiff_t ipDistance;  // the farthest after the key
};

[[nodiscard]] ReadOutcome ReadTokenScanSource(const SourceRequest& request,
                                              const TokenScanLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const TokenScanLayout& layout) {
  return ReadTokenScanSource(request, layout);
}
