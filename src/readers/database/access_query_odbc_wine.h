// What the helper needs to know when it runs under Wine, where the only
// Access driver is MDBTools from the Unix side.
#pragma once

#include <optional>
#include <string>

namespace access_odbc {

[[nodiscard]] bool RunningUnderWine();

// The Unix name of a Windows path, in the Unix side's own bytes: the Unix
// driver cannot open Z:\... names. Nothing outside Wine or without a Unix name.
[[nodiscard]] std::optional<std::string> WineUnixFileName(const std::wstring& windowsPath);

}  // namespace access_odbc
