// Another program that holds a database locked: takes an exclusive lock,
// makes the marker file once it holds it, keeps it for the given time, then
// lets go.
//   sqlite-lock-holder DATABASE MARKER MILLISECONDS
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 4) return 2;
  sqlite3* db = nullptr;
  if (sqlite3_open(args[1].c_str(), &db) != SQLITE_OK ||
      sqlite3_exec(db, "begin exclusive", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return 1;
  }
  std::ofstream(std::filesystem::path(std::u8string(args[2].begin(), args[2].end()))) << "locked";
  std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(args[3].c_str())));
  sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return 0;
}

}  // namespace

#if defined(_WIN32)
// SQLite and the marker's path take UTF-8, which the wide arguments give whole.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    args.push_back(std::move(bytes));
  }
  return Run(args);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv, argv + argc)); }
#endif
