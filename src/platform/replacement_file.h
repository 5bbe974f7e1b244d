// Writing a file beside its target and putting it in the target's place in one step.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace platform {

class ReplacementFile {
 public:
  // A temporary file in the target's folder (a symbolic link at the target is
  // followed, as opening it would be). Nothing when the target is no place a
  // file can be written: a folder, a file we may not write, a missing folder.
  [[nodiscard]] static std::optional<ReplacementFile> Create(const std::filesystem::path& target);

  ReplacementFile(ReplacementFile&&) noexcept;
  ReplacementFile& operator=(ReplacementFile&&) noexcept;
  // Removes the temporary file unless Commit succeeded.
  ~ReplacementFile();

  // Writes all bytes or gives false.
  [[nodiscard]] bool Write(std::string_view bytes);

  // Flushes the bytes to the disk and replaces the target with them; the
  // earlier file stays whole when this gives false.
  [[nodiscard]] bool Commit();

 private:
  struct State;
  explicit ReplacementFile(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace platform
