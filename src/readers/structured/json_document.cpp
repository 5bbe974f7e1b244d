// JsonCpp's CharReader set up like the classic Reader's defaults.
#include "readers/structured/json_document.h"

#include <json/reader.h>
#include <json/value.h>

#include <memory>

bool ParseJsonDocument(std::string_view text, Json::Value& root, std::string& errors) {
  Json::CharReaderBuilder builder;
  builder["collectComments"] = false;
  builder["allowComments"] = true;
  builder["allowTrailingCommas"] = false;
  builder["strictRoot"] = false;
  builder["allowDroppedNullPlaceholders"] = false;
  builder["allowNumericKeys"] = false;
  builder["allowSingleQuotes"] = false;
  builder["failIfExtra"] = false;
  builder["rejectDupKeys"] = false;
  builder["allowSpecialFloats"] = false;
  builder["skipBom"] = false;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  try {
    return reader->parse(text.data(), text.data() + text.size(), &root, &errors);
  } catch (const Json::Exception& error) {
    errors = error.what();  // nesting deeper than the parser's stack limit
    return false;
  }
}
