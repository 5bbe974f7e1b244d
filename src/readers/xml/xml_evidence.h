// How much of an XML type's structure the start of a source shows: its root,
// its container, its first machines.
#pragma once

#include "core/source_head.h"
#include "core/structure_evidence_scores.h"
#include "platform/code_page.h"
#include "readers/xml/attribute_xml_reader.h"
#include "readers/xml/client_config_reader.h"
#include "readers/xml/computer_collection_reader.h"
#include "readers/xml/initiator_reader.h"

[[nodiscard]] int StructureEvidence(const InitiatorLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const ComputerCollectionLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const ClientConfigLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
[[nodiscard]] int StructureEvidence(const AttributeXmlLayout& layout, const SourceHead& head,
                                    const platform::CodePage& ansi);
