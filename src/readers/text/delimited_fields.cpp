// Splitting a delimited line on its bytes, decoding only the fields kept.
#include "readers/text/delimited_fields.h"

#include <algorithm>
#include <cstring>

DelimitedFields::DelimitedFields(const platform::CodePage& ansi, char16_t delimiter,
                                 const std::array<std::size_t, kKeptCount>& kept)
    : decoder_(ansi), kept_(kept), lastKept_(*std::max_element(kept.begin(), kept.end())) {
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
  Clear();
}

void DelimitedFields::Clear() {
  for (KeptField& field : keptFields_) field.size = 0;
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
      current_ = &keptFields_[slot];
      break;
    }
  }
}

void DelimitedFields::Keep(std::string_view bytes) {
  fieldStarted_ = true;
  if (!current_) return;
  const std::size_t count = std::min(bytes.size(), kKeptByteLimit - current_->size);
  std::memcpy(current_->bytes.data() + current_->size, bytes.data(), count);
  current_->size += count;
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

std::optional<std::string_view> DelimitedFields::KeptBytes(std::size_t field) const {
  for (std::size_t slot = 0; slot < kKeptCount; ++slot) {
    if (kept_[slot] != field) continue;
    const KeptField& kept = keptFields_[slot];
    return std::string_view(kept.bytes.data(), kept.size);
  }
  return std::nullopt;
}

bool DelimitedFields::Empty(std::size_t field) const {
  const std::optional<std::string_view> bytes = KeptBytes(field);
  return !bytes || bytes->empty();
}

std::u16string DelimitedFields::Value(std::size_t field) const {
  std::u16string value;
  Value(field, value);
  return value;
}

void DelimitedFields::Value(std::size_t field, std::u16string& value) const {
  const std::optional<std::string_view> bytes = KeptBytes(field);
  if (!bytes) {
    value.clear();
    return;
  }
  decoder_.Decode(*bytes, value);
  value.resize(CutToValueBuffer(value).size());
}
