#include "Fixture.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace fixture {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::mt19937 random(static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  const fs::path base = fs::temp_directory_path() /
                        ("stash-test-" + std::to_string(random()) + "-" +
                         std::to_string(counter++));
  fs::create_directories(base);
  path_ = base.string();
  if (path_.back() != PathDelim) path_ += PathDelim;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Read-only files must be writable again before they can go everywhere.
  for (auto& entry : fs::recursive_directory_iterator(path_, ignored))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(std::string_view name) const {
  std::string joined = path_ + std::string(name);
  for (size_t i = path_.size(); i < joined.size(); ++i)
    if (joined[i] == '/') joined[i] = PathDelim;
  return joined;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void MakeFolder(const std::string& path) { fs::create_directories(path); }

void MakeReadOnly(const std::string& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

std::size_t CountEntries(const std::string& folder) {
  std::size_t count = 0;
  for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++count;
  return count;
}

bool UnderWineAsRoot() {
#ifdef _WIN32
  // Wine's ntdll has this export; Windows' has not. Wine maps the Unix
  // account to a user named after it.
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) return false;
  char user[256] = {};
  DWORD size = sizeof user;
  return GetUserNameA(user, &size) && std::string(user) == "root";
#else
  return false;
#endif
}

}  // namespace fixture
