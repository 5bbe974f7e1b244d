// Prompts a test answers in advance, remembering what the dialog asked.
#pragma once

#include <deque>
#include <functional>

#include "ui/win32/user_prompts.h"

struct ShownMessage {
  HWND owner = nullptr;
  std::wstring caption;
  std::wstring text;
};

class ScriptedUserPrompts final : public Win32UserPrompts {
 public:
  std::optional<std::wstring> OpenFile(HWND owner,
                                       const std::vector<FileTypeFilter>& filters) override {
    fileOwners.push_back(owner);
    offeredFilters.push_back(filters);
    return Next(fileAnswers);
  }
  std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title) override {
    folderOwners.push_back(owner);
    folderTitles.push_back(title);
    return Next(folderAnswers);
  }
  void ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text) override {
    messages.push_back({owner, caption, text});
    if (onMessage) onMessage(messages.back());
  }

  int Asked() const {
    return static_cast<int>(offeredFilters.size() + folderTitles.size() + messages.size());
  }

  // Answers in order; nothing left means the user cancels.
  std::deque<std::optional<std::wstring>> fileAnswers;
  std::deque<std::optional<std::wstring>> folderAnswers;
  // Run for each message once it is remembered, to show a real box, say.
  std::function<void(ShownMessage)> onMessage;

  std::vector<HWND> fileOwners;
  std::vector<std::vector<FileTypeFilter>> offeredFilters;
  std::vector<HWND> folderOwners;
  std::vector<std::wstring> folderTitles;
  std::vector<ShownMessage> messages;

 private:
  static std::optional<std::wstring> Next(std::deque<std::optional<std::wstring>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::wstring> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};
