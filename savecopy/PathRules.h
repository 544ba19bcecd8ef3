// Rules on paths, scanned by Shift_JIS characters so that the second byte of a
// double-byte character (0x5C in 表) is never taken for a separator.
#pragma once

#include <string>
#include <string_view>

namespace savecopy {

// The path up to and including its last separator; empty when it has none.
std::string FolderPart(std::string_view path, std::string_view separators);

// The text from the last "." after the last separator, dot included; empty
// when there is no such dot.
std::string ExtensionOf(std::string_view path, std::string_view separators);

// The chosen path with `extension` appended unless its own extension is
// `extension`, byte for byte (case counts).
std::string TargetPath(std::string_view chosen, std::string_view extension,
                       std::string_view separators);

}  // namespace savecopy
