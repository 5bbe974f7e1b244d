// Texts the dialogs build or share beyond their templates (UTF-8).
#pragma once

#include <string>
#include <string_view>

// The title of the folder dialog behind the output field's browse button.
inline constexpr std::string_view kFolderDialogTitle = "请选择文件夹：";

// The about box's version line: "Zembrix，<major>.<minor> 版".
[[nodiscard]] std::string AboutVersionText();
