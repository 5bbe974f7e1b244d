// The JSON reader: one entry per object in "macList", read as RapidJSON hands
// over the document's events, never holding more of it than one value.
#include "readers/structured/json_reader.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <array>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/source_bytes.h"
#include "core/utf8.h"
#include "readers/structured/json_text_stream.h"

namespace {

// No recursion, however deep; nothing read after the root value; numbers as
// text (the stream keeps each number's own text).
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag |
                                 rapidjson::kParseStopWhenDoneFlag |
                                 rapidjson::kParseNumbersAsStringsFlag;

// The old parser's limits on a name and on a string value.
constexpr std::size_t kMaxNameLength = (std::size_t{1} << 30) - 1;
constexpr std::size_t kMaxStringLength = 0x7FFFFFFFu - sizeof(unsigned) - 1;

// RapidJSON's parsing stack, failing as the rest of the program does where
// memory runs out: RapidJSON does not check for a null pointer.
struct ThrowingAllocator {
  void* Malloc(std::size_t size) {
    if (size == 0) return nullptr;
    void* block = std::malloc(size);
    if (!block) throw std::bad_alloc();
    return block;
  }
  void* Realloc(void* block, std::size_t, std::size_t size) {
    if (size == 0) {
      std::free(block);
      return nullptr;
    }
    void* moved = std::realloc(block, size);
    if (!moved) throw std::bad_alloc();
    return moved;
  }
  static void Free(void* block) { std::free(block); }
};

using Parser = rapidjson::GenericReader<rapidjson::UTF8<>, rapidjson::UTF8<>, ThrowingAllocator>;

// A machine object's member as the whole-document reader saw it: the last of
// duplicate names counts; an object or an array makes the element unusable.
struct Member {
  enum class State { Missing, Text, Unusable } state = State::Missing;
  std::string text;
};

// The document's events at the depths that matter: the root object's members
// (depth 1), the list's elements (depth 2) and their members (depth 3).
class MachineCollector : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, MachineCollector> {
 public:
  MachineCollector(const JsonLayout& layout, const platform::CodePage& ansi, JsonTextStream& text)
      : layout_(layout), ansi_(ansi), text_(text) {}

  bool Null() { return Scalar({}); }
  bool Bool(bool value) { return Scalar(value ? "true" : "false"); }
  bool RawNumber(const char*, rapidjson::SizeType, bool) { return Scalar(text_.TakeNumberText()); }
  bool String(const char* text, rapidjson::SizeType length, bool) {
    if (length > kMaxStringLength) return Refuse("A string of 2 GiB or more.");
    return Scalar(std::string_view(text, length));
  }
  bool Key(const char* text, rapidjson::SizeType length, bool) {
    if (length > kMaxNameLength) return Refuse("A member name of 1 GiB or more.");
    const std::string_view name(text, length);
    if (depth_ == 1) listNamed_ = name == layout_.listMember;
    if (depth_ == 3 && inElement_) {
      const std::array<std::string_view, 3> names{layout_.macMember, layout_.ipMember,
                                                  layout_.nameMember};
      for (std::size_t i = 0; i < names.size(); ++i) named_[i] = name == names[i];
    }
    return true;
  }
  bool StartObject() {
    Place(Shape::Object, {});
    ++depth_;
    return true;
  }
  bool EndObject(rapidjson::SizeType) {
    --depth_;
    if (depth_ == 2 && inElement_) {
      inElement_ = false;
      AddElement();
    }
    return true;
  }
  bool StartArray() {
    Place(Shape::Array, {});
    ++depth_;
    return true;
  }
  bool EndArray(rapidjson::SizeType) {
    --depth_;
    if (depth_ == 1) inList_ = false;
    return true;
  }

  [[nodiscard]] bool rootIsObject() const { return rootIsObject_; }
  [[nodiscard]] const std::optional<JsonTextFault>& fault() const { return fault_; }
  [[nodiscard]] ReadOutcome TakeOutcome() { return std::move(outcome_); }

 private:
  enum class Shape { Scalar, Object, Array };

  bool Scalar(std::string_view text) {
    Place(Shape::Scalar, text);
    return true;
  }

