/* The least any conversion of a source has to do, timed beside zembrix-cli:
 * read the source to its end, then put the finished list in place the way a
 * safe writer does (a temporary file in the target's folder, fsync, rename
 * over the target).
 *
 *   floor SOURCE LIST TARGET
 *
 * LIST holds the bytes to write (zembrix-cli's own output for SOURCE). It is
 * mapped, not read, so that the bytes reach write() without a copy the job
 * would not make.
 */
#define _GNU_SOURCE
#include <fcntl.h>
#include <libgen.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

static char buffer[1 << 20];

static int fail(const char *what, const char *path) {
  fprintf(stderr, "floor: %s %s: ", what, path);
  perror(NULL);
  return 1;
}

static int read_to_end(const char *path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail("cannot open", path);
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) return fail("cannot read", path);
  }
  close(fd);
  return 0;
}

static int write_all(int fd, const char *bytes, size_t size) {
  while (size > 0) {
    const ssize_t count = write(fd, bytes, size);
    if (count < 0) return -1;
    bytes += count;
    size -= (size_t)count;
  }
  return 0;
}

int main(int argc, char **argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: floor SOURCE LIST TARGET\n");
    return 2;
  }
  const char *source = argv[1], *list = argv[2], *target = argv[3];

  const int list_fd = open(list, O_RDONLY | O_CLOEXEC);
  struct stat info;
  if (list_fd < 0 || fstat(list_fd, &info) != 0) return fail("cannot open", list);
  const size_t size = (size_t)info.st_size;
  const char *bytes = NULL;
  if (size > 0) {
    bytes = mmap(NULL, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, list_fd, 0);
    if (bytes == MAP_FAILED) return fail("cannot map", list);
  }

  if (read_to_end(source) != 0) return 1;

  char folder_of[4096];
  snprintf(folder_of, sizeof folder_of, "%s", target);
  char temporary[4096 + 16];
  snprintf(temporary, sizeof temporary, "%s/.floor-XXXXXX", dirname(folder_of));
  const int fd = mkostemp(temporary, O_CLOEXEC);
  if (fd < 0) return fail("cannot create", temporary);
  if (write_all(fd, bytes, size) != 0 || fsync(fd) != 0 || close(fd) != 0 ||
      rename(temporary, target) != 0) {
    unlink(temporary);
    return fail("cannot write", target);
  }
  return 0;
}
