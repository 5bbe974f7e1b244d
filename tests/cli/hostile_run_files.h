// What the hostile-run tests write and look for, on every system.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

inline constexpr char kEarlierList[] = "[EARLIER]\t\nIPAddr=10.0.0.1\t\nName=OLD\t\n";

inline bool HoldsTemporaryFile(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().u8string().starts_with(u8".zembrix-")) return true;
  }
  return false;
}

// A 绿化大师 list long enough that writing it takes a while.
inline void WriteLargeList(const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary);
  const std::string name(300, 'N');
  for (int i = 0; i < 100000; ++i) {
    out << name << i << " 10." << (i >> 16) << '.' << ((i >> 8) & 255) << '.' << (i & 255)
        << " 00e04c" << i << '\n';
  }
}
