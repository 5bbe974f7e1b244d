// Running the query process and reading its rows.
#include "readers/database/access_query_process.h"

#include "platform/child_process.h"

namespace {

// Far more than any machine list; a runaway process must not fill memory.
constexpr std::size_t kMaxStreamBytes = std::size_t{64} << 20;

AccessQueryResult Failed(std::string error) { return {std::nullopt, std::move(error)}; }

std::string LimitText(std::chrono::milliseconds limit) {
  return std::to_string(limit.count()) + " ms";
}

std::string DescribeEnd(const platform::ChildResult& result, std::chrono::milliseconds limit) {
  using End = platform::ChildResult::End;
  switch (result.end) {
    case End::Exited:
      return "the Access query process exited with status " + std::to_string(result.exitStatus);
    case End::Signalled:
      return "the Access query process ended by signal " + std::to_string(result.signal) + " (" +
             result.signalName + ")";
    case End::TimedOut:
      return "the Access query took longer than " + LimitText(limit) + " and was stopped";
    case End::DidNotExit:
      return "the Access query process did not end within " + LimitText(limit);
    case End::TooMuchOutput:
      return "the Access query gave too much data";
    case End::CannotRead:
      return "cannot read from the Access query process";
    case End::Lost:
      return "lost the Access query process";
    case End::CannotStart:
      break;
  }
  return result.why;
}

}  // namespace

AccessQueryResult RunAccessQuery(const AccessQuery& query) {
  std::vector<std::string> arguments;
  if (!query.jet3Charset.empty()) {
    arguments.insert(arguments.end(), {"--jet3-charset", query.jet3Charset});
  }
  arguments.push_back(query.sql);
  arguments.insert(arguments.end(), query.fields.begin(), query.fields.end());
  const platform::ChildResult result = platform::RunChildProcess(
      {query.helperPath, arguments, query.database, query.timeLimit, kMaxStreamBytes});
  using End = platform::ChildResult::End;
  if (result.end != End::Exited && result.end != End::Signalled) {
    return Failed(DescribeEnd(result, query.timeLimit));
  }
  AccessRowStream stream = ParseAccessRowStream(result.output, query.fields.size());
  if (result.end == End::Exited && result.exitStatus == 0 && stream.complete) {
    return {std::move(stream.rows), {}};
  }
  if (stream.error) return Failed(*stream.error);
  return Failed(DescribeEnd(result, query.timeLimit));
}
