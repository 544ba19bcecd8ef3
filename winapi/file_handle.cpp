// CreateFileA, ReadFile, SetFilePointer and CloseHandle over POSIX files.

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileHandle {
  int fd;
};

FileHandle* AsFile(HANDLE handle) {
  return (handle == nullptr || handle == INVALID_HANDLE_VALUE) ? nullptr
                                                               : static_cast<FileHandle*>(handle);
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD, HANDLE) {
  if (lpFileName == nullptr || dwCreationDisposition != OPEN_EXISTING) return INVALID_HANDLE_VALUE;
  const bool writes = (dwDesiredAccess & GENERIC_WRITE) != 0;
  // O_NONBLOCK: a pipe at the name would otherwise wait for a writer for
  // ever. Only files are opened; folders, pipes and devices are refused.
  const int fd =
      open(lpFileName, (writes ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return INVALID_HANDLE_VALUE;
  struct stat st {};
  const int lock = (dwShareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 || flock(fd, lock) != 0) {
    close(fd);
    return INVALID_HANDLE_VALUE;
  }
  return new FileHandle{fd};
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                     LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
  FileHandle* file = AsFile(hFile);
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = 0;
  if (file == nullptr) return FALSE;
  char* out = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  // Like Windows on a disk file: the whole request, short only at the end.
  while (done < nNumberOfBytesToRead) {
    const ssize_t got = read(file->fd, out + done, nNumberOfBytesToRead - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FALSE;
    if (got == 0) break;
    done += static_cast<DWORD>(got);
  }
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = done;
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod) {
  FileHandle* file = AsFile(hFile);
  if (file == nullptr || dwMoveMethod > FILE_END) return INVALID_SET_FILE_POINTER;
  off_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh != nullptr)
    distance = static_cast<off_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                       *lpDistanceToMoveHigh))
                                   << 32) |
                                  static_cast<std::uint32_t>(lDistanceToMove));
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const off_t at = lseek(file->fd, distance, kWhence[dwMoveMethod]);
  if (at < 0) return INVALID_SET_FILE_POINTER;
  if (lpDistanceToMoveHigh != nullptr) *lpDistanceToMoveHigh = static_cast<LONG>(at >> 32);
  return static_cast<DWORD>(at & 0xFFFFFFFF);
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
  FileHandle* file = AsFile(hObject);
  if (file == nullptr) return FALSE;
  const int result = close(file->fd);
  delete file;
  return result == 0 ? TRUE : FALSE;
}
