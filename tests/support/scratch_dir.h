// A fresh folder per test, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The name is UTF-8 text on every system.
  std::filesystem::path operator/(const std::string& name) const {
    return path_ / std::u8string(name.begin(), name.end());
  }

 private:
  std::filesystem::path path_;
};
