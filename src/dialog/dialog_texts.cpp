// The version line of the about box, from the project's version.
#include "dialog/dialog_texts.h"

#include "zembrix_version.h"

std::string AboutVersionText() {
  std::string text = "Zembrix，";
  text += std::to_string(ZEMBRIX_VERSION_MAJOR);
  text += '.';
  text += std::to_string(ZEMBRIX_VERSION_MINOR);
  text += " 版";
  return text;
}
