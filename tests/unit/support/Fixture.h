// Files for tests: a fresh folder that goes away with the test, and byte
// for byte reading and writing. Paths are byte strings joined with the
// platform's delimiter.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fixture {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending with the delimiter.
  const std::string& path() const { return path_; }
  // path() + name, with "/" in `name` turned into the platform's delimiter.
  std::string operator/(std::string_view name) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::optional<std::string> ReadFile(const std::string& path);
void MakeFolder(const std::string& path);
void MakeReadOnly(const std::string& path);
// True for the Windows build run by Wine under the root account, where
// permission bits stop no write.
bool UnderWineAsRoot();
// Names in the folder (not "." or "..").
std::size_t CountEntries(const std::string& folder);

}  // namespace fixture
