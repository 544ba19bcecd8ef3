#include "Job.h"

#include <exception>
#include <windows.h>

#include "Classes.h"
#include "Locations.h"
#include "PathRules.h"
#include "SysUtils.h"
#include "TitleField.h"

namespace savecopy {

void RunSaveCopy(const Profile& profile, std::string_view exePath, JobHost& host) {
  const Locations locations = LocationsFor(profile, exePath);
  const std::string startFolder = ReadRememberedFolder(profile, locations);

  // The working file is held only while its title is read. A failure to read
  // it still lets the user save; it is reported once the run is done.
  std::string suggestedName;
  std::exception_ptr readFailure;
  {
    TFileStream workingFile(locations.workingFile, fmOpenRead | fmShareExclusive);
    try {
      suggestedName = ReadSuggestedName(workingFile, profile);
    } catch (const Exception&) {
      readFailure = std::current_exception();
    }
  }

  const DialogRequest request{suggestedName + std::string(profile.extension), startFolder,
                              profile.dialogFilter};
  const std::optional<std::string> chosen = host.AskTarget(request);
  bool copied = true;
  std::string target;
  if (chosen) {
    target = TargetPath(*chosen, profile.extension, PathDelimiters);
    if (FileExists(target) && !host.ConfirmOverwrite(texts::OverwriteQuestion)) {
      host.StopNow();
      return;
    }
    copied = CopyFileA(locations.workingFile.c_str(), target.c_str(), FALSE) != FALSE;
    WriteRememberedFolder(profile, locations, FolderPart(target, PathDelimiters));
  }
  host.RequestQuit();

  // The user must not believe the work saved when it was not.
  if (!copied) throw Exception(Format(texts::FileSaveError, target));
  if (readFailure) std::rethrow_exception(readFailure);
}

}  // namespace savecopy
