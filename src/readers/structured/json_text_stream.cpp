// The JSON reader's dialect, turned into strict JSON one buffer at a time.
#include "readers/structured/json_text_stream.h"

#include <sstream>
#include <string_view>
#include <utility>

#include "core/byte_order_mark.h"

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 16;
constexpr std::size_t kOutChunk = std::size_t{1} << 16;
// The old parser's stack limit: a value inside this many arrays and objects
// was refused.
constexpr std::size_t kMaxNesting = 1000;
// Handed on where the old parser failed but RapidJSON would not: no JSON
// value, name or separator starts with it.
constexpr char kNoJson = '\x01';
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

int HexValue(int c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsValueStart(int c) {
  switch (c) {
    case '{': case '[': case '"': case 't': case 'f': case 'n': case '-': case '+':
      return true;
    default:
      return IsDigit(c);
  }
}

bool IsSimpleEscape(int c) {
  switch (c) {
    case '"': case '\\': case '/': case 'b': case 'f': case 'n': case 'r': case 't':
      return true;
    default:
      return false;
  }
}

// Whether the old parser took a number token: digits after an optional '-'
// as an integer, anything else (and integers past 64 bits) as a double that
// the standard stream reads without overflow.
bool NumberAccepted(const std::string& text) {
  std::string_view digits = text;
  if (digits.starts_with('-')) digits.remove_prefix(1);
  bool integer = true;
  for (const char c : digits) integer = integer && IsDigit(c);
  if (integer && digits.size() <= 19) return true;
  std::istringstream stream(text);
  double value = 0;
  return static_cast<bool>(stream >> value);
}

}  // namespace

JsonTextStream::JsonTextStream(platform::SourceFile& file) : file_(file) {
  frames_.push_back(Frame{Phase::RootStart});
  const std::string_view utf8Mark = ByteOrderMarkBytes(TextEncoding::Utf8);
  if (Ahead(utf8Mark.size()) && std::string_view(in_).starts_with(utf8Mark)) {
    inPos_ = utf8Mark.size();
  }
}

std::string JsonTextStream::TakeNumberText() {
  if (numbers_.empty()) return "0";
  std::string text = std::move(numbers_.front());
  numbers_.pop_front();
  return text;
}

bool JsonTextStream::ReadToEnd() {
  in_.resize(kReadChunk);
  while (!inEnded_) {
    const std::optional<std::size_t> count = file_.Read(in_.data(), in_.size());
    if (!count) readFailed_ = true;
    if (!count || *count == 0) inEnded_ = true;
  }
  in_.clear();
  inPos_ = 0;
  return !readFailed_;
}

bool JsonTextStream::Ahead(std::size_t count) {
  while (in_.size() - inPos_ < count && !inEnded_) {
    in_.erase(0, inPos_);
    inBase_ += inPos_;
    inPos_ = 0;
    const std::size_t kept = in_.size();
    in_.resize(kept + kReadChunk);
    const std::optional<std::size_t> read = file_.Read(in_.data() + kept, kReadChunk);
    in_.resize(kept + read.value_or(0));
    if (!read) readFailed_ = true;
    if (!read || *read == 0) inEnded_ = true;
  }
  return in_.size() - inPos_ >= count;
}

int JsonTextStream::ByteAt(std::size_t index) {
  if (!Ahead(index + 1)) return -1;
  return static_cast<unsigned char>(in_[inPos_ + index]);
}

void JsonTextStream::Refill() {
  out_.clear();
  outOffsets_.clear();
  outPos_ = 0;
  while (out_.size() < kOutChunk && mode_ != Mode::Ended) Step();
  if (out_.empty()) Emit('\0', Offset());  // RapidJSON's end of the text
}

void JsonTextStream::Step() {
  switch (mode_) {
    case Mode::Between:
      return StepBetween();
    case Mode::String:
      return StepString();
    case Mode::Number:
      return StepNumber();
    case Mode::LineComment:
      return StepLineComment();
    case Mode::BlockComment:
      return StepBlockComment();
    case Mode::Raw:
      return StepRaw();
    case Mode::Ended:
      return;
  }
}

void JsonTextStream::StepBetween() {
  for (;;) {
    if (inPos_ == in_.size() && !Ahead(1)) return OnToken(-1);
    const char c = in_[inPos_];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      return OnToken(static_cast<unsigned char>(c));
    }
    ++inPos_;
  }
}

