#include "replacement_file.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace winapi_impl {

namespace {

// Long names are shortened so that the hidden name still fits a folder entry.
constexpr size_t kMaxNamePart = 200;

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RandomSuffix(unsigned) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::uint8_t bytes[8] = {};
  size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    got += static_cast<size_t>(n);
  }
  std::string suffix;
  for (const std::uint8_t b : bytes) suffix += kLetters[b % (sizeof kLetters - 1)];
  return suffix;
}

HiddenSuffixSource suffixSource = RandomSuffix;

bool SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0 || errno == EINVAL;
  close(fd);
  return ok;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SetHiddenSuffixSource(HiddenSuffixSource source) {
  suffixSource = source != nullptr ? source : RandomSuffix;
}

std::string HiddenNameFor(const std::string& target, const std::string& suffix) {
  return FolderOf(target) + "/." + BaseOf(target).substr(0, kMaxNamePart) + "." + suffix;
}

ReplacementFile::ReplacementFile(const std::string& target)
    : target_(target), folder_(FolderOf(target)) {
  // O_EXCL refuses any name that exists, a link included, wherever it
  // points; O_NOFOLLOW says the same once more. Only a name this call
  // created is ever written or removed.
  for (unsigned attempt = 0; attempt < kHiddenNameAttempts; ++attempt) {
    std::string name = HiddenNameFor(target, suffixSource(attempt));
    fd_ = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      temp_ = std::move(name);
      return;
    }
    if (errno != EEXIST && errno != EINTR) return;
  }
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) {
    close(fd_);
    unlink(temp_.c_str());
  }
}

bool ReplacementFile::WriteAll(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool ReplacementFile::Commit(mode_t mode) {
  if (fd_ < 0) return false;
  if (fchmod(fd_, mode) != 0 || fsync(fd_) != 0) return false;
  if (rename(temp_.c_str(), target_.c_str()) != 0) return false;
  close(fd_);
  fd_ = -1;
  SyncFolder(folder_);
  return true;
}

FolderLock::FolderLock(const std::string& folder) {
  fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd_);
      fd_ = -1;
      return;
    }
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace winapi_impl
