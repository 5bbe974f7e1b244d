// Prompts a test answers in advance, remembering what the dialog asked.
#pragma once

#include <QWidget>
#include <deque>

#include "ui/user_prompts.h"

struct ShownMessage {
  QWidget* owner = nullptr;
  QString caption;
  QString text;
};

class ScriptedPrompts final : public UserPrompts {
 public:
  std::optional<QString> OpenFile(QWidget* owner, const QStringList& nameFilters) override {
    fileOwners.push_back(owner);
    offeredFilters.push_back(nameFilters);
    return Next(fileAnswers);
  }
  std::optional<QString> PickFolder(QWidget* owner, const QString& title) override {
    folderOwners.push_back(owner);
    folderTitles.push_back(title);
    return Next(folderAnswers);
  }
  void ShowMessage(QWidget* owner, const QString& caption, const QString& text) override {
    messages.push_back({owner, caption, text});
  }

  int Asked() const {
    return static_cast<int>(offeredFilters.size() + folderTitles.size() + messages.size());
  }

  // Answers in order; nothing left means the user cancels.
  std::deque<std::optional<QString>> fileAnswers;
  std::deque<std::optional<QString>> folderAnswers;

  std::vector<QWidget*> fileOwners;
  std::vector<QStringList> offeredFilters;
  std::vector<QWidget*> folderOwners;
  std::vector<QString> folderTitles;
  std::vector<ShownMessage> messages;

 private:
  static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};
