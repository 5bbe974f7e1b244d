// The query process on files Access wrote, and the supervision of a process
// that crashes, hangs or talks nonsense.
#include "readers/database/access_query_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <thread>
#include <variant>

#include "conversion/source_types.h"
#include "platform/source_file.h"
#include "readers/database/access_query_location.h"
#include "readers/database/access_test_files.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// The limit the Access type reads with.
const milliseconds kAccessReadTimeLimit =
    std::get<AccessLayout>(SourceTypeOf(DisklessType::Wangwei7).settings).timeLimit;

AccessQueryResult Query(const fs::path& database, const std::string& sql,
                        const std::vector<std::string>& fields, const std::string& charset = {},
                        const fs::path& helper = FindAccessQueryExecutable().value_or(fs::path()),
                        milliseconds limit = kAccessReadTimeLimit) {
  const std::optional<platform::SourceFile> file = platform::SourceFile::Open(database);
  if (!file) throw std::runtime_error("cannot open " + database.string());
  return RunAccessQuery({helper, &*file, sql, fields, charset, limit});
}

fs::path WriteHelper(const fs::path& path, const std::string& script) {
  WriteFileBytes(path, "#!/bin/sh\n" + script + "\n");
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

// Shell lines that write the pid in `pid` to `file` all at once.
std::string WritePid(const std::string& pid, const fs::path& file) {
  const fs::path part = file.string() + ".part";
  return "echo " + pid + " > '" + part.string() + "' && mv '" + part.string() + "' '" +
         file.string() + "'\n";
}

std::optional<pid_t> ReadPid(const fs::path& file) {
  std::ifstream in(file);
  long pid = 0;
  if (!(in >> pid) || pid <= 0) return std::nullopt;
  return static_cast<pid_t>(pid);
}

std::optional<pid_t> WaitForPid(const fs::path& file, milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (const std::optional<pid_t> pid = ReadPid(file)) return pid;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(milliseconds(10));
  }
}

// The fields of /proc/PID/stat after the process name; empty when there is no such process.
std::string ProcessStat(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t name = text.rfind(") ");
  return name == std::string::npos ? std::string() : text.substr(name + 2);
}

// Gone, or a zombie: an orphan's new parent (a container's first process,
// say) need not reap it.
bool HasEnded(pid_t pid) {
  const std::string stat = ProcessStat(pid);
  return stat.empty() || stat[0] == 'Z' || stat[0] == 'X';
}

bool EndsWithin(pid_t pid, milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!HasEnded(pid)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(10));
  }
  return true;
}

// A process a test started that is still there after a failure must not
// outlive the test.
void EndIfRunning(pid_t pid) {
  if (!HasEnded(pid)) ::kill(pid, SIGKILL);
}

TEST(AccessQueryExecutable, IsFoundBesideTheProgram) {
  ASSERT_TRUE(FindAccessQueryExecutable());
  EXPECT_EQ(fs::path(*FindAccessQueryExecutable()).parent_path(),
            fs::read_symlink("/proc/self/exe").parent_path());
}

TEST(AccessQuery, ReadsJet3FieldsByNameWithNullsAndAccents) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "nwind.mdb", file);
  const AccessQueryResult result =
      Query(file, "select CustomerID, CompanyName, Region, Phone, Address from Customers",
            {"Address", "customerid", "CompanyName", "REGION", "Phone"}, "CP1252");
  ASSERT_TRUE(result.rows) << result.error;
  ASSERT_EQ(result.rows->size(), 91u);
  EXPECT_EQ((*result.rows)[0],
            (AccessRow{"Obere Str. 57", "ALFKI", "Alfreds Futterkiste", "", "030-0074321"}));
  EXPECT_EQ((*result.rows)[1][0], "Avda. de la Constitución 2222");
  EXPECT_EQ((*result.rows)[1][1], "ANATR");

  // Jet 3 text is in the writer's code page: the same bytes read as GBK.
  const AccessQueryResult gbk = Query(file, "select Address from Customers", {"Address"}, "CP936");
  ASSERT_TRUE(gbk.rows) << gbk.error;
  EXPECT_EQ((*gbk.rows)[1][0], "Avda. de la Constituci髇 2222");
}

TEST(AccessQuery, ReadsJet4AndAccess2007Files) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "DateTestDatabase.mdb", jet4);
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "ASampleDatabase.accdb", ace);

  const AccessQueryResult dates =
      Query(jet4, "select IDCol, ShortTextCol from DateTest", {"IDCol", "ShortTextCol"});
  ASSERT_TRUE(dates.rows) << dates.error;
  ASSERT_EQ(dates.rows->size(), 6u);
  EXPECT_EQ(dates.rows->front(), (AccessRow{"1", "Hello"}));
  EXPECT_EQ(dates.rows->back(), (AccessRow{"6", "No new line"}));

  const AccessQueryResult assets =
      Query(ace, "select [Asset No], Make from [Asset Items]", {"Asset No", "Make"});
  ASSERT_TRUE(assets.rows) << assets.error;
  ASSERT_EQ(assets.rows->size(), 65u);
  EXPECT_EQ(assets.rows->front(), (AccessRow{"30050", "GEO Rocket"}));
}

