// A Windows command line, quoted so that the C runtime reads back each argument.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// The program and the arguments (UTF-8) as one wide command line.
[[nodiscard]] std::wstring CommandLine(const std::filesystem::path& program,
                                       const std::vector<std::string>& arguments);

}  // namespace platform
