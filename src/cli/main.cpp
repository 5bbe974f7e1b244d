// Entry point of zembrix-cli.
#include <csignal>
#include <string>
#include <vector>

#include "cli/cli_main.h"

int main(int argc, char** argv) {
  // A write past a file size limit must fail with an error we report, not kill us.
  std::signal(SIGXFSZ, SIG_IGN);
  // Nor may a closed pipe on stdout or stderr: the list is written whether or
  // not anyone reads the messages, and the exit status says so.
  std::signal(SIGPIPE, SIG_IGN);
  return RunCli(std::vector<std::string>(argv + 1, argv + argc));
}
