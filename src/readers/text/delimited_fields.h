// The fields of one delimited line, gathered from its bytes piece by piece in
// constant memory: how many fields the line has, and the values of the few
// fields a machine takes, each cut to the value buffer.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/ansi_decoder.h"
#include "core/value_buffer.h"
#include "platform/code_page.h"

// The result is the one of decoding the whole line and splitting its text at
// the delimiter, where every delimiter ends a field and what follows the last
// one is a field only if it is not empty. So the delimiter counts only where
// a character starts (a trail byte equal to it belongs to its character), and
// a NUL ends the line's text. The delimiter is an ASCII character other than
// "?", which a double-byte character without a mapping decodes to.
class DelimitedFields {
 public:
  static constexpr std::size_t kKeptCount = 3;

  // kept: the indexes of the fields whose values are wanted.
  DelimitedFields(const platform::CodePage& ansi, char16_t delimiter,
                  const std::array<std::size_t, kKeptCount>& kept);
  DelimitedFields(const DelimitedFields&) = delete;
  DelimitedFields& operator=(const DelimitedFields&) = delete;

  // More bytes of the line.
  void Append(std::string_view bytes);

  // Once the line's bytes are all appended: how many fields it has.
  [[nodiscard]] std::size_t Count() const {
    return delimiters_ + (fieldStarted_ ? 1 : 0);
  }
  // Whether a kept field's text is empty (or the line has no such field).
  [[nodiscard]] bool Empty(std::size_t field) const;
  // A kept field's text, cut to the value buffer (259 units) without splitting
  // a surrogate pair; empty when the line has no such field.
  [[nodiscard]] std::u16string Value(std::size_t field) const;
  // The same into `value`, whose room is reused.
  void Value(std::size_t field, std::u16string& value) const;

  // Ready for the next line.
  void Clear();

 private:
  enum class ByteKind : unsigned char { Plain, Delimiter, Nul, Lead };

  // Every code unit comes from one to three bytes (three for most UTF-8
  // characters, two for a double-byte character): a field's first this-many
  // bytes decode to more units than the value buffer keeps, all as in the
  // whole field but perhaps the last, so the cut falls where it would on the
  // whole field.
  static constexpr std::size_t kKeptByteLimit = 4 * kValueBufferLimit;
  struct KeptField {
    std::array<char, kKeptByteLimit> bytes;
    std::size_t size = 0;
  };

  void Keep(std::string_view bytes);
  void StartField();
  // Nothing when the field is not kept.
  [[nodiscard]] std::optional<std::string_view> KeptBytes(std::size_t field) const;

  AnsiDecoder decoder_;
  std::array<ByteKind, 256> kinds_{};
  std::array<std::size_t, kKeptCount> kept_;
  std::size_t lastKept_;  // fields after it are only counted
  std::array<KeptField, kKeptCount> keptFields_{};  // the first bytes of each kept field
  KeptField* current_ = nullptr;                    // where the current field's bytes go, if kept
  std::size_t delimiters_ = 0;
  bool fieldStarted_ = false;  // the current field has a byte
  bool trailDue_ = false;      // the last byte was a lead byte: the next one is its trail
  bool textEnded_ = false;     // a NUL ended the line's text
};