void JsonTextStream::OnToken(int c) {
  const Phase phase = frames_.back().phase;
  if (c == '/') return OnComment(phase);
  switch (phase) {
    case Phase::ObjectValueComment:
      if (c == '}') return Close('}');
      if (c < 0) return PassThrough();
      frames_.back().phase = Phase::ObjectComma;
      pendingCommaOffset_ = Offset();
      if (c == ',') {
        ++inPos_;
        return;
      }
      return SkipSeparator(c);
    case Phase::RootStart:
    case Phase::ObjectColon:
    case Phase::ArrayStart:
    case Phase::ArrayStartComment:
    case Phase::ArrayComma:
      if (c == ']' && phase == Phase::ArrayStart) return Close(']');
      if (c == ']' && phase == Phase::ArrayStartComment) {
        return Force(Offset(), "Missing a value after the comment that opens the array.");
      }
      if (!IsValueStart(c)) return PassThrough();
      if (frames_.size() > kMaxNesting) {
        return Force(Offset(), "Values nested more than 1000 deep.");
      }
      return StartValue(c);
    case Phase::ObjectStart:
      if (c == '}') return Close('}');
      if (c == '"') return StartString(Role::Key);
      return PassThrough();
    case Phase::ObjectComma:
      if (c == '}' && frames_.back().lastNameEmpty) return Close('}');
      if (c != '"') return PassThrough();
      EmitPendingComma();
      return StartString(Role::Key);
    case Phase::ObjectKey:
      if (c != ':') return PassThrough();
      Emit(':', Offset());
      ++inPos_;
      frames_.back().phase = Phase::ObjectColon;
      return;
    case Phase::ObjectValue:
      if (c == '}') return Close('}');
      if (c != ',') return PassThrough();
      frames_.back().phase = Phase::ObjectComma;
      pendingCommaOffset_ = Offset();
      ++inPos_;
      return;
    case Phase::ArrayValue:
      if (c == ']') return Close(']');
      if (c != ',') return PassThrough();
      Emit(',', Offset());
      ++inPos_;
      frames_.back().phase = Phase::ArrayComma;
      return;
  }
}

// A comment is skipped, except between a name and its colon; one that is no
// comment ("/x") fails, except where any token serves as a member's comma.
void JsonTextStream::OnComment(Phase phase) {
  if (phase == Phase::ObjectKey) return PassThrough();
  const int next = ByteAt(1);
  if (next != '*' && next != '/') {
    if (phase != Phase::ObjectValueComment) return PassThrough();
    frames_.back().phase = Phase::ObjectComma;
    pendingCommaOffset_ = Offset();
    inPos_ += next < 0 ? 1 : 2;
    return;
  }
  if (phase == Phase::ObjectValue) frames_.back().phase = Phase::ObjectValueComment;
  if (phase == Phase::ArrayStart) frames_.back().phase = Phase::ArrayStartComment;
  inPos_ += 2;
  commentStar_ = false;
  mode_ = next == '*' ? Mode::BlockComment : Mode::LineComment;
}

void JsonTextStream::StartValue(int c) {
  switch (c) {
    case '{':
    case '[':
      Emit(static_cast<char>(c), Offset());
      ++inPos_;
      frames_.push_back(Frame{c == '{' ? Phase::ObjectStart : Phase::ArrayStart});
      return;
    case '"':
      return StartString(Role::Value);
    case 't':
    case 'f':
    case 'n': {
      std::size_t length = 0;
      if (!LiteralAhead(length)) return PassThrough();
      for (std::size_t i = 0; i < length; ++i) Emit(in_[inPos_ + i], Offset() + i);
      inPos_ += length;
      return ValueDone();
    }
    default:
      return StartNumber(Role::Value);
  }
}

// One token of any kind in place of a member's comma, skipped as the old
// tokenizer read it; a literal that does not match is one byte long.
void JsonTextStream::SkipSeparator(int c) {
  switch (c) {
    case '"':
      return StartString(Role::Separator);
    case 't':
    case 'f':
    case 'n': {
      std::size_t length = 0;
      inPos_ += LiteralAhead(length) ? length : 1;
      return;
    }
    default:
      if (IsDigit(c) || c == '-' || c == '+') return StartNumber(Role::Separator);
      ++inPos_;
      return;
  }
}

