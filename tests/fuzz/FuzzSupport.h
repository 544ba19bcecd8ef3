// What the fuzz targets share: a check that stops the run with the broken
// property, a Shift_JIS character scan written out from the lead-byte rule
// (so that the targets do not judge the code by itself), and a private
// folder for the files some targets write.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// Stops the run: libFuzzer keeps the input that did it as the finding.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

namespace fuzz {

// 0x81-0x9F and 0xE0-0xFC open a double-byte character; the byte after a lead
// byte belongs to it whatever its value.
inline bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// For each byte of `text`: true when it is a character of its own (not a lead
// byte with a partner, not a partner).
inline std::vector<bool> SingleBytes(std::string_view text) {
  std::vector<bool> single(text.size(), false);
  for (size_t i = 0; i < text.size();) {
    if (IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      i += 2;
    } else {
      single[i] = true;
      ++i;
    }
  }
  return single;
}

// True when the text ends in a lead byte whose partner is missing.
inline bool EndsInHalfCharacter(std::string_view text) {
  if (text.empty()) return false;
  const auto single = SingleBytes(text);
  return single.back() && IsLead(static_cast<unsigned char>(text.back()));
}

// A folder of the process's own on a memory file system where there is one,
// removed when the process ends.
inline const std::string& PrivateFolder() {
  // Never destroyed, so that the removal at exit can still read it.
  static const std::string* const folder = [] {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::path base =
        fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm") : fs::temp_directory_path();
    // Folders of runs that ended without their removal (a finding aborts, and
    // some ways out of libFuzzer skip it) go when their process is gone.
    for (const auto& entry : fs::directory_iterator(base, ignored)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("stash-fuzz-", 0) != 0) continue;
      const long pid = std::atol(name.c_str() + 11);
      if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        fs::remove_all(entry.path(), ignored);
    }
    const fs::path path = base / ("stash-fuzz-" + std::to_string(getpid()));
    fs::create_directories(path);
    return new std::string(path.string() + "/");
  }();
  static const bool removal = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*folder, ignored);
    });
    return true;
  }();
  (void)removal;
  return *folder;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(f != nullptr);
  FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
  std::fclose(f);
}

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  FUZZ_CHECK(f != nullptr);
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, got);
  std::fclose(f);
  return bytes;
}

}  // namespace fuzz
