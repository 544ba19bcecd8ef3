// A new version of a file, written beside it and put in its place at once.
//
// The new bytes go to a hidden file named after the target, created
// exclusively in the target's folder (never through a link planted there).
// Commit flushes it and renames it over the target; a replacement that is
// never committed removes its file again, so a failure leaves the target and
// the folder as they were.
#pragma once

#include <string>
#include <sys/types.h>

namespace winapi_impl {

class ReplacementFile {
 public:
  // Opens the hidden file; ok() tells whether that worked.
  explicit ReplacementFile(const std::string& target);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  bool WriteAll(const char* data, size_t size);
  // Flushes, sets the permission bits, renames over the target and flushes
  // the folder. False when any of it fails; the target is then untouched.
  bool Commit(mode_t mode);

 private:
  std::string target_;
  std::string folder_;
  std::string temp_;
  int fd_ = -1;
};

// The folder part of a POSIX path ("." when it has none).
std::string FolderOf(const std::string& path);

// The hidden file of a replacement is "." + the target's name (its first 200
// bytes) + "." + a suffix, tried with suffixes for attempt 0, 1, ... up to
// kHiddenNameAttempts; a name that exists, as a file, a folder or a link, is
// passed over. Suffixes are random unless a source is set here, which lets a
// test know the names beforehand; null sets the random source back.
using HiddenSuffixSource = std::string (*)(unsigned attempt);
inline constexpr unsigned kHiddenNameAttempts = 100;
void SetHiddenSuffixSource(HiddenSuffixSource source);
// The hidden name tried for `target` with `suffix`, in the target's folder.
std::string HiddenNameFor(const std::string& target, const std::string& suffix);

// Holds an exclusive lock on a folder for as long as it lives, so that
// writers of files in that folder take turns. locked() is false when the
// folder cannot be opened.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool locked() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace winapi_impl
