// Stands in for the host application that leaves working files for the
// programs.
//
//   host_stub write FILE SIZE OFFSET HEXBYTES
//       writes FILE of SIZE bytes (a repeating pattern), with HEXBYTES at
//       OFFSET (the title field, say)
//   host_stub hold FILE
//       opens FILE as the host does, with no sharing, prints "held" and keeps
//       it open until its standard input ends

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int Usage() {
  std::fprintf(stderr, "usage: host_stub write FILE SIZE OFFSET HEXBYTES | hold FILE\n");
  return 2;
}

bool FromHex(const std::string& hex, std::string& bytes) {
  if (hex.size() % 2 != 0) return false;
  for (size_t i = 0; i < hex.size(); i += 2)
    bytes += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
  return true;
}

int Write(const char* path, const char* size, const char* offset, const char* hex) {
  std::string content(std::strtoul(size, nullptr, 10), '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>('a' + i % 26);
  std::string field;
  if (!FromHex(hex, field)) return Usage();
  const size_t at = std::strtoul(offset, nullptr, 10);
  if (at + field.size() > content.size()) content.resize(at + field.size());
  content.replace(at, field.size(), field);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return out ? 0 : 1;
}

int Hold(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::cout << "held" << std::endl;
  std::string ignored;
  while (std::getline(std::cin, ignored)) {
  }
  CloseHandle(file);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "write" && argc == 6) return Write(argv[2], argv[3], argv[4], argv[5]);
  if (command == "hold" && argc == 3) return Hold(argv[2]);
  return Usage();
}
