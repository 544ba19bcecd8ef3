// Where a run finds its files, from the path of the running program.
#pragma once

#include <string>
#include <string_view>

#include "Profile.h"

namespace savecopy {

struct Locations {
  std::string programFolder;  // ends with a separator
  std::string workingFolder;  // program folder + qvfilex + separator
  std::string workingFile;    // program folder + the profile's working file
  std::string settingsFile;   // program folder + qv.ini
};

// With this platform's separators.
Locations LocationsFor(const Profile& profile, std::string_view exePath);

// The remembered folder of the profile's program, or the working folder when
// none is stored. At most 254 bytes come back.
std::string ReadRememberedFolder(const Profile& profile, const Locations& locations);

// Stores `folder` as the profile's remembered folder. A failed write goes
// unnoticed.
void WriteRememberedFolder(const Profile& profile, const Locations& locations,
                           const std::string& folder);

}  // namespace savecopy
