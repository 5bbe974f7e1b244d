// Splitting a delimited line on its bytes, decoding only the fields kept.
#include "readers/text/delimited_fields.h"

#include <algorithm>

#include "core/value_buffer.h"

namespace {

// Every code unit comes from one to three bytes (three for most UTF-8
// characters, two for a double-byte character): a field's first this-many
// bytes decode to more units than the value buffer keeps, all as in the whole
// field but perhaps the last, so the cut falls where it would on the whole field.
constexpr std::size_t kKeptByteLimit = 4 * kValueBufferLimit;

}  // namespace

DelimitedFields::DelimitedFields(const platform::CodePage& ansi, char16_t delimiter,
                                 const std::array<std::size_t, kKeptCount>& kept)
    : ansi_(ansi), kept_(kept), lastKept_(*std::max_element(kept.begin(), kept.end())) {
  for (unsigned value = 0; value < 256; ++value) {
    const auto byte = static_cast<unsigned char>(value);
    if (byte == 0) {
      kinds_[value] = ByteKind::Nul;
    } else if (ansi.IsLeadByte(byte)) {
      kinds_[value] = ByteKind::Lead;
    } else if (ansi.Decode(std::string(1, static_cast<char>(byte))) ==
               std::u16string(1, delimiter)) {
      kinds_[value] = ByteKind::Delimiter;
    }
  }
  for (std::string& bytes : keptBytes_) bytes.reserve(kKeptByteLimit);
  Clear();
}

void DelimitedFields::Clear() {
  for (std::string& bytes : keptBytes_) bytes.clear();
  delimiters_ = 0;
  fieldStarted_ = false;
  trailDue_ = false;
  textEnded_ = false;
  StartField();
}

void DelimitedFields::StartField() {
  current_ = nullptr;
  if (delimiters_ > lastKept_) return;
  for (std::size_t slot = 0; slot < kKeptCount; ++slot) {
    if (kept_[slot] == delimiters_) {
      current_ = &keptBytes_[slot];
      break;
    }
  }
}

void DelimitedFields::Keep(std::string_view bytes) {
  fieldStarted_ = true;
  if (!current_ || current_->size() >= kKeptByteLimit) return;
  current_->append(bytes.substr(0, kKeptByteLimit - current_->size()));
}

void DelimitedFields::Append(std::string_view bytes) {
  const ByteKind* kinds = kinds_.data();
  const auto kindOf = [&](std::size_t i) { return kinds[static_cast<unsigned char>(bytes[i])]; };
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size && !textEnded_; ++i) {
    if (trailDue_) {
      trailDue_ = false;
      // A lead byte never takes a NUL: it stands alone and the text ends.
      if (bytes[i] == '\0') {
        textEnded_ = true;
      } else {
        Keep(bytes.substr(i, 1));
      }
      continue;
    }
    std::size_t end = i;
    while (end < size && kindOf(end) == ByteKind::Plain) ++end;
    if (end > i) {
      Keep(bytes.substr(i, end - i));
      i = end;
      if (i == size) break;
    }
    switch (kindOf(i)) {
      case ByteKind::Delimiter:
        ++delimiters_;
        fieldStarted_ = false;
        StartField();
        break;
      case ByteKind::Nul:
        textEnded_ = true;
        break;
      case ByteKind::Lead:
        Keep(bytes.substr(i, 1));
        trailDue_ = true;
        break;
      case ByteKind::Plain:
        break;
    }
  }
}

const std::string* DelimitedFields::KeptBytes(std::size_t field) const {
  const auto slot = std::find(kept_.begin(), kept_.end(), field);
  if (slot == kept_.end()) return nullptr;
  return &keptBytes_[static_cast<std::size_t>(slot - kept_.begin())];
}

bool DelimitedFields::Empty(std::size_t field) const {
  const std::string* bytes = KeptBytes(field);
  return !bytes || bytes->empty();
}

std::u16string DelimitedFields::Value(std::size_t field) const {
  const std::string* bytes = KeptBytes(field);
  if (!bytes) return {};
  std::u16string text = ansi_.Decode(*bytes);
  text.resize(CutToValueBuffer(text).size());
  return text;
}
