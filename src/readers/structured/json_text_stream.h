// A JSON source file read through a small buffer and handed to RapidJSON as
// strict JSON, in the dialect the JSON reader has always accepted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/source_file.h"

// Where the text stops being JSON of that dialect. Empty words leave the
// parser's own words for it; the text handed on from there makes it fail.
struct JsonTextFault {
  std::uint64_t offset = 0;
  std::string words;
};

// The dialect: comments (// and /* */) wherever the old parser skipped them,
// but neither between a member's name and its colon nor as the only content of
// an array; numbers as that parser took them (leading zeros, "1.", "+5", a
// lone "-"), handed over as "0" with their own text kept for TakeNumberText;
// control bytes inside strings, taken as they are; a \u escape of a high
// surrogate completed by any \u escape; after a member value and a comment,
// any one token taken as the comma; a trailing comma after a member named "";
// at most 1000 values nested; a UTF-8 byte-order mark skipped; nothing read
// past the end of the root value.
//
// A RapidJSON input stream: Peek, Take and Tell, offsets counted in the file.
class JsonTextStream {
 public:
  using Ch = char;

  explicit JsonTextStream(platform::SourceFile& file);

  Ch Peek() {
    if (outPos_ == out_.size()) Refill();
    return out_[outPos_];
  }
  Ch Take() {
    if (outPos_ == out_.size()) Refill();
    return out_[outPos_++];
  }
  std::size_t Tell() {
    if (outPos_ == out_.size()) Refill();
    return static_cast<std::size_t>(outOffsets_[outPos_]);
  }
  // RapidJSON's writing side, never used when reading.
  Ch* PutBegin() { return nullptr; }
  void Put(Ch) {}
  void Flush() {}
  std::size_t PutEnd(Ch*) { return 0; }

  // The document's own text of the oldest number handed over and not yet taken.
  [[nodiscard]] std::string TakeNumberText();

  [[nodiscard]] const std::optional<JsonTextFault>& fault() const { return fault_; }

  // Reads what is left of the file; false when a read failed, now or before.
  [[nodiscard]] bool ReadToEnd();

 private:
  enum class Mode { Between, String, Number, LineComment, BlockComment, Raw, Ended };
  enum class Role { Key, Value, Separator };
  enum class Phase {
    RootStart,
    ObjectStart,
    ObjectKey,           // a member's name read: its colon comes next
    ObjectColon,         // its value comes next
    ObjectValue,         // a comma or the end comes next
    ObjectValueComment,  // as ObjectValue, after a comment: any token serves as the comma
    ObjectComma,         // a name comes next; the comma is not handed on yet
    ArrayStart,
    ArrayStartComment,   // as ArrayStart, after a comment: the array may no longer end
    ArrayValue,
    ArrayComma,
  };
  enum class StringState { Plain, Escape, Hex, SurrogateBackslash, SurrogateU };
  enum class NumberState { Integer, Fraction, ExponentSign, Exponent };

  struct Frame {
    Phase phase;
    bool lastNameEmpty = false;
  };

  void Refill();
  void Step();
  void StepBetween();
  void StepString();
  void StepNumber();
  void StepLineComment();
  void StepBlockComment();
  void StepRaw();

  void OnToken(int c);
  void OnComment(Phase phase);
  void StartValue(int c);
  void SkipSeparator(int c);
  void StartString(Role role);
  void EndString();
  void StartNumber(Role role);
  void EndNumber();
  bool LiteralAhead(std::size_t& length);
  void Close(char bracket);
  void ValueDone();
  void EmitPendingComma();
  void PassThrough();
  void Force(std::uint64_t offset, std::string words);

  // The source: bytes from inPos_ on, refilled from the file on demand.
  bool Ahead(std::size_t count);
  int ByteAt(std::size_t index);  // -1 past the end
  [[nodiscard]] std::uint64_t Offset() const { return inBase_ + inPos_; }
  void Emit(char c, std::uint64_t offset) {
    out_.push_back(c);
    outOffsets_.push_back(offset);
    afterNumber_ = false;
  }

  platform::SourceFile& file_;
  std::string in_;
  std::size_t inPos_ = 0;
  std::uint64_t inBase_ = 0;  // the file offset of in_[0]
  bool inEnded_ = false;
  bool readFailed_ = false;

  std::string out_;
  std::vector<std::uint64_t> outOffsets_;
  std::size_t outPos_ = 0;

  Mode mode_ = Mode::Between;
  std::vector<Frame> frames_;
  std::uint64_t pendingCommaOffset_ = 0;
  bool afterNumber_ = false;  // the last thing handed on was a number's "0"

  Role role_ = Role::Value;
  StringState stringState_ = StringState::Plain;
  bool stringEmpty_ = true;
  bool lowHalf_ = false;  // the \u escape being read completes a surrogate pair
  int hexCount_ = 0;
  unsigned hexValue_ = 0;

  NumberState numberState_ = NumberState::Integer;
  std::uint64_t numberOffset_ = 0;
  std::string numberText_;
  std::deque<std::string> numbers_;

  bool commentStar_ = false;
  std::optional<JsonTextFault> fault_;
};
