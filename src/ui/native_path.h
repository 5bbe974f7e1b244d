// Field texts as the file system names them, and back, as Qt's own file dialogs do.
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

[[nodiscard]] inline std::filesystem::path NativePath(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

[[nodiscard]] inline QString PathText(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
