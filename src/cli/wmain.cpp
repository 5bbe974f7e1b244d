// Entry point of zembrix-cli on Windows: the arguments arrive as wide text
// and go on as UTF-8, the encoding the rest of the program speaks.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_main.h"
#include "platform/windows/wide_text.h"

int wmain(int argc, wchar_t** argv) {
  // Messages and listings keep their bytes: no "\r\n" for "\n" in files and pipes.
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(platform::Utf8FromWide(argv[i]));
  return RunCli(arguments);
}