TEST(AccessQuery, MissingTablesAndFieldsAreErrors) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), "nwind.mdb", file);
  const struct {
    std::string sql;
    std::vector<std::string> fields;
    std::string error;
  } cases[] = {
      {"select name,ip,mac from computer", {"name", "ip", "mac"}, "query failed"},
      {"select CustomerID, Nothing from Customers", {"CustomerID"}, "query failed"},
      {"select CustomerID from Customers", {"CustomerID", "Phone"}, "no field Phone"},
  };
  for (const auto& c : cases) {
    const AccessQueryResult result = Query(file, c.sql, c.fields, "CP1252");
    EXPECT_FALSE(result.rows) << c.sql;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << c.sql << ": " << result.error;
  }
}

// Stand-ins for a query process that misbehaves the way a damaged file can
// make mdbtools misbehave. Each is a shell script; `exec` keeps the process
// we are given the one that hangs.
TEST(AccessQuery, AMisbehavingProcessFailsWithinTheLimitAndIsGone) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  const milliseconds shortLimit{400};
  const milliseconds fullLimit = kAccessReadTimeLimit;
  const struct {
    const char* what;
    std::string script;
    milliseconds limit;
    std::string error;
  } cases[] = {
      {"hangs", "exec sleep 30", shortLimit, "took longer than 400 ms"},
      {"closes its output and hangs", "exec >&-; exec sleep 30", shortLimit,
       "did not end within 400 ms"},
      {"crashes after half a row", "printf 'R\\001\\000\\000\\000a'; kill -SEGV $$", fullLimit,
       "signal 11"},
      {"aborts", "kill -ABRT $$", fullLimit, "signal 6"},
      {"ends with an error status", "printf 'E'; exit 3", fullLimit, "exited with status 3"},
      {"writes nonsense", "printf 'hello'", fullLimit, "exited with status 0"},
      {"reports its own error", "printf 'X\\007\\000\\000\\000no such'; exit 1", fullLimit,
       "no such"},
      {"floods its output", "exec yes", fullLimit, "too much data"},
  };
  for (const auto& c : cases) {
    const fs::path helper = dir / "helper.sh";
    WriteFileBytes(helper, "#!/bin/sh\n" + c.script + "\n");
    fs::permissions(helper, fs::perms::owner_all);
    const auto start = std::chrono::steady_clock::now();
    const AccessQueryResult result =
        Query(dir / "empty.mdb", "select", {"f"}, {}, helper, c.limit);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(result.rows) << c.what;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
    EXPECT_LT(took, c.limit + milliseconds(1000)) << c.what;
    fs::remove(helper);
  }
}

// Killing the reader (the whole program, say) must take its query process
// with it, rather than leave it running on its own.
TEST(AccessQuery, TheProcessEndsWhenTheReaderIsKilled) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  const fs::path helper =
      WriteHelper(dir / "helper.sh", WritePid("$$", dir / "helper.pid") + "exec sleep 30");
  const pid_t reader = ::fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) {
    try {
      (void)Query(dir / "empty.mdb", "select", {"f"}, {}, helper, milliseconds(60000));
    } catch (...) {
    }
    ::_exit(0);
  }
  const std::optional<pid_t> process = WaitForPid(dir / "helper.pid", milliseconds(10000));
  ::kill(reader, SIGKILL);
  ::waitpid(reader, nullptr, 0);
  ASSERT_TRUE(process) << "the query process did not start";
  EXPECT_TRUE(EndsWithin(*process, milliseconds(2000))) << "still running: " << *process;
  EndIfRunning(*process);
}

