#include "profile_text.h"

#include <vector>

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

std::vector<Line> ReadLines(std::string_view text) {
  std::vector<Line> lines;
  for (size_t pos = 0; pos < text.size();) {
    lines.push_back(ReadLine(text, pos));
    pos = lines.back().next;
  }
  return lines;
}

std::string_view Unquote(std::string_view value) {
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Where the first section named `section` lies in `lines`: the index of its
// header, and the index of the line after its last non-blank line.
struct SectionSpan {
  size_t header;
  size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != Kind::Section || !SameName(lines[i].name, section)) continue;
    SectionSpan span{i, i + 1};
    for (size_t j = i + 1; j < lines.size() && lines[j].kind != Kind::Section; ++j) {
      if (lines[j].kind != Kind::Blank) span.end = j + 1;
    }
    return span;
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                              std::string_view key) {
  for (size_t i = span.header + 1; i < span.end; ++i) {
    if (lines[i].kind == Kind::Entry && SameName(lines[i].name, key)) return i;
  }
  return std::nullopt;
}

constexpr std::string_view kNewLine = "\r\n";

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
  const std::vector<Line> lines = ReadLines(text);
  const auto span = FindSection(lines, section);
  if (!span) return std::nullopt;
  const auto index = FindKey(lines, *span, key);
  if (!index) return std::nullopt;
  const Line& line = lines[*index];
  return std::string(Unquote(text.substr(line.value_begin, line.end - line.value_begin)));
}

std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value) {
  const std::vector<Line> lines = ReadLines(text);
  const auto span = FindSection(lines, section);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  if (!span) {
    out.append(text);
    if (!out.empty() && out.back() != '\n') out.append(kNewLine);
    out.append("[").append(section).append("]").append(kNewLine);
    out.append(key).append("=").append(value).append(kNewLine);
    return out;
  }

  if (const auto index = FindKey(lines, *span, key)) {
    const Line& line = lines[*index];
    out.append(text.substr(0, line.value_begin));
    if (!line.has_equals) out.append("=");  // a key that stood alone
    out.append(value).append(text.substr(line.end));
    return out;
  }

  // A new entry goes after the section's last line that is not blank.
  const Line& last = lines[span->end - 1];
  out.append(text.substr(0, last.next));
  if (last.next == last.end) out.append(kNewLine);  // it ended the file without a line end
  out.append(key).append("=").append(value).append(kNewLine);
  out.append(text.substr(last.next));
  return out;
}

}  // namespace winapi_impl
