// Parsing a JSON document the way JsonCpp's classic Reader does by default.
#pragma once

#include <json/value.h>

#include <string>
#include <string_view>

// Comments allowed, any value as the root, no trailing commas, text after the
// root value ignored. Gives false and the parser's words in `errors` when the
// text is no JSON. Offsets in the values count from the start of `text`.
[[nodiscard]] bool ParseJsonDocument(std::string_view text, Json::Value& root, std::string& errors);
