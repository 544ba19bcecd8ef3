// The folder-part and extension rules on any path. The first input byte picks
// the separators (bit 0: the Windows "\" and ":", or the POSIX "/") and the
// profile's extension (bit 1: .qvx or .qvp); the rest is the chosen path.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "PathRules.h"

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Position of the last separator that is a character of its own, or npos.
size_t LastSeparator(std::string_view path, std::string_view separators) {
  const auto single = fuzz::SingleBytes(path);
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i)
    if (single[i] && separators.find(path[i]) != std::string_view::npos) last = i;
  return last;
}

void CheckFolderPart(std::string_view path, std::string_view separators) {
  const std::string folder = savecopy::FolderPart(path, separators);
  FUZZ_CHECK(path.substr(0, folder.size()) == folder);
  const size_t last = LastSeparator(path, separators);
  if (last == std::string_view::npos) {
    FUZZ_CHECK(folder.empty());
  } else {
    // It ends in a separator that is no second byte, and no such separator
    // follows it.
    FUZZ_CHECK(folder.size() == last + 1);
  }
}

void CheckExtension(std::string_view path, std::string_view separators) {
  const std::string extension = savecopy::ExtensionOf(path, separators);
  const auto single = fuzz::SingleBytes(path);
  const size_t last = LastSeparator(path, separators);
  const size_t from = last == std::string_view::npos ? 0 : last + 1;
  size_t dot = std::string_view::npos;
  for (size_t i = from; i < path.size(); ++i)
    if (single[i] && path[i] == '.') dot = i;
  if (dot == std::string_view::npos) {
    FUZZ_CHECK(extension.empty());
  } else {
    FUZZ_CHECK(extension == path.substr(dot));
  }
}

void CheckTarget(std::string_view chosen, std::string_view extension, std::string_view separators) {
  const std::string target = savecopy::TargetPath(chosen, extension, separators);
  // Always the profile's extension, in its own case, after the whole chosen
  // path; appended exactly when the chosen path's own extension differs in
  // any byte.
  FUZZ_CHECK(EndsWith(target, extension));
  const bool kept = savecopy::ExtensionOf(chosen, separators) == extension;
  FUZZ_CHECK(target == (kept ? std::string(chosen) : std::string(chosen) + std::string(extension)));
  // Where the chosen path ends in the extension and its dot is a character
  // of its own, nothing is appended.
  if (EndsWith(chosen, extension) && fuzz::SingleBytes(chosen)[chosen.size() - extension.size()])
    FUZZ_CHECK(target == chosen);
  // The folder remembered afterwards is the chosen path's.
  FUZZ_CHECK(savecopy::FolderPart(target, separators) == savecopy::FolderPart(chosen, separators));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view separators = (data[0] & 1) ? "/" : "\\:";
  const std::string_view extension = (data[0] & 2) ? ".qvp" : ".qvx";
  const std::string_view path(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckFolderPart(path, separators);
  CheckExtension(path, separators);
  CheckTarget(path, extension, separators);
  return 0;
}
