// The real prompts: Qt's file and folder dialogs and message boxes.
#pragma once

#include "ui/user_prompts.h"

class QtUserPrompts final : public UserPrompts {
 public:
  std::optional<QString> OpenFile(QWidget* owner, const QStringList& nameFilters) override;
  std::optional<QString> PickFolder(QWidget* owner, const QString& title) override;
  void ShowMessage(QWidget* owner, const QString& caption, const QString& text) override;
};
