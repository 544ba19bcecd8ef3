// The profile stand-ins on any qv.ini. The input is a line and a file: its
// first byte picks the key written (bit 0: Name or PName), the bytes up to the
// first LF are the folder written (CR and NUL dropped, as the programs never
// write them, leading blanks dropped and a "\" put at the end, as a folder
// has), and everything after that LF is the file's old content.
//
// After the write, the folder reads back, the other key of the section and
// the same key of another section read as before, and the file is the old
// one with one line changed or the new lines added: every other byte stays.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"

namespace {

constexpr const char* kSection = "RWfolder";
constexpr const char* kMissing = "\x01(none)";

std::string Read(const std::string& ini, const char* section, const char* key, size_t room) {
  std::string buffer(room + 2, '\x7f');
  const DWORD count = GetPrivateProfileStringA(section, key, kMissing, buffer.data(),
                                               static_cast<DWORD>(room + 1), ini.c_str());
  FUZZ_CHECK(count <= room);
  FUZZ_CHECK(buffer[count] == '\0');
  return buffer.substr(0, count);
}

// The lines of a text, each with its line end; the last may have none.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < text.size();) {
    size_t next = text.find('\n', pos);
    next = next == std::string_view::npos ? text.size() : next + 1;
    lines.push_back(text.substr(pos, next - pos));
    pos = next;
  }
  return lines;
}

// The line end of a line: LF, CR LF, or nothing at the end of the file. A CR
// without LF there is part of the line's text.
std::string_view LineEnd(std::string_view line) {
  if (line.empty() || line.back() != '\n') return {};
  return line.size() >= 2 && line[line.size() - 2] == '\r' ? line.substr(line.size() - 2)
                                                           : line.substr(line.size() - 1);
}

// The old file and the new one differ by the written entry alone.
void CheckOnlyTheEntryChanged(std::string_view before, std::string_view after, std::string_view key,
                              std::string_view value) {
  const auto old_lines = Lines(before);
  const auto new_lines = Lines(after);
  size_t head = 0;
  while (head < old_lines.size() && head < new_lines.size() && old_lines[head] == new_lines[head])
    ++head;
  size_t tail = 0;
  while (tail < old_lines.size() - head && tail < new_lines.size() - head &&
         old_lines[old_lines.size() - 1 - tail] == new_lines[new_lines.size() - 1 - tail])
    ++tail;
  const std::vector<std::string_view> removed(old_lines.begin() + head, old_lines.end() - tail);
  std::vector<std::string_view> added(new_lines.begin() + head, new_lines.end() - tail);
  const std::string entry = std::string(key) + "=" + std::string(value) + "\r\n";
  const std::string header = "[" + std::string(kSection) + "]\r\n";

  if (removed.empty() && added.empty()) return;  // the same value again
  if (removed.size() == 1 && !added.empty()) {
    const std::string_view old_line = removed[0];
    if (LineEnd(old_line).empty() && added.size() >= 2) {
      // The file's last line, which had no line end, got one; new lines follow.
      FUZZ_CHECK(added[0].substr(0, old_line.size()) == old_line);
      const std::string_view end = added[0].substr(old_line.size());
      FUZZ_CHECK(end == (!old_line.empty() && old_line.back() == '\r' ? "\n" : "\r\n"));
      added.erase(added.begin());
    } else {
      // The entry's own line: its text up to "=" stays, the value after it
      // is new, the line end stays.
      FUZZ_CHECK(added.size() == 1);
      const std::string_view new_line = added[0];
      const std::string_view end = LineEnd(old_line);
      std::string_view text = old_line.substr(0, old_line.size() - end.size());
      // A CR that ends the file is no part of the value either.
      if (end.empty() && !text.empty() && text.back() == '\r') text.remove_suffix(1);
      const size_t eq = text.find('=');
      const std::string kept = eq == std::string_view::npos ? std::string(text) + "="
                                                            : std::string(text.substr(0, eq + 1));
      const std::string_view rest = old_line.substr(text.size());
      FUZZ_CHECK(new_line == kept + std::string(value) + std::string(rest));
      return;
    }
  } else {
    FUZZ_CHECK(removed.empty());
  }
  // Lines added: the entry, after the section's header when it was new.
  if (added.size() == 2) {
    FUZZ_CHECK(added[0] == header);
    added.erase(added.begin());
  }
  FUZZ_CHECK(added.size() == 1);
  FUZZ_CHECK(added[0] == entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const bool pname = data[0] & 1;
  const char* key = pname ? "PName" : "Name";
  const char* other_key = pname ? "Name" : "PName";
  const size_t lf = input.find('\n', 1);
  const std::string_view line = input.substr(1, lf == std::string_view::npos ? lf : lf - 1);
  const std::string_view before =
      lf == std::string_view::npos ? std::string_view() : input.substr(lf + 1);

  std::string value;
  for (char c : line)
    if (c != '\r' && c != '\0' && !(value.empty() && (c == ' ' || c == '\t'))) value += c;
  value += '\\';

  const std::string ini = fuzz::PrivateFolder() + "qv.ini";
  fuzz::WriteBytes(ini, before);
  const size_t room = before.size() + value.size();
  const std::string other = Read(ini, kSection, other_key, room);
  const std::string elsewhere = Read(ini, "Other", key, room);

  FUZZ_CHECK(WritePrivateProfileStringA(kSection, key, value.c_str(), ini.c_str()));
  FUZZ_CHECK(Read(ini, kSection, key, room) == value);
  FUZZ_CHECK(Read(ini, kSection, other_key, room) == other);
  FUZZ_CHECK(Read(ini, "Other", key, room) == elsewhere);
  CheckOnlyTheEntryChanged(before, fuzz::ReadBytes(ini), key, value);
  return 0;
}
