// zembrix-access-query for Windows, run as the Access reader runs it: the
// database open as its standard input, the rows read from its standard output.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "readers/database/access_query_odbc_connect.h"
#include "readers/database/access_query_odbc_database_path.h"
#include "readers/database/access_query_odbc_text.h"
#include "readers/database/access_query_odbc_wine.h"
#include "readers/database/access_row_stream.h"
#include "readers/database/access_test_files.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// What the wangwei7 type asks of its Data.mdb.
const Strings kComputerQuery{"select name,ip,mac from computer", "name", "ip", "mac"};

// The rows of examples/wangwei7/Data.mdb (see make-data-mdb.sh there).
const std::vector<AccessRow> kExampleRows{
    {"pc001", "192.168.1.101", "00-e0-4c-68-01-01"},
    {"pc002", "192.168.1.102", "00-e0-4c-68-01-02"},
    {"pc003", "192.168.1.103", "00e04c680103"},
    {"前台", "192.168.1.100", "00-1a-2b-3c-4d-5e"},
    {"备用机", "192.168.1.199", ""},
    {"VIP-01", "", "00-e0-4c-68-02-01"},
};

constexpr DWORD kTimeLimitMs = 60'000;

// The example as a copy in `dir`: Access drivers may write beside a database they open.
fs::path CopyExample(const ScratchDir& dir, const std::string& name) {
  const std::vector<fs::path> sources = ExampleSources("wangwei7");
  if (sources.size() != 1) throw std::runtime_error("examples/wangwei7 should hold one Data.mdb");
  const fs::path copy = dir / name;
  fs::create_directories(copy.parent_path());
  fs::copy_file(sources.front(), copy);
  return copy;
}

fs::path HelperPath() {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  return fs::path(self).parent_path() / "zembrix-access-query.exe";
}

// Quoted so that the C runtime's wmain gets the argument back as it is.
std::wstring QuoteArgument(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

struct HelperRun {
  DWORD exitCode = 0;
  bool timedOut = false;
  AccessRowStream stream;
};

// Runs the helper with `input` as its standard input; fieldCount reads the rows.
HelperRun RunHelperOn(HANDLE input, const Strings& arguments, std::size_t fieldCount) {
  std::wstring commandLine = QuoteArgument(HelperPath().wstring());
  for (const std::string& argument : arguments) {
    commandLine += L" " + QuoteArgument(access_odbc::FromUtf8(argument));
  }
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherited, 0)) throw std::runtime_error("no pipe");
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  const HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = writeEnd;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  ::CloseHandle(writeEnd);
  ::CloseHandle(nul);
  if (!started) {
    ::CloseHandle(readEnd);
    throw std::runtime_error("cannot start " + HelperPath().string());
  }
  std::string output;
  std::thread reader([&] {
    char buffer[4096];
    DWORD count = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      output.append(buffer, count);
    }
  });
  HelperRun run;
  if (::WaitForSingleObject(process.hProcess, kTimeLimitMs) != WAIT_OBJECT_0) {
    run.timedOut = true;
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, INFINITE);
  }
  reader.join();
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  ::CloseHandle(readEnd);
  run.stream = ParseAccessRowStream(output, fieldCount);
  return run;
}

HelperRun RunHelper(const fs::path& database, const Strings& arguments) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const HANDLE input = ::CreateFileW(database.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     &inherited, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (input == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + database.string());
  HelperRun run = RunHelperOn(input, arguments, arguments.size() - 1);
  ::CloseHandle(input);
  return run;
}

void ExpectRows(const HelperRun& run, const std::vector<AccessRow>& rows, const std::string& what) {
  EXPECT_FALSE(run.timedOut) << what;
  EXPECT_EQ(run.exitCode, 0u) << what;
  EXPECT_TRUE(run.stream.complete) << what << ": " << run.stream.error.value_or("");
  EXPECT_EQ(run.stream.rows, rows) << what;
}

void ExpectCleanFailure(const HelperRun& run, const std::string& what) {
  EXPECT_FALSE(run.timedOut) << what;
  EXPECT_NE(run.exitCode, 0u) << what;
  EXPECT_FALSE(run.stream.complete) << what;
  EXPECT_TRUE(run.stream.error) << what;
  EXPECT_TRUE(run.stream.rows.empty()) << what;
}

TEST(AccessQueryOdbc, ReadsTheWangwei7ExampleWhereverItsFolderIs) {
  // Under Wine the Unix driver gets the file by its Unix name, which a wide
  // connection string once spoiled outside ASCII.
  for (const std::string folder : {"data", "网维 数据", "{brace} and 'quote' é"}) {
    ScratchDir dir;
    ExpectRows(RunHelper(CopyExample(dir, folder + "/Data.mdb"), kComputerQuery), kExampleRows,
               folder);
  }
}

TEST(AccessQueryOdbc, FieldsAreFoundByNameInAnyPlaceAndCase) {
  ScratchDir dir;
  // The Microsoft drivers give each column once per row, and only in column order.
  const HelperRun run =
      RunHelper(CopyExample(dir, "Data.mdb"),
                {"select * from computer where id < 3", "MAC", "Id", "NAME", "mac"});
  ExpectRows(run,
             {{"00-e0-4c-68-01-01", "1", "pc001", "00-e0-4c-68-01-01"},
              {"00-e0-4c-68-01-02", "2", "pc002", "00-e0-4c-68-01-02"}},
             "select *");
}

