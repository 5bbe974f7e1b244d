// The output path built from a picked folder.
#include "dialog/output_path.h"

namespace {

using Char = std::filesystem::path::value_type;

bool IsSeparator(Char c) {
  return c == Char('/') || c == std::filesystem::path::preferred_separator;
}

}  // namespace

std::filesystem::path MachineListPathInFolder(const std::filesystem::path& folder) {
  // Built on the native text: path's own "/" would drop an empty folder and,
  // on Windows, treat "C:" as a drive-relative name.
  std::filesystem::path::string_type text = folder.native();
  if (text.empty() || !IsSeparator(text.back())) text += std::filesystem::path::preferred_separator;
  text += std::filesystem::path("computer.ONC").native();
  return std::filesystem::path(std::move(text));
}
