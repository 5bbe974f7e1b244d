// Scratch folders under the system's temporary folder.
#include "support/scratch_dir.h"

#include <random>
#include <stdexcept>

ScratchDir::ScratchDir() {
  static std::mt19937_64 names{std::random_device{}()};
  const std::filesystem::path temporary = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = temporary / ("zembrix-test-" + std::to_string(names() % 1000000000));
    std::error_code error;
    if (std::filesystem::create_directory(path_, error)) return;
    if (error) break;
  }
  throw std::runtime_error("cannot make a scratch folder");
}

ScratchDir::~ScratchDir() {
  namespace fs = std::filesystem;
  // What a test made read-only would stay: a read-only folder cannot be
  // emptied, and on Windows a read-only file cannot be deleted. Links are left
  // alone, as they may lead out of the folder.
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (fs::recursive_directory_iterator entry(path_, ignored), end; entry != end;
       entry.increment(ignored)) {
    if (!entry->is_symlink(ignored)) {
      fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, ignored);
}
