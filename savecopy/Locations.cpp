#include "Locations.h"

#include <windows.h>

#include "PathRules.h"
#include "SysUtils.h"

namespace savecopy {

namespace {

// The profile writes its relative paths with "\"; they are plain ASCII.
std::string WithPlatformDelimiter(std::string_view relative) {
  std::string path(relative);
  for (char& c : path)
    if (c == '\\') c = PathDelim;
  return path;
}

// The profile call takes a 256-byte buffer but is told of 255 bytes, so at
// most 254 bytes and the NUL come back.
constexpr DWORD kBufferBytes = 256;
constexpr DWORD kAnnouncedBytes = 255;

}  // namespace

Locations LocationsFor(const Profile& profile, std::string_view exePath) {
  Locations locations;
  locations.programFolder = FolderPart(exePath, PathDelimiters);
  locations.workingFolder =
      locations.programFolder + std::string(WorkingFolderName) + std::string(1, PathDelim);
  locations.workingFile = locations.programFolder + WithPlatformDelimiter(profile.workingFile);
  locations.settingsFile = locations.programFolder + std::string(SettingsFileName);
  return locations;
}

std::string ReadRememberedFolder(const Profile& profile, const Locations& locations) {
  char buffer[kBufferBytes] = {};
  GetPrivateProfileStringA(std::string(SettingsSection).c_str(),
                           std::string(profile.settingsKey).c_str(),
                           locations.workingFolder.c_str(), buffer, kAnnouncedBytes,
                           locations.settingsFile.c_str());
  return std::string(buffer);
}

void WriteRememberedFolder(const Profile& profile, const Locations& locations,
                           const std::string& folder) {
  WritePrivateProfileStringA(std::string(SettingsSection).c_str(),
                             std::string(profile.settingsKey).c_str(), folder.c_str(),
                             locations.settingsFile.c_str());
}

}  // namespace savecopy
