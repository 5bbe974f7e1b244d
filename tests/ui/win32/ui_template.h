// The Qt dialog templates (src/ui/*.ui), whose sizes are dialog units: what the
// Win32 templates must match.
#pragma once

#include <filesystem>
#include <map>
#include <string>

struct TemplateRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct TemplateWidget {
  TemplateRect rect;
  std::wstring text;  // empty when the template sets none
};

struct UiTemplate {
  std::wstring title;
  TemplateRect rect;                               // the dialog's own
  std::map<std::string, TemplateWidget> widgets;   // by object name
  std::map<std::string, std::wstring> actionTexts; // by object name
};

// Throws std::runtime_error when the file cannot be read.
[[nodiscard]] UiTemplate ReadUiTemplate(const std::filesystem::path& file);

[[nodiscard]] std::filesystem::path QtTemplatePath(const char* fileName);
