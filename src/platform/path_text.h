// Paths from command line text and paths as text for messages.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// A path typed on the command line. On Windows the text is UTF-8 (the program
// takes its arguments as wide text and passes them on in UTF-8); elsewhere the
// bytes go to the system as they are, whatever their encoding.
[[nodiscard]] std::filesystem::path PathFromArgument(std::string_view text);

// The path in UTF-8 on Windows, its bytes elsewhere.
[[nodiscard]] std::string PathText(const std::filesystem::path& path);

}  // namespace platform