bool JsonTextStream::LiteralAhead(std::size_t& length) {
  const char first = in_[inPos_];
  const std::string_view literal = first == 't' ? "true" : first == 'f' ? "false" : "null";
  length = literal.size();
  return Ahead(length) && std::string_view(in_).substr(inPos_, length) == literal;
}

void JsonTextStream::Close(char bracket) {
  Emit(bracket, Offset());
  ++inPos_;
  frames_.pop_back();
  ValueDone();
}

void JsonTextStream::ValueDone() {
  Frame& frame = frames_.back();
  switch (frame.phase) {
    case Phase::RootStart:
      mode_ = Mode::Ended;  // what follows the root value is not read
      return;
    case Phase::ObjectColon:
      frame.phase = Phase::ObjectValue;
      return;
    default:
      frame.phase = Phase::ArrayValue;
      return;
  }
}

// The comma before a name, handed on once the name (or what stands in its
// place) comes: a "}" there after a member named "" drops it.
void JsonTextStream::EmitPendingComma() {
  Emit(',', pendingCommaOffset_);
  frames_.back().phase = Phase::ObjectStart;
}

void JsonTextStream::PassThrough() {
  if (!fault_) fault_ = JsonTextFault{Offset(), {}};
  if (frames_.back().phase == Phase::ObjectComma) EmitPendingComma();
  if (afterNumber_) {
    // RapidJSON would read on into its "0": "1.5.5" must not become "0.5".
    const int c = ByteAt(0);
    if (c == '.' || c == 'e' || c == 'E') {
      Emit(kNoJson, Offset());
      mode_ = Mode::Ended;
      return;
    }
  }
  mode_ = Mode::Raw;
}

void JsonTextStream::Force(std::uint64_t offset, std::string words) {
  fault_ = JsonTextFault{offset, std::move(words)};
  Emit(kNoJson, offset);
  mode_ = Mode::Ended;
}

void JsonTextStream::StepRaw() {
  while (out_.size() < kOutChunk) {
    if (inPos_ == in_.size() && !Ahead(1)) {
      Emit('\0', Offset());
      mode_ = Mode::Ended;
      return;
    }
    Emit(in_[inPos_], Offset());
    ++inPos_;
  }
}

void JsonTextStream::StepLineComment() {
  for (;;) {
    if (inPos_ == in_.size() && !Ahead(1)) break;
    const char c = in_[inPos_++];
    if (c == '\n' || c == '\r') break;  // a lone CR ends it too
  }
  mode_ = Mode::Between;
}

void JsonTextStream::StepBlockComment() {
  for (;;) {
    if (inPos_ == in_.size() && !Ahead(1)) return PassThrough();
    const char c = in_[inPos_++];
    if (commentStar_ && c == '/') break;
    commentStar_ = c == '*';
  }
  mode_ = Mode::Between;
}

void JsonTextStream::StartString(Role role) {
  if (role != Role::Separator) Emit('"', Offset());
  ++inPos_;
  role_ = role;
  stringState_ = StringState::Plain;
  stringEmpty_ = true;
  lowHalf_ = false;
  mode_ = Mode::String;
}

void JsonTextStream::EndString() {
  mode_ = Mode::Between;
  if (role_ == Role::Separator) return;
  if (role_ == Role::Value) return ValueDone();
  frames_.back().lastNameEmpty = stringEmpty_;
  frames_.back().phase = Phase::ObjectKey;
}

