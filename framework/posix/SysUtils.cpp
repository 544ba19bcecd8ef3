#include "SysUtils.h"

#include <sys/stat.h>

const std::string_view PathDelimiters = "/";
const char PathDelim = '/';

bool FileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}
