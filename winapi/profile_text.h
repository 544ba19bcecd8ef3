// The text of a profile (INI) file: finding an entry and rewriting one.
//
// A line is a section header ("[name]"), an entry ("key=value"), a comment
// (first non-blank character ";") or blank. Lines end in LF or CR LF; new
// lines get CR LF. Nothing here touches a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winapi_impl {

// The value of `key` in the first section named `section`, with the blanks
// around it and one pair of matching quotes removed; nothing when the section
// or the key is absent.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// `text` with `key` in `section` set to `value`: the value replaced in place,
// or the entry added after the section's last line, or the section added at
// the end. Every other byte stays.
std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value);

}  // namespace winapi_impl
