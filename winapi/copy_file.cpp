// CopyFileA over POSIX files.

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "replacement_file.h"

namespace {

// Copies the whole of `from` into the empty file `to`: a clone where the file
// system has one, else by the kernel, else through a buffer. Constant memory.
bool CopyBytes(int from, int to, off_t size) {
  if (ioctl(to, FICLONE, from) == 0) return true;

  off_t done = 0;
  while (done < size) {
    const ssize_t n = copy_file_range(from, nullptr, to, nullptr,
                                      static_cast<size_t>(size - done), 0);
    if (n > 0) {
      done += n;
      continue;
    }
    if (n == 0) break;  // the file became shorter; what is left is read below
    if (errno == EINTR) continue;
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    break;
  }
  // Whatever copy_file_range did not take (or the bytes a growing file
  // gained) goes through a buffer, from where it left off.
  if (lseek(from, done, SEEK_SET) < 0 || lseek(to, done, SEEK_SET) < 0) return false;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    for (ssize_t off = 0; off < got;) {
      const ssize_t put = write(to, buffer + off, static_cast<size_t>(got - off));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return false;
      off += put;
    }
  }
}

bool IsReadOnly(const struct stat& st) { return (st.st_mode & 0222) == 0; }

}  // namespace

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  if (lpExistingFileName == nullptr || lpNewFileName == nullptr) return FALSE;
  // O_NONBLOCK, so that a pipe at the name is refused below instead of
  // waiting for a writer; it changes nothing for a file.
  const int from = open(lpExistingFileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (from < 0) return FALSE;
  struct stat source {};
  if (fstat(from, &source) != 0 || !S_ISREG(source.st_mode)) {
    close(from);
    return FALSE;
  }

  struct stat existing {};
  if (stat(lpNewFileName, &existing) == 0) {
    const bool refused = bFailIfExists || !S_ISREG(existing.st_mode) || IsReadOnly(existing) ||
                         (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino);
    if (refused) {
      close(from);
      return FALSE;
    }
  }

  winapi_impl::ReplacementFile target(lpNewFileName);
  bool ok = target.ok() && CopyBytes(from, target.fd(), source.st_size);
  if (ok) {
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    futimens(target.fd(), times);
    ok = target.Commit(source.st_mode & 0777);
  }
  close(from);
  return ok ? TRUE : FALSE;
}
