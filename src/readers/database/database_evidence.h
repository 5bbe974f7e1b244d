// How much of a database type's structure the start of a source shows: the
// engine's header, the table the query reads.
#pragma once

#include "core/source_head.h"
#include "core/structure_evidence_scores.h"
#include "platform/code_page.h"
#include "readers/database/access_reader.h"
#include "readers/database/sqlite_reader.h"

[[nodiscard]] int StructureEvidence(const SqliteLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const AccessLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
