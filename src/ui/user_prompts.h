// The modal questions the main dialog asks the user: a seam tests can answer.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // An open-file dialog offering the name filters, the first one selected.
  // The chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<QString> OpenFile(QWidget* owner, const QStringList& nameFilters) = 0;

  // A folder dialog for local folders only. The folder's path, or nothing when
  // the user cancelled or picked something that is not a local folder.
  virtual std::optional<QString> PickFolder(QWidget* owner, const QString& title) = 0;

  // A message box with one OK button; returns once the user has dismissed it.
  virtual void ShowMessage(QWidget* owner, const QString& caption, const QString& text) = 0;
};