// Each helper leaves a process behind and then ends in its own way; whatever
// the way, nothing it started outlives the query.
TEST(AccessQuery, NothingTheProcessStartedOutlivesTheQuery) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  std::string complete;
  AppendAccessRow(complete, {"a"});
  AppendAccessEnd(complete);
  WriteFileBytes(dir / "complete", complete);
  const std::string sendAll = "cat '" + (dir / "complete").string() + "'";
  const milliseconds shortLimit{400};
  const milliseconds fullLimit = kAccessReadTimeLimit;
  const struct {
    const char* what;
    bool leftHoldsOutput;  // the process left behind shares the output pipe
    std::string script;
    milliseconds limit;
    std::string error;  // empty: the rows arrive
  } cases[] = {
      {"ends with every row", false, sendAll, fullLimit, ""},
      {"hangs", false, "exec sleep 30", shortLimit, "took longer than 400 ms"},
      {"closes its output and hangs", false, "exec >&-; exec sleep 30", shortLimit,
       "did not end within 400 ms"},
      {"crashes", false, "kill -SEGV $$", fullLimit, "signal 11"},
      {"floods its output", false, "exec yes", fullLimit, "too much data"},
      {"ends, but what it left holds its output open", true, sendAll, shortLimit,
       "took longer than 400 ms"},
  };
  for (const auto& c : cases) {
    const fs::path pidFile = dir / "left.pid";
    const std::string leave =
        std::string("sleep 30 ") + (c.leftHoldsOutput ? "" : ">/dev/null ") + "&\n";
    const fs::path helper =
        WriteHelper(dir / "helper.sh", leave + WritePid("$!", pidFile) + c.script);
    const AccessQueryResult result =
        Query(dir / "empty.mdb", "select", {"f"}, {}, helper, c.limit);
    if (c.error.empty()) {
      ASSERT_TRUE(result.rows) << c.what << ": " << result.error;
      EXPECT_EQ(*result.rows, std::vector<AccessRow>{{"a"}}) << c.what;
    } else {
      EXPECT_FALSE(result.rows) << c.what;
      EXPECT_NE(result.error.find(c.error), std::string::npos) << c.what << ": " << result.error;
    }
    const std::optional<pid_t> left = ReadPid(pidFile);
    if (!left) {
      ADD_FAILURE() << c.what << ": the helper left nothing behind";
    } else {
      EXPECT_TRUE(EndsWithin(*left, milliseconds(2000))) << c.what << ": still running";
      EndIfRunning(*left);
    }
    fs::remove(pidFile);
    fs::remove(helper);
  }
}

// The query executable may be started by something other than this reader;
// it ends when that goes. Here its parent is a bare process of the test, and
// the executable waits on a FIFO that no one will write.
TEST(AccessQueryExecutable, EndsWhenWhatStartedItIsKilled) {
  const std::optional<fs::path> executable = FindAccessQueryExecutable();
  ASSERT_TRUE(executable);
  ScratchDir dir;
  const fs::path fifo = dir / "database";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int database = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(database, 0);
  ::fcntl(database, F_SETFL, ::fcntl(database, F_GETFL) & ~O_NONBLOCK);
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  std::string program = executable->string();
  std::string sql = "select";
  std::string field = "f";
  char* argv[] = {program.data(), sql.data(), field.data(), nullptr};

  const pid_t parent = ::fork();
  ASSERT_GE(parent, 0);
  if (parent == 0) {
    const pid_t child = ::fork();
    if (child == 0) {
      ::dup2(database, STDIN_FILENO);
      ::execv(argv[0], argv);
      ::_exit(127);
    }
    (void)!::write(report[1], &child, sizeof child);
    for (;;) ::pause();
  }
  ::close(report[1]);
  ::close(database);
  pid_t child = -1;
  const bool reported = ::read(report[0], &child, sizeof child) == sizeof child;
  ::close(report[0]);

  // Its reopening of standard input waits for a writer: by then it has set
  // itself up to end with its parent.
  const std::string waitingInOpen = std::to_string(SYS_openat) + " ";
  bool waiting = false;
  bool unknown = false;
  for (int i = 0; reported && i < 1000 && !HasEnded(child); ++i) {
    std::ifstream in("/proc/" + std::to_string(child) + "/syscall");
    const std::string call((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open()) {
      unknown = !HasEnded(child);
      break;
    }
    waiting = call.starts_with(waitingInOpen) && ProcessStat(child).starts_with("S");
    if (waiting) break;
    std::this_thread::sleep_for(milliseconds(10));
  }
  ::kill(parent, SIGKILL);
  ::waitpid(parent, nullptr, 0);
  ASSERT_TRUE(reported);
  if (unknown) {
    EndIfRunning(child);
    GTEST_SKIP() << "this system does not show the system call a process waits in";
  }
  EXPECT_TRUE(waiting) << "the query executable never waited on its input";
  EXPECT_TRUE(EndsWithin(child, milliseconds(2000))) << "still running: " << child;
  EndIfRunning(child);
}

TEST(AccessQuery, AMissingExecutableIsAnError) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.mdb", "");
  const AccessQueryResult result =
      Query(dir / "empty.mdb", "select", {"f"}, {}, dir / "nothing-here");
  EXPECT_FALSE(result.rows);
  EXPECT_NE(result.error.find("cannot start"), std::string::npos) << result.error;
}

}  // namespace
