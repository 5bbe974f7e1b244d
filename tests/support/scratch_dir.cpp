// Scratch folders under the system's temporary folder.
#include "support/scratch_dir.h"

#include <cstdlib>
#include <stdexcept>

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zembrix-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}
