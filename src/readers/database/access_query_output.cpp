// Gathering rows, the end mark or a failure into pieces for the parent.
#include "readers/database/access_query_output.h"

#include <cstdlib>
#include <utility>

AccessQueryOutput::AccessQueryOutput(Sink sink, std::size_t pieceSize)
    : sink_(std::move(sink)), pieceSize_(pieceSize) {}

bool AccessQueryOutput::Row(const AccessRow& row) {
  AppendAccessRow(pending_, row);
  return pending_.size() < pieceSize_ || Flush();
}

bool AccessQueryOutput::End() {
  AppendAccessEnd(pending_);
  return Flush();
}

int AccessQueryOutput::Fail(std::string_view message) {
  const std::size_t end = message.find_last_not_of(" \t\r\n");
  AppendAccessError(pending_, message.substr(0, end == std::string_view::npos ? 0 : end + 1));
  Flush();
  return EXIT_FAILURE;
}

bool AccessQueryOutput::Flush() {
  if (!sink_(pending_)) return false;
  pending_.clear();
  return true;
}
