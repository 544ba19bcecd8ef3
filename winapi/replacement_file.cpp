#include "replacement_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
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

ReplacementFile::ReplacementFile(const std::string& target)
    : target_(target), folder_(FolderOf(target)) {
  // mkstemp creates with O_EXCL, which refuses an existing name, links
  // included.
  std::string name = "." + BaseOf(target).substr(0, kMaxNamePart) + ".XXXXXX";
  std::string templ = folder_ + "/" + name;
  fd_ = mkostemp(templ.data(), O_CLOEXEC);
  if (fd_ >= 0) temp_ = templ;
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