  bool Refuse(std::string words) {
    fault_ = JsonTextFault{text_.Tell(), std::move(words)};
    return false;
  }

  // A value starting at the current depth.
  void Place(Shape shape, std::string_view text) {
    switch (depth_) {
      case 0:
        rootIsObject_ = shape == Shape::Object;
        return;
      case 1:
        // A later list replaces an earlier one, as the last duplicate did.
        if (!rootIsObject_ || !listNamed_) return;
        outcome_ = ReadOutcome();
        inList_ = shape == Shape::Array;
        return;
      case 2:
        if (!inList_) return;
        if (shape != Shape::Object) {
          outcome_.skipped.Add(SkipReason::NotAMachine);
          return;
        }
        inElement_ = true;
        for (Member& member : members_) member.state = Member::State::Missing;
        return;
      case 3:
        if (!inElement_) return;
        for (std::size_t i = 0; i < members_.size(); ++i) {
          if (!named_[i]) continue;
          members_[i].state =
              shape == Shape::Scalar ? Member::State::Text : Member::State::Unusable;
          members_[i].text.assign(text);
        }
        return;
      default:
        return;
    }
  }

  void AddElement() {
    for (const Member& member : members_) {
      if (member.state == Member::State::Unusable) {
        outcome_.skipped.Add(SkipReason::NotAMachine);
        return;
      }
    }
    const auto text = [](const Member& member) -> std::string_view {
      if (member.state != Member::State::Text) return {};
      return member.text;
    };
    std::u16string mac = ansi_.Decode(text(members_[0]));
    std::u16string name = Utf8ToWide(text(members_[2]));
    ApplyMachineRules(layout_.rules, mac, name);
    outcome_.machines.Add(mac, ansi_.Decode(text(members_[1])), name);
  }

  const JsonLayout& layout_;
  const platform::CodePage& ansi_;
  JsonTextStream& text_;
  std::size_t depth_ = 0;  // arrays and objects open
  bool rootIsObject_ = false;
  bool listNamed_ = false;  // the root member being read is the list
  bool inList_ = false;
  bool inElement_ = false;
  std::array<bool, 3> named_{};  // which of MAC, IP and name the element member is
  std::array<Member, 3> members_;
  std::optional<JsonTextFault> fault_;
  ReadOutcome outcome_;
};

std::string Detail(const JsonTextFault& fault) {
  return "offset " + std::to_string(fault.offset) + ": " + fault.words;
}

}  // namespace

ReadOutcome ReadJsonSource(const SourceRequest& request, const JsonLayout& layout) {
  std::optional<platform::SourceFile> file = platform::SourceFile::Open(request.source);
  if (!file) return ReadOutcome::Failed(request.messages.openFailed);
  // Refused at the size the whole-file readers refuse.
  const std::optional<std::uint64_t> size = file->Size();
  if (!size || *size > kMaxWholeFileSize) return ReadOutcome::Failed(request.messages.openFailed);

  JsonTextStream text(*file);
  MachineCollector collector(layout, request.context.ansi(), text);
  Parser parser;
  const rapidjson::ParseResult parsed = parser.Parse<kParseFlags>(text, collector);
  // A read that fails anywhere in the file fails the source, as it did when
  // the file was read whole before parsing.
  if (!text.ReadToEnd()) return ReadOutcome::Failed(request.messages.openFailed);

  const std::optional<JsonTextFault>& dialect = text.fault();
  if (parsed.IsError()) {
    JsonTextFault fault{parsed.Offset(), rapidjson::GetParseError_En(parsed.Code())};
    if (parsed.Code() == rapidjson::kParseErrorTermination && collector.fault()) {
      fault = *collector.fault();
    } else if (dialect && !dialect->words.empty() && dialect->offset <= parsed.Offset()) {
      fault = *dialect;
    }
    return ReadOutcome::Failed(Message::SourceFormatInvalid, Detail(fault));
  }
  if (dialect) {
    return ReadOutcome::Failed(Message::SourceFormatInvalid,
                               Detail({dialect->offset, "Unexpected text."}));
  }
  if (!collector.rootIsObject()) {
    return ReadOutcome::Failed(Message::SourceFormatInvalid, "the document is not a JSON object");
  }
  return collector.TakeOutcome();
}
