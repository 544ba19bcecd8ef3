// Runs a program and reports its peak resident size:
//   peak_rss PROGRAM [ARG...]
// The program inherits standard input, output and error. Prints the peak
// resident size in KiB (ru_maxrss of the child, from wait4) on standard output
// and exits with the program's exit code (127 when it cannot be started,
// 128 + signal when a signal ended it).

#include <cerrno>
#include <cstdio>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak_rss PROGRAM [ARG...]\n");
    return 2;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    std::perror("peak_rss: fork");
    return 127;
  }
  if (child == 0) {
    execv(argv[1], argv + 1);
    std::perror("peak_rss: exec");
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::perror("peak_rss: wait4");
      return 1;
    }
  }
  std::printf("%ld\n", usage.ru_maxrss);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}
