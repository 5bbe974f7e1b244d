/* Runs a peer so that it ends where zembrix-cli ends: with its output in a
 * file on disk, fsynced.
 *
 *   synced-output --stdout OUTPUT COMMAND [ARG...]   COMMAND's stdout goes to OUTPUT
 *   synced-output --named OUTPUT COMMAND [ARG...]    COMMAND writes OUTPUT itself
 *
 * Exits with COMMAND's status (128 + the signal that ended it), or 125 when
 * OUTPUT cannot be written or synced.
 */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

static int fail(const char *what, const char *path) {
  fprintf(stderr, "synced-output: %s %s: ", what, path);
  perror(NULL);
  return 125;
}

int main(int argc, char **argv) {
  if (argc < 4 || (strcmp(argv[1], "--stdout") != 0 && strcmp(argv[1], "--named") != 0)) {
    fprintf(stderr, "usage: synced-output --stdout|--named OUTPUT COMMAND [ARG...]\n");
    return 2;
  }
  const int to_stdout = strcmp(argv[1], "--stdout") == 0;
  const char *output = argv[2];

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int fd = -1;
  if (to_stdout) {
    fd = open(output, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return fail("cannot open", output);
    posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
  }
  pid_t child;
  const int error = posix_spawnp(&child, argv[3], &actions, NULL, argv + 3, environ);
  if (error != 0) {
    fprintf(stderr, "synced-output: cannot run %s: %s\n", argv[3], strerror(error));
    return 127;
  }
  int status;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return fail("cannot wait for", argv[3]);
  }
  if (!to_stdout) {
    fd = open(output, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return fail("cannot open", output);
  }
  if (fsync(fd) != 0 || close(fd) != 0) return fail("cannot sync", output);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}
