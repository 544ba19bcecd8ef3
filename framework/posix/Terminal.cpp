#include "Terminal.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <istream>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Mbcs.h"
#include "Texts.h"

namespace terminal {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; returns the bytes of `input` left when it
  // stops on one it cannot convert.
  std::string_view Convert(std::string_view input, std::string& output) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return input;
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char buffer[256];
      char* out = buffer;
      size_t outLeft = sizeof buffer;
      const size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<size_t>(out - buffer));
      if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return {in, inLeft};
  }

 private:
  iconv_t cd_;
};

std::optional<std::string> ReadLine(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) return std::nullopt;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

void Show(std::ostream& out, std::string_view sjis) { out << ToUtf8(sjis); }

// The caption of the filter's entry `index` (counted from 1).
std::string_view FilterCaption(std::string_view filter, int index) {
  std::vector<std::string_view> parts;
  for (size_t begin = 0;;) {
    const size_t bar = mbcs::FindChar(filter, '|', begin);
    parts.push_back(filter.substr(begin, bar == std::string_view::npos ? bar : bar - begin));
    if (bar == std::string_view::npos) break;
    begin = bar + 1;
  }
  const size_t at = static_cast<size_t>(index > 0 ? index - 1 : 0) * 2;
  return at < parts.size() ? parts[at] : std::string_view{};
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Where the dialog opens: the folder asked for, or the current folder when
// that is no folder.
std::string StartingFolder(std::string_view asked) {
  std::string folder(asked);
  if (!IsFolder(folder)) {
    char cwd[4096];
    folder = getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/";
  }
  if (folder.back() != '/') folder += '/';
  return folder;
}

// A message box: its caption, its text and its buttons, then the prompt.
void ShowBox(std::string_view caption, std::string_view message, bool withCancel,
             std::ostream& out) {
  out << "-- ";
  Show(out, caption);
  out << " --\n";
  Show(out, message);
  out << "\n[";
  Show(out, texts::ButtonOk);
  if (withCancel) {
    out << "] [";
    Show(out, texts::ButtonCancel);
  }
  out << "]: " << std::flush;
}

}  // namespace

std::string ToUtf8(std::string_view sjis) {
  Converter converter("UTF-8", "CP932");
  std::string text;
  while (!sjis.empty()) {
    sjis = converter.Convert(sjis, text);
    if (sjis.empty()) break;
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(sjis.front()));
    text += escaped;
    sjis.remove_prefix(1);
  }
  return text;
}

std::optional<std::string> ToShiftJis(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  std::string text;
  if (!converter.Convert(utf8, text).empty()) return std::nullopt;
  return text;
}

std::optional<std::string> AskSavePath(const SaveRequest& request, std::istream& in,
                                       std::ostream& out) {
  const std::string folder = StartingFolder(request.initialDir);
  Show(out, texts::SaveAsTitle);
  out << "\n";
  Show(out, texts::SaveInLabel);
  out << ": ";
  Show(out, folder);
  out << "\n";
  Show(out, texts::FileTypeLabel);
  out << ": ";
  Show(out, FilterCaption(request.filter, request.filterIndex));
  out << "\n";
  for (;;) {
    Show(out, texts::FileNameLabel);
    out << " [";
    Show(out, request.fileName);
    out << "]: " << std::flush;
    const auto line = ReadLine(in);
    if (!line) return std::nullopt;
    // The proposal is taken with its own bytes, never as shown.
    std::optional<std::string> name =
        line->empty() ? std::optional<std::string>(request.fileName) : ToShiftJis(*line);
    if (!name) {
      Show(out, texts::NameNotUsable);
      out << "\n";
      continue;
    }
    std::string path = (!name->empty() && name->front() == '/') ? *name : folder + *name;
    if (path.size() + 1 > request.bufferSize) return std::nullopt;
    return path;
  }
}

bool AskOkCancel(std::string_view caption, std::string_view message, std::istream& in,
                 std::ostream& out) {
  ShowBox(caption, message, true, out);
  const auto line = ReadLine(in);
  if (!line) return false;
  if (line->empty()) return true;
  if (line->size() != 2) return false;
  return ((*line)[0] == 'O' || (*line)[0] == 'o') && ((*line)[1] == 'K' || (*line)[1] == 'k');
}

void ShowMessage(std::string_view caption, std::string_view message, std::istream& in,
                 std::ostream& out) {
  ShowBox(caption, message, false, out);
  ReadLine(in);
}

}  // namespace terminal
