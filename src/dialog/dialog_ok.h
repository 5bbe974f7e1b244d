// The dialog's OK button: convert what the three fields hold.
#pragma once

#include <filesystem>

#include "dialog/dialog_window.h"

struct DialogFields {
  int typePosition = -1;  // the type list's selection; -1 for none
  std::filesystem::path source;
  std::filesystem::path output;
};

// Runs the conversion of the selected type with the ANSI code page 936. Every
// outcome is one message box captioned "提示"; after a written file the box
// says "生成成功!" with the report on the line below, and the dialog is closed
// with OK. Without a valid type selection nothing happens.
void OnDialogOk(const DialogFields& fields, DialogWindow& window);
