// A type's reader and its settings, as one value: the alternative names the
// reader family, its fields the type's settings.
#pragma once

#include <variant>

#include "core/read_outcome.h"
#include "core/source_request.h"
#include "readers/database/access_reader.h"
#include "readers/database/sqlite_reader.h"
#include "readers/structured/ald_reader.h"
#include "readers/structured/ini_reader.h"
#include "readers/structured/json_reader.h"
#include "readers/structured/token_scan_reader.h"
#include "readers/text/delimited_line_reader.h"
#include "readers/xml/attribute_xml_reader.h"
#include "readers/xml/client_config_reader.h"
#include "readers/xml/computer_collection_reader.h"
#include "readers/xml/initiator_reader.h"

using ReaderSettings =
    std::variant<AldLayout, InitiatorLayout, ComputerCollectionLayout, IniLayout,
                 AttributeXmlLayout, SqliteLayout, ClientConfigLayout, AccessLayout,
                 DelimitedLineLayout, JsonLayout, TokenScanLayout>;

// Every family's header gives ReadSource an overload for its settings.
[[nodiscard]] inline ReadOutcome ReadWithSettings(const SourceRequest& request,
                                                  const ReaderSettings& settings) {
  return std::visit([&](const auto& layout) { return ReadSource(request, layout); }, settings);
}