void JsonTextStream::StepString() {
  if (role_ == Role::Separator) {
    for (;;) {
      if (inPos_ == in_.size() && !Ahead(1)) return PassThrough();
      const char c = in_[inPos_++];
      if (stringState_ == StringState::Escape) {
        stringState_ = StringState::Plain;
      } else if (c == '\\') {
        stringState_ = StringState::Escape;
      } else if (c == '"') {
        return EndString();
      }
    }
  }
  while (out_.size() < kOutChunk) {
    if (inPos_ == in_.size() && !Ahead(1)) return PassThrough();
    const auto c = static_cast<unsigned char>(in_[inPos_]);
    const std::uint64_t offset = Offset();
    switch (stringState_) {
      case StringState::Plain:
        if (c == '"') {
          Emit('"', offset);
          ++inPos_;
          return EndString();
        }
        stringEmpty_ = false;
        if (c == '\\') {
          stringState_ = StringState::Escape;
          Emit('\\', offset);
        } else if (c < 0x20) {
          // Taken as it is, as the old parser did; RapidJSON wants it escaped.
          for (const char shown : {'\\', 'u', '0', '0', kHexDigits[c >> 4], kHexDigits[c & 15]}) {
            Emit(shown, offset);
          }
        } else {
          Emit(static_cast<char>(c), offset);
        }
        ++inPos_;
        break;
      case StringState::Escape:
        if (c == 'u') {
          stringState_ = StringState::Hex;
          hexCount_ = 0;
          hexValue_ = 0;
        } else if (IsSimpleEscape(c)) {
          stringState_ = StringState::Plain;
        } else {
          return PassThrough();
        }
        Emit(static_cast<char>(c), offset);
        ++inPos_;
        break;
      case StringState::Hex: {
        const int digit = HexValue(c);
        if (digit < 0) return PassThrough();
        // The old parser completed a high surrogate with the low ten bits of
        // whatever \u escape followed; RapidJSON wants a low surrogate there.
        char shown = static_cast<char>(c);
        if (lowHalf_ && hexCount_ == 0) shown = 'D';
        if (lowHalf_ && hexCount_ == 1) shown = kHexDigits[0xC | (digit & 3)];
        Emit(shown, offset);
        ++inPos_;
        hexValue_ = hexValue_ * 16 + static_cast<unsigned>(digit);
        if (++hexCount_ < 4) break;
        const bool high = !lowHalf_ && hexValue_ >= 0xD800 && hexValue_ <= 0xDBFF;
        lowHalf_ = false;
        stringState_ = high ? StringState::SurrogateBackslash : StringState::Plain;
        break;
      }
      case StringState::SurrogateBackslash:
      case StringState::SurrogateU: {
        const bool backslash = stringState_ == StringState::SurrogateBackslash;
        if (c != (backslash ? '\\' : 'u')) return PassThrough();
        Emit(static_cast<char>(c), offset);
        ++inPos_;
        if (backslash) {
          stringState_ = StringState::SurrogateU;
        } else {
          stringState_ = StringState::Hex;
          hexCount_ = 0;
          hexValue_ = 0;
          lowHalf_ = true;
        }
        break;
      }
    }
  }
}

void JsonTextStream::StartNumber(Role role) {
  const int first = ByteAt(0);
  if ((first == '-' || first == '+') && ByteAt(1) == 'I') {
    // The old tokenizer's refused infinity: two bytes long.
    if (role != Role::Separator) return PassThrough();
    inPos_ += 2;
    return;
  }
  role_ = role;
  numberOffset_ = Offset();
  numberText_.assign(1, static_cast<char>(first));
  numberState_ = NumberState::Integer;
  ++inPos_;
  mode_ = Mode::Number;
}

// The old tokenizer's number: digits, then '.' and digits, then 'e' or 'E',
// a sign and digits, each part optional and its digits too.
void JsonTextStream::StepNumber() {
  for (;;) {
    const int c = inPos_ < in_.size() || Ahead(1) ? static_cast<unsigned char>(in_[inPos_]) : -1;
    const bool exponent = c == 'e' || c == 'E';
    bool take = IsDigit(c);
    switch (numberState_) {
      case NumberState::Integer:
        if (c == '.') numberState_ = NumberState::Fraction;
        if (exponent) numberState_ = NumberState::ExponentSign;
        take = take || c == '.' || exponent;
        break;
      case NumberState::Fraction:
        if (exponent) numberState_ = NumberState::ExponentSign;
        take = take || exponent;
        break;
      case NumberState::ExponentSign:
        take = take || c == '+' || c == '-';
        numberState_ = NumberState::Exponent;
        break;
      case NumberState::Exponent:
        break;
    }
    if (!take) return EndNumber();
    if (role_ != Role::Separator) numberText_.push_back(static_cast<char>(c));
    ++inPos_;
  }
}

void JsonTextStream::EndNumber() {
  mode_ = Mode::Between;
  if (role_ == Role::Separator) return;
  if (!NumberAccepted(numberText_)) return Force(numberOffset_, "Invalid number.");
  Emit('0', numberOffset_);
  numbers_.push_back(std::move(numberText_));
  numberText_.clear();
  afterNumber_ = true;
  ValueDone();
}
