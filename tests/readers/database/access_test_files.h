// Shared by the Access tests: the real Access files and a scratch copy of them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Files Access itself wrote (see their README); read-only, so tests use copies.
inline std::filesystem::path RealAccessFile(const std::string& name) {
  return std::filesystem::path(ZEMBRIX_ACCESS_TESTDATA) / name;
}

// Copies a real Access file into dir, or skips the test when they are not here.
#define COPY_REAL_ACCESS_FILE_OR_SKIP(dir, name, copy)                         \
  const std::filesystem::path copy = (dir) / (name);                           \
  if (!std::filesystem::exists(RealAccessFile(name))) {                        \
    GTEST_SKIP() << "real Access files not found in " ZEMBRIX_ACCESS_TESTDATA; \
  }                                                                            \
  std::filesystem::copy_file(RealAccessFile(name), copy);                      \
  std::filesystem::permissions(copy, std::filesystem::perms::owner_write,      \
                               std::filesystem::perm_options::add)
