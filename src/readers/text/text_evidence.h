// How much of a delimited line list's structure the start of a source shows:
// lines of the field count, a MAC and an IPv4 address in the layout's fields.
#pragma once

#include "core/source_head.h"
#include "core/structure_evidence_scores.h"
#include "platform/code_page.h"
#include "readers/text/delimited_line_reader.h"

[[nodiscard]] int StructureEvidence(const DelimitedLineLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
