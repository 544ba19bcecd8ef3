#include "SysUtils.h"

#include <windows.h>

const std::string_view PathDelimiters = "\\:";
const char PathDelim = '\\';

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
