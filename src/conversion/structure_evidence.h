// How much of the structure a type expects the start of a source shows: the
// record size, the root and container elements, the sections' keys, the
// table, the columns where a MAC and an IPv4 address stand. All of it is
// taken from the type's reader settings; each reader family looks for its own.
#pragma once

#include "conversion/reader_settings.h"
#include "core/source_head.h"
#include "core/structure_evidence_scores.h"
#include "platform/code_page.h"
#include "readers/database/database_evidence.h"
#include "readers/structured/structured_evidence.h"
#include "readers/text/text_evidence.h"
#include "readers/xml/xml_evidence.h"

[[nodiscard]] int StructureEvidence(const ReaderSettings& settings, const SourceHead& head,
                                    const platform::CodePage& ansi);
