// How much of the structure a type expects the start of a source shows: the
// record size, the root and container elements, the sections' keys, the
// table, the columns where a MAC and an IPv4 address stand. All of it is
// taken from the type's reader settings.
#pragma once

#include "conversion/reader_settings.h"
#include "conversion/source_head.h"
#include "platform/code_page.h"

// How much showed, weakest first. A reader may still read a source that
// shows nothing: ALD's reads every file.
inline constexpr int kNoStructure = 0;
// The outline: a record size, a root element, a header, a line of the field count.
inline constexpr int kOutlineStructure = 1;
// The place machines are kept: a container, a table, the sections' keys.
inline constexpr int kStorageStructure = 2;
// A machine whose values stand where the type reads them.
inline constexpr int kFullStructure = 3;

[[nodiscard]] int StructureEvidence(const ReaderSettings& settings, const SourceHead& head,
                                    const platform::CodePage& ansi);

// The same, one reader family at a time.
[[nodiscard]] int StructureEvidence(const AldLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const SqliteLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const AccessLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const IniLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const DelimitedLineLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const JsonLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const TokenScanLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const InitiatorLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const ComputerCollectionLayout& layout,
                                    const SourceHead& head, const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const ClientConfigLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const AttributeXmlLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
