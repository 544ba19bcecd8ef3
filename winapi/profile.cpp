// GetPrivateProfileStringA and WritePrivateProfileStringA over POSIX files.

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "profile_text.h"
#include "replacement_file.h"

namespace {

// The whole file, or nothing when it cannot be read (absent counts as empty)
// or is no file (a pipe at the name is refused, not waited on).
bool ReadWholeFile(const char* path, std::string& text, mode_t& mode) {
  text.clear();
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EISDIR;
    return false;
  }
  mode = st.st_mode & 07777;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      return false;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return true;
}

DWORD CopyOut(std::string_view value, LPSTR out, DWORD size) {
  if (out == nullptr || size == 0) return 0;
  const size_t count = value.size() < size - 1 ? value.size() : size - 1;
  std::memcpy(out, value.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (lpAppName == nullptr || lpKeyName == nullptr) return CopyOut({}, lpReturnedString, nSize);
  std::string text;
  mode_t mode = 0;
  if (lpFileName != nullptr && ReadWholeFile(lpFileName, text, mode)) {
    if (const auto value = winapi_impl::FindProfileValue(text, lpAppName, lpKeyName))
      return CopyOut(*value, lpReturnedString, nSize);
  }
  // As on Windows, blanks at the end of the default are not returned.
  std::string_view fallback = lpDefault != nullptr ? lpDefault : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return CopyOut(fallback, lpReturnedString, nSize);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
  if (lpAppName == nullptr || lpKeyName == nullptr || lpString == nullptr ||
      lpFileName == nullptr)
    return FALSE;
  // A line break inside a name or a value would write lines of its own.
  if (HasLineBreak(lpAppName) || HasLineBreak(lpKeyName) || HasLineBreak(lpString)) return FALSE;

  const std::string path = lpFileName;
  const winapi_impl::FolderLock lock(winapi_impl::FolderOf(path));
  if (!lock.locked()) return FALSE;

  std::string text;
  mode_t mode = NewFileMode();
  if (!ReadWholeFile(path.c_str(), text, mode) && errno != ENOENT) return FALSE;

  const std::string updated = winapi_impl::WithProfileValue(text, lpAppName, lpKeyName, lpString);
  winapi_impl::ReplacementFile file(path);
  if (!file.ok() || !file.WriteAll(updated.data(), updated.size())) return FALSE;
  return file.Commit(mode) ? TRUE : FALSE;
}
