// The framework's exceptions, text helpers and file-system tests.
#pragma once

#include <string>
#include <string_view>

// The framework's failure: a message in the system's code page. A failure
// that leaves an event handler is shown in the error box.
class Exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual ~Exception() = default;
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// A file stream that cannot open its file.
class EFOpenError : public Exception {
  using Exception::Exception;
};

// A read from an open file stream that fails.
class EReadError : public Exception {
  using Exception::Exception;
};

// `pattern` with its first "%s" replaced by `argument`.
std::string Format(std::string_view pattern, std::string_view argument);

// True when an entry that is not a folder exists under `path`.
bool FileExists(const std::string& path);

// The characters that end a folder in a path on this platform, and the one
// that joins a folder and a name.
extern const std::string_view PathDelimiters;
extern const char PathDelim;
