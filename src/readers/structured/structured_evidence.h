// How much of the structure of ALD's records, profile sections, JSON and
// 顺无盘's tokens the start of a source shows.
#pragma once

#include "core/source_head.h"
#include "core/structure_evidence_scores.h"
#include "platform/code_page.h"
#include "readers/structured/ald_reader.h"
#include "readers/structured/ini_reader.h"
#include "readers/structured/json_reader.h"
#include "readers/structured/token_scan_reader.h"

[[nodiscard]] int StructureEvidence(const AldLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const IniLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const JsonLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const TokenScanLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