TEST(AccessQueryOdbc, WhatCannotBeReadEndsInAnErrorOfItsOwn) {
  const std::string example = ReadFileBytes(ExampleSources("wangwei7").at(0));
  ASSERT_GT(example.size(), 8192u);
  std::string text;
  for (int i = 0; i < 500; ++i) text += "this is not a database\n";
  const struct {
    const char* what;
    std::string bytes;
    Strings arguments;
    std::string error;  // how the message starts, where that is known
  } cases[] = {
      // The last driver tried is the one most likely to be there, so its reason comes first.
      {"a text file", text, kComputerQuery,
       std::string("not an Access database: ") +
           (access_odbc::RunningUnderWine() ? "MDBTools: " : "Microsoft Access Driver (*.mdb): ")},
      {"an empty file", "", kComputerQuery, ""},
      {"a database cut short", example.substr(0, 8192), kComputerQuery, ""},
      {"no such table", example, {"select a from nosuch", "a"}, ""},
      {"no such field", example, {"select name,ip,mac from computer", "name", "host"},
       "no field host"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    WriteFileBytes(dir / "Data.mdb", c.bytes);
    const HelperRun run = RunHelper(dir / "Data.mdb", c.arguments);
    ExpectCleanFailure(run, c.what);
    EXPECT_EQ(run.stream.error.value_or("").substr(0, c.error.size()), c.error) << c.what;
  }
}

TEST(AccessQueryOdbc, StandardInputWithoutAFileNameIsAnError) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherited, 0));
  ::CloseHandle(writeEnd);
  const HelperRun run = RunHelperOn(readEnd, kComputerQuery, 3);
  ::CloseHandle(readEnd);
  ExpectCleanFailure(run, "a pipe");
}

TEST(AccessQueryOdbc, ArgumentsThatDoNotFitTheUsageAreRefused) {
  ScratchDir dir;
  const HelperRun run = RunHelper(CopyExample(dir, "Data.mdb"), {"select name from computer"});
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_FALSE(run.stream.complete);
  EXPECT_FALSE(run.stream.error);
}

TEST(AccessQueryOdbc, ReadsFilesAccessWrote) {
  ScratchDir dir;
  COPY_REAL_ACCESS_FILE_OR_SKIP(dir, "nwind.mdb", nwind);
  const HelperRun customers =
      RunHelper(nwind, {"select * from Customers", "CustomerID", "CompanyName", "Region", "Phone",
                        "Address"});
  ExpectRows(customers, customers.stream.rows, "nwind.mdb");
  EXPECT_EQ(customers.stream.rows.size(), 91u);
  const auto customer = [&](const std::string& id) {
    for (const AccessRow& row : customers.stream.rows) {
      if (row[0] == id) return row;
    }
    return AccessRow{};
  };
  EXPECT_EQ(customer("ALFKI"),
            (AccessRow{"ALFKI", "Alfreds Futterkiste", "", "030-0074321", "Obere Str. 57"}));
  EXPECT_EQ(customer("ANATR")[4], "Avda. de la Constitución 2222");

  // One file of each later generation: Access 2000 and Access 2007.
  const struct {
    const char* file;
    Strings arguments;
    std::size_t rows;
  } cases[] = {
      {"DateTestDatabase.mdb", {"select * from DateTest", "ShortTextCol"}, 6},
      {"ASampleDatabase.accdb", {"select * from [Asset Items]", "Make", "Model"}, 65},
  };
  for (const auto& c : cases) {
    COPY_REAL_ACCESS_FILE_OR_SKIP(dir, c.file, copy);
    const HelperRun run = RunHelper(copy, c.arguments);
    ExpectRows(run, run.stream.rows, c.file);
    EXPECT_EQ(run.stream.rows.size(), c.rows) << c.file;
  }
}

// ---- the pieces of the connection ---------------------------------------------------------

TEST(AccessQueryOdbcConnection, ValuesAreBracedOnlyWhenTheyMustBe) {
  const struct {
    const wchar_t* value;
    const wchar_t* attribute;
  } cases[] = {
      {L"C:\\网维\\Data.mdb", L"DBQ=C:\\网维\\Data.mdb;"},
      {L"C:\\a b\\Data.mdb", L"DBQ=C:\\a b\\Data.mdb;"},
      {L"C:\\a;b\\Data.mdb", L"DBQ={C:\\a;b\\Data.mdb};"},
      {L"C:\\{a}\\Data.mdb", L"DBQ={C:\\{a}}\\Data.mdb};"},
      {L" C:\\Data.mdb", L"DBQ={ C:\\Data.mdb};"},
      {L"C:\\Data.mdb\t", L"DBQ={C:\\Data.mdb\t};"},
      {L"", L"DBQ=;"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(access_odbc::ConnectionAttribute(L"DBQ", c.value), c.attribute)
        << access_odbc::ToUtf8(c.value);
  }
}

TEST(AccessQueryOdbcConnection, TheDriversTakeNamesWithoutTheLongPathPrefix) {
  const struct {
    const wchar_t* path;
    const wchar_t* plain;
  } cases[] = {
      {L"\\\\?\\C:\\网维\\Data.mdb", L"C:\\网维\\Data.mdb"},
      {L"\\\\?\\UNC\\server\\share\\Data.mdb", L"\\\\server\\share\\Data.mdb"},
      {L"C:\\Data.mdb", L"C:\\Data.mdb"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(access_odbc::WithoutLongPathPrefix(c.path), c.plain) << access_odbc::ToUtf8(c.path);
  }
}

}  // namespace
