// Reading names, geometry and texts out of a .ui file by plain string search:
// its widgets hold no other widgets, and that is all this needs.
#include "ui_template.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "ui/win32/utf16.h"

namespace {

// "<name>" or "</name>".
std::string Tag(std::string_view name, bool closing = false) {
  std::string tag(closing ? "</" : "<");
  tag += name;
  tag += '>';
  return tag;
}

std::string_view Between(std::string_view text, std::string_view open, std::string_view close) {
  const std::size_t start = text.find(open);
  if (start == std::string_view::npos) return {};
  const std::size_t from = start + open.size();
  const std::size_t end = text.find(close, from);
  return end == std::string_view::npos ? std::string_view() : text.substr(from, end - from);
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [entity, character] : {std::pair{"&amp;", '&'}, {"&lt;", '<'},
                                            {"&gt;", '>'}, {"&quot;", '"'}}) {
      if (text.substr(i).starts_with(entity)) {
        out += character;
        i += std::string_view(entity).size() - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i];
  }
  return out;
}

TemplateRect RectOf(std::string_view element) {
  const std::string_view rect = Between(element, "<rect>", "</rect>");
  const auto number = [rect](std::string_view name) {
    return std::stoi(std::string(Between(rect, Tag(name), Tag(name, true))));
  };
  if (rect.empty()) return {};
  return {number("x"), number("y"), number("width"), number("height")};
}

std::wstring PropertyString(std::string_view element, std::string_view property) {
  std::string open = "<property name=\"";
  open += property;
  open += "\">";
  const std::string_view value = Between(element, open, "</property>");
  return Utf16FromUtf8(Unescaped(Between(value, "<string>", "</string>")));
}

// From an opening tag to the next tag that opens or closes a widget or action.
std::string_view ElementAt(std::string_view text, std::size_t start) {
  std::size_t end = text.size();
  for (std::string_view stop : {"<widget ", "</widget>", "<action ", "</action>"}) {
    end = std::min(end, text.find(stop, start + 1));
  }
  return text.substr(start, end - start);
}

}  // namespace

UiTemplate ReadUiTemplate(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();

  UiTemplate result;
  bool first = true;
  for (std::size_t at = text.find("<widget "); at != std::string::npos;
       at = text.find("<widget ", at + 1)) {
    const std::string_view element = ElementAt(text, at);
    if (first) {
      result.title = PropertyString(element, "windowTitle");
      result.rect = RectOf(element);
      first = false;
      continue;
    }
    const std::string name(Between(element, "name=\"", "\""));
    result.widgets[name] = {RectOf(element), PropertyString(element, "text")};
  }
  for (std::size_t at = text.find("<action "); at != std::string::npos;
       at = text.find("<action ", at + 1)) {
    const std::string_view element = ElementAt(text, at);
    result.actionTexts[std::string(Between(element, "name=\"", "\""))] =
        PropertyString(element, "text");
  }
  return result;
}

std::filesystem::path QtTemplatePath(const char* fileName) {
  return std::filesystem::path(ZEMBRIX_SOURCE_DIR) / "src" / "ui" / fileName;
}
