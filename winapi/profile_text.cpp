#include "profile_text.h"

namespace winapi_impl {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

enum class Kind { Blank, Comment, Section, Entry };

// One line of the file: where it starts, where its text ends (before CR LF or
// LF) and where the next line starts.
struct Line {
  size_t begin;
  size_t end;
  size_t next;
  Kind kind;
  std::string_view name;   // section name or key
  size_t value_begin = 0;  // entries: the bytes after "=", or the line's end
  bool has_equals = false;
};

Line ReadLine(std::string_view text, size_t begin) {
  size_t next = text.find('\n', begin);
  next = (next == std::string_view::npos) ? text.size() : next + 1;
  size_t end = next;
  if (end > begin && text[end - 1] == '\n') --end;
  if (end > begin && text[end - 1] == '\r') --end;
  Line line{begin, end, next, Kind::Blank, {}};
  const std::string_view body = Trim(text.substr(begin, end - begin));
  if (body.empty()) return line;
  if (body.front() == ';') {
    line.kind = Kind::Comment;
  } else if (body.front() == '[') {
    // A header without its closing bracket names the rest of the line.
    line.kind = Kind::Section;
    const std::string_view inner = body.substr(1);
    line.name = Trim(inner.substr(0, inner.find(']')));
  } else {
    line.kind = Kind::Entry;
    const std::string_view raw = text.substr(begin, end - begin);
    const size_t eq = raw.find('=');
    line.name = Trim(raw.substr(0, eq));
    line.has_equals = eq != std::string_view::npos;
    line.value_begin = line.has_equals ? begin + eq + 1 : end;
  }
  return line;
}

std::string_view Unquote(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// The first section named `section`: its header, its last line that is not
// blank, and the first entry named `key` in it. One pass that stops at the
// entry or at the section's end, so that a file of a million lines costs no
// more memory than its text.
struct Found {
  std::optional<Line> header;
  Line last{};
  std::optional<Line> entry;
};

Found FindEntry(std::string_view text, std::string_view section, std::string_view key) {
  Found found;
  for (size_t pos = 0; pos < text.size();) {
    const Line line = ReadLine(text, pos);
    pos = line.next;
    if (line.kind == Kind::Section) {
      if (found.header) break;
      if (SameName(line.name, section)) found.header = found.last = line;
      continue;
    }
    if (!found.header || line.kind == Kind::Blank) continue;
    found.last = line;
    if (line.kind == Kind::Entry && SameName(line.name, key)) {
      found.entry = line;
      break;
    }
  }
  return found;
}

constexpr std::string_view kNewLine = "\r\n";

// What must follow `text` before a new line can start: nothing after an LF
// (or in an empty text), LF after a CR that ends it, CR LF otherwise. A CR
// alone ends no line: with CR LF after it, it would become part of the last
// line's text, and with nothing after it the new line would join that line.
std::string_view LineEndAfter(std::string_view text) {
  if (text.empty() || text.back() == '\n') return {};
  return text.back() == '\r' ? kNewLine.substr(1) : kNewLine;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  const Found found = FindEntry(text, section, key);
  if (!found.entry) return std::nullopt;
  const Line& line = *found.entry;
  return std::string(Unquote(text.substr(line.value_begin, line.end - line.value_begin)));
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  const Found found = FindEntry(text, section, key);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  if (!found.header) {
    out.append(text).append(LineEndAfter(text));
    out.append("[").append(section).append("]").append(kNewLine);
    out.append(key).append("=").append(value).append(kNewLine);
    return out;
  }

  if (found.entry) {
    const Line& line = *found.entry;
    out.append(text.substr(0, line.value_begin));
    if (!line.has_equals) out.append("=");  // a key that stood alone
    out.append(value).append(text.substr(line.end));
    return out;
  }

  // A new entry goes after the section's last line that is not blank.
  const std::string_view head = text.substr(0, found.last.next);
  out.append(head).append(LineEndAfter(head));
  out.append(key).append("=").append(value).append(kNewLine);
  out.append(text.substr(found.last.next));
  return out;
}

}  // namespace winapi_impl
