// Loaded with LD_PRELOAD into a program under test: appends "rename TO" and
// "fsync-folder PATH" lines to the file $ZEMBRIX_FSYNC_LOG, in call order.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Log(const char* what, const char* path) {
  const char* log = std::getenv("ZEMBRIX_FSYNC_LOG");
  if (!log) return;
  if (std::FILE* out = std::fopen(log, "a")) {
    std::fprintf(out, "%s %s\n", what, path);
    std::fclose(out);
  }
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  static const auto real = Next<int (*)(int)>("fsync");
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    char link[64];
    char path[4096] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    if (::readlink(link, path, sizeof path - 1) > 0) Log("fsync-folder", path);
  }
  return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
  static const auto real = Next<int (*)(const char*, const char*)>("rename");
  const int result = real(from, to);
  if (result == 0) {
    char resolved[4096];
    Log("rename", ::realpath(to, resolved) ? resolved : to);
  }
  return result;
}
