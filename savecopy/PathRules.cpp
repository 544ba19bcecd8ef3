#include "PathRules.h"

#include "Mbcs.h"

namespace savecopy {

std::string FolderPart(std::string_view path, std::string_view separators) {
  const size_t last = mbcs::LastDelimiter(path, separators);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string ExtensionOf(std::string_view path, std::string_view separators) {
  std::string delimiters(separators);
  delimiters += '.';
  const size_t last = mbcs::LastDelimiter(path, delimiters);
  if (last == std::string_view::npos || path[last] != '.') return {};
  return std::string(path.substr(last));
}

std::string TargetPath(std::string_view chosen, std::string_view extension,
                       std::string_view separators) {
  std::string target(chosen);
  if (ExtensionOf(chosen, separators) != extension) target += extension;
  return target;
}

}  // namespace savecopy
